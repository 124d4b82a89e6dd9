// SPDX-License-Identifier: MIT
// Decimals and doubles, both ways, exactly and with nothing but integers:
// the WebAssembly build's C++ library has no floating-point from_chars, and
// its strtod and printf bring 128-bit floating arithmetic half the size of
// the whole module.
#pragma once

#include <charconv>
#include <string>

namespace prism::detail {

// The double nearest to a decimal already checked to be digits, an optional
// point and digits, and an optional exponent ("e", a sign, digits), without
// a sign; ties to even, as from_chars. A value beyond the largest double,
// or one that rounds to zero without being zero, is out of range and leaves
// `value` as it was; a subnormal one is a value.
std::from_chars_result decimal_to_double(const char* first, const char* last, double& value);

// The first `count` significant digits of a finite, non-negative double,
// rounded to nearest with ties to even (as printf's "%.*e" gives them), and
// the decimal exponent of the first; zero is all zeros with exponent 0.
std::string leading_digits(double value, int count, int& exp10);

}  // namespace prism::detail
