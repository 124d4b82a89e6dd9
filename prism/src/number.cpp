// SPDX-License-Identifier: MIT
#include <prism/prism.h>

#include "decimal.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace prism {

namespace {

// Folds the full-width forms a Japanese input method types into ASCII and
// drops surrounding blanks. Returns false on any character outside the
// number alphabet, so the grammar below only ever sees ASCII.
bool fold_to_ascii(std::string_view text, std::string& out)
{
    out.clear();
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        // Every accepted non-ASCII character is a three-byte sequence:
        // U+3000 (E3 80 80) or U+FF01..U+FF5E (EF BC 81..EF BD 9E).
        if (i + 3 > text.size())
            return false;
        const auto c1 = static_cast<unsigned char>(text[i + 1]);
        const auto c2 = static_cast<unsigned char>(text[i + 2]);
        if ((c1 & 0xC0) != 0x80 || (c2 & 0xC0) != 0x80)
            return false;
        const unsigned cp = ((c & 0x0Fu) << 12) | ((c1 & 0x3Fu) << 6) | (c2 & 0x3Fu);
        if ((c & 0xF0) != 0xE0)
            return false;
        char ascii;
        if (cp == 0x3000)
            ascii = ' ';
        else if (cp >= 0xFF10 && cp <= 0xFF19)
            ascii = static_cast<char>('0' + (cp - 0xFF10));
        else if (cp == 0xFF0E)
            ascii = '.';
        else if (cp == 0xFF0B)
            ascii = '+';
        else if (cp == 0xFF0D)
            ascii = '-';
        else if (cp == 0xFF45)
            ascii = 'e';
        else if (cp == 0xFF25)
            ascii = 'E';
        else
            return false;
        out.push_back(ascii);
        i += 3;
    }
    // Blanks: ASCII white space (a pasted cell brings its line end) and,
    // folded above, the ideographic space.
    const auto blank = [](char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); };
    size_t b = 0, e = out.size();
    while (b < e && blank(out[b]))
        ++b;
    while (e > b && blank(out[e - 1]))
        --e;
    out = out.substr(b, e - b);
    return true;
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a plain decimal that the grammar below has already checked.
std::from_chars_result read_decimal(const char* first, const char* last, double& value)
{
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value);
#else
    // The WebAssembly build's C++ library has none for doubles: the same
    // exact reading, by hand.
    return detail::decimal_to_double(first, last, value);
#endif
}

// What the strict grammar found in a folded entry:
// [sign] (digits [. digits*] | . digits) [(e|E) [sign] digits]
struct Decimal {
    bool negative = false;
    size_t mantissaBegin = 0;    // where the digits start, after the sign
    size_t intDigits = 0;        // digits before the point
    size_t fracDigits = 0;       // digits after it
    long firstSignificant = -1;  // position (in digits of the mantissa) of the first non-zero digit
    long exponent = 0;           // saturated at a million either way
};

// The mantissa from s[i]: digits, a point, digits. False when it has no digit.
bool scan_mantissa(const std::string& s, size_t& i, Decimal& d)
{
    d.mantissaBegin = i;
    long digitIndex = 0;
    const auto digits = [&](size_t& count) {
        while (i < s.size() && is_digit(s[i])) {
            if (d.firstSignificant < 0 && s[i] != '0')
                d.firstSignificant = digitIndex;
            ++digitIndex, ++count, ++i;
        }
    };
    digits(d.intDigits);
    if (i < s.size() && s[i] == '.') {
        ++i;
        digits(d.fracDigits);
    }
    return d.intDigits + d.fracDigits > 0;
}

// An exponent from s[i], if any. False when an "e" has no digits after it.
bool scan_exponent(const std::string& s, size_t& i, Decimal& d)
{
    if (i == s.size() || (s[i] != 'e' && s[i] != 'E'))
        return true;
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size() || !is_digit(s[i]))
        return false;
    while (i < s.size() && is_digit(s[i])) {
        // Saturate: anything past a million is out of range either way.
        if (d.exponent < 1000000)
            d.exponent = d.exponent * 10 + (s[i] - '0');
        ++i;
    }
    if (negative)
        d.exponent = -d.exponent;
    return true;
}

// Checked here because the library conversion would also take inf, nan,
// hexadecimal and a trailing remainder.
std::optional<Decimal> scan_decimal(const std::string& s)
{
    Decimal d;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        d.negative = s[i] == '-';
        ++i;
    }
    if (!scan_mantissa(s, i, d) || !scan_exponent(s, i, d) || i != s.size())
        return std::nullopt;
    return d;
}

}  // namespace

std::optional<double> to_number(std::string_view text)
{
    std::string s;
    if (!fold_to_ascii(text, s))
        return std::nullopt;
    const std::optional<Decimal> d = scan_decimal(s);
    if (!d)
        return std::nullopt;

    double value = 0;
    const char* first = s.data() + d->mantissaBegin;
    const char* last = s.data() + s.size();
    const auto [ptr, ec] = read_decimal(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Decimal exponent of the leading significant digit tells overflow
        // (refused) from underflow (a value too small for a double: zero).
        const long leading = static_cast<long>(d->intDigits) - 1 - d->firstSignificant + d->exponent;
        if (leading >= 0)
            return std::nullopt;
        value = 0;
    } else if (ec != std::errc() || ptr != last) {
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return d->negative ? -value : value;
}

std::string format_number(double value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (decimals < 0)
        decimals = 0;

    // The value's 15 significant digits d0.d1...d14 and its decimal exponent.
    int exp10 = 0;
    const std::string digits = detail::leading_digits(std::fabs(value), 15, exp10);

    // value * 10^decimals == digits * 10^shift; round that to an integer.
    const int shift = exp10 - 14 + decimals;
    std::string n;
    if (shift >= 0) {
        n = digits + std::string(static_cast<size_t>(shift), '0');
    } else if (-shift <= static_cast<int>(digits.size())) {
        const size_t keep = digits.size() - static_cast<size_t>(-shift);
        n = digits.substr(0, keep);
        if (digits[keep] >= '5') {
            // Half away from zero: carry through the kept digits.
            size_t k = n.size();
            while (k > 0 && n[k - 1] == '9')
                n[--k] = '0';
            if (k == 0)
                n.insert(n.begin(), '1');
            else
                ++n[k - 1];
        }
    }
    // else: the value is below half a unit of the last place: it rounds to 0.

    const size_t nz = n.find_first_not_of('0');
    n = nz == std::string::npos ? std::string() : n.substr(nz);
    const bool negative = value < 0 && !n.empty();
    if (n.size() < static_cast<size_t>(decimals) + 1)
        n.insert(0, static_cast<size_t>(decimals) + 1 - n.size(), '0');
    if (decimals > 0)
        n.insert(n.size() - static_cast<size_t>(decimals), ".");
    return negative ? "-" + n : n;
}

std::string exact_text(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    const std::string sign = std::signbit(value) ? "-" : "";
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return sign + "0";

    // An exponent's digits, without the C library's integer formatting.
    const auto integer = [](int n) {
        std::string digits;
        for (unsigned u = n < 0 ? 0u - unsigned(n) : unsigned(n); u || digits.empty(); u /= 10)
            digits.insert(digits.begin(), char('0' + u % 10));
        return n < 0 ? "-" + digits : digits;
    };
    // The fewest significant digits that read back as the same double, as
    // an integer and the decimal exponent of its last digit. 17 always do,
    // and once a count does every larger one does: a search between 1 and 17.
    std::string digits;
    int last = 0;
    const auto readsBack = [&](int count) {
        int exp10 = 0;
        digits = detail::leading_digits(magnitude, count, exp10);
        last = exp10 - (count - 1);
        const std::string text = digits + "e" + integer(last);
        double back = 0;
        read_decimal(text.data(), text.data() + text.size(), back);
        return back == magnitude;
    };
    int low = 1, high = 17;  // high reads back; every count below low does not
    while (low < high) {
        const int middle = (low + high) / 2;
        if (readsBack(middle))
            high = middle;
        else
            low = middle + 1;
    }
    readsBack(high);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++last;
    }
    return sign + digits + (last ? "e" + integer(last) : "");
}

}  // namespace prism
