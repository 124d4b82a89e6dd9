// SPDX-License-Identifier: MIT
// JSON by hand, with no dependency. Written: each function returns one
// complete JSON value as text, which the next takes in; the form's
// description and the WebAssembly module's answers are written with it.
// Read: the fields of one object; the module reads the values the page
// hands it with it.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace form::json {

// A key and its value, a complete JSON value.
using Field = std::pair<std::string_view, std::string>;

// The fields of both lists, in order.
std::string object(std::initializer_list<Field> fields, std::initializer_list<Field> more = {});
std::string array(std::initializer_list<std::string> values);
std::string array(const std::vector<std::string>& values);
// A text as a JSON string, quotes included (UTF-8 passes through).
std::string string(std::string_view text);
std::string boolean(bool b);
// To 15 significant digits, by the C library: for the description's own
// figures. (The module writes the core's figures with prism::exact_text,
// and leaves the C library's formatting out of the page's build.)
std::string number(double d);

// Read: the fields of one JSON object, each value as its text stands (a
// string still quoted, an object still braced), for its reader to read by
// its own rules; the whole text checked against JSON's grammar first.
// Refused as well as bad syntax: a key twice, and values nested deeper than
// 16. Bytes from 0x80 up pass through as they are (UTF-8, unchecked).
struct ReadField {
    std::string_view key;  // as it stands, quoted: compare it with key_is
    std::string_view value;
};
std::optional<std::vector<ReadField>> object_fields(std::string_view text);

// Whether a key as it stands names `name`.
bool key_is(std::string_view key, std::string_view name);

// A JSON string's text ('"' included) into `out`, every escape resolved, a
// surrogate pair as the one character it stands for (UTF-8); false where it
// is not a string, or holds a lone surrogate.
bool string_value(std::string_view text, std::string& out);

// Whether the text is one JSON number.
bool is_number(std::string_view text);

}  // namespace form::json
