// SPDX-License-Identifier: MIT
// JSON written by hand, with no dependency: each function returns one
// complete JSON value as text, which the next takes in. The form's
// description and the WebAssembly module's answers are written with it.
#pragma once

#include <initializer_list>
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

}  // namespace form::json
