// SPDX-License-Identifier: MIT
// The number texts of the calculator: how an entry's text is read as a
// number, and how a figure is written for a person or for a machine. Every
// tool reads and writes its numbers through these, so that the same digits
// mean the same everywhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace prism {

// The entry-text conversion used at every numeric use of a text field.
// Accepts a plain decimal number with "." as the decimal point, an optional
// leading sign, an optional exponent, surrounding blanks (ASCII white space,
// U+3000), and the same written with full-width digits, "．", "＋", "－",
// "ｅ" as a Japanese input method types them. Everything else is refused:
// empty text, letters, nan, inf, hexadecimal, digit grouping, decimal comma,
// trailing junk, values too large to be finite. Values too small for a double
// become zero.
std::optional<double> to_number(std::string_view text);

// The number patterns "#0", "#0.0" and "#0.00" (decimals = 0, 1, 2): at least
// one integer digit, exactly `decimals` fraction digits, nearest with halves
// away from zero, no grouping, a minus sign only when the rounded value is not
// zero. The half is decided on the value's 15-significant-digit decimal form,
// so the digits a person typed are the digits that get rounded (0.15 -> 0.2).
// Non-finite values give "nan", "inf" or "-inf".
std::string format_number(double value, int decimals);

// A number written exactly: the fewest significant digits that read back as
// the same double, as an integer and a decimal exponent ("779999462890625e-11"
// for a float's end point 7799.99462890625, "888e1", "5e-1", "2"), a JSON
// number. For handing the core's figures on as text without losing a bit,
// and without the C library's formatting. Non-finite values give "nan",
// "inf" or "-inf".
std::string exact_text(double value);

}  // namespace prism
