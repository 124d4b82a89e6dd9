// SPDX-License-Identifier: MIT
// The one value a call of the module takes: a JSON object whose fields are
// named. Each field asked for must be there and of its kind, a choice one of
// its names; a field not asked for is refused. Nothing takes a default: a
// caller that passes the wrong shape gets an error value that says where.
#pragma once

#include <form/json.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

class Named {
public:
    // The JSON text of an object; it outlives this and every object within.
    explicit Named(std::string_view json);

    std::string text(std::string_view key);  // a string
    double number(std::string_view key);     // a number, exactly
    // One of a choice's names, as its place among them (0 where refused).
    size_t choice(std::string_view key, std::span<const std::string_view> names);
    Named object(std::string_view key);  // an object within

    // Whether every field asked for was there and of its kind, and no other
    // is in this object.
    bool done();
    // The first fault, as the value the call returns.
    std::string errorValue() const;

private:
    Named(std::string_view json, std::string path, std::string* error);
    std::string_view field(std::string_view key);
    void fail(std::string_view key, std::string_view why);

    std::vector<form::json::ReadField> m_fields;
    std::vector<char> m_asked;  // for each field, whether it was asked for
    std::string m_path;         // "right." for the fields of "right"
    std::string m_rootError;
    std::string* m_error = &m_rootError;  // the outermost object's
};
