// SPDX-License-Identifier: MIT
#include "decimal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

namespace prism::detail {

namespace {

// A decimal number 0.d1d2d3... x 10^dp, exact but for the digits beyond its
// capacity (trunc: one of them was not zero). It is halved and doubled by
// powers of two until its leading bits are those of the double nearest to
// it: slow, exact, and with neither a table of powers nor a wider floating
// type. 800 digits decide the rounding of every double.
class Decimal {
public:
    // From a checked decimal without a sign: digits, a point, digits, an
    // exponent.
    Decimal(const char* first, const char* last);
    // From an integer below 2^64.
    explicit Decimal(std::uint64_t n);

    bool zero() const { return nd == 0; }
    std::int64_t point() const { return dp; }
    bool below_half() const { return dp == 0 && digits[0] < 5; }

    // Multiplies by 2^k (k > 0) or divides by 2^-k.
    void shift(int k);
    // The integer part, rounded to nearest, ties to even.
    std::uint64_t rounded_integer() const;
    // The first `count` digits, rounded to nearest, ties to even, and the
    // decimal exponent of the first (a carry out of them moves it up).
    std::string leading(int count, int& exp10) const;

private:
    static constexpr int Capacity = 800;
    // A shift of 60 bits keeps every intermediate sum below 2^64.
    static constexpr unsigned MaxShift = 60;

    void left_shift(unsigned k);
    void right_shift(unsigned k);
    void trim();
    bool rounds_up(int at) const;

    unsigned char digits[Capacity];
    int nd = 0;           // digits in use
    std::int64_t dp = 0;  // the decimal point's place, counted from the first digit
    bool trunc = false;
};

Decimal::Decimal(const char* s, const char* last)
{
    // The point's place counts every significant digit, also those beyond
    // the capacity; an entry may be tens of thousands of digits long.
    std::int64_t significant = 0;
    bool sawPoint = false;
    for (; s < last && (*s == '.' || (*s >= '0' && *s <= '9')); ++s) {
        if (*s == '.') {
            sawPoint = true;
            dp = significant;
        } else if (*s == '0' && significant == 0) {
            --dp;  // a leading zero: after the point, it moves the first digit down
        } else {
            ++significant;
            if (nd < Capacity)
                digits[nd++] = static_cast<unsigned char>(*s - '0');
            else if (*s != '0')
                trunc = true;
        }
    }
    if (!sawPoint)
        dp = significant;
    if (s < last) {  // "e", a sign, digits; saturated far beyond any text's length
        ++s;
        const bool negative = *s == '-';
        if (*s == '-' || *s == '+')
            ++s;
        std::int64_t e = 0;
        for (; s < last; ++s)
            if (e < 100'000'000'000'000'000)
                e = e * 10 + (*s - '0');
        dp += negative ? -e : e;
    }
    trim();
}

Decimal::Decimal(std::uint64_t n)
{
    unsigned char reversed[20];
    for (; n > 0; n /= 10)
        reversed[nd++] = static_cast<unsigned char>(n % 10);
    std::reverse_copy(reversed, reversed + nd, digits);
    dp = nd;
    trim();
}

void Decimal::trim()
{
    while (nd > 0 && digits[nd - 1] == 0)
        --nd;
    if (nd == 0)
        dp = 0;
}

void Decimal::left_shift(unsigned k)
{
    // From the last digit up, least significant first into `out`.
    unsigned char out[Capacity + 20];
    int no = 0;
    std::uint64_t n = 0;
    for (int r = nd - 1; r >= 0; --r) {
        n += std::uint64_t(digits[r]) << k;
        out[no++] = static_cast<unsigned char>(n % 10);
        n /= 10;
    }
    for (; n > 0; n /= 10)
        out[no++] = static_cast<unsigned char>(n % 10);
    dp += no - nd;
    nd = std::min(no, Capacity);
    for (int i = 0; i < no; ++i) {
        const unsigned char digit = out[no - 1 - i];
        if (i < nd)
            digits[i] = digit;
        else if (digit != 0)
            trunc = true;
    }
    trim();
}

void Decimal::right_shift(unsigned k)
{
    int r = 0;  // read
    int w = 0;  // write
    // Enough leading digits for the first digit out.
    std::uint64_t n = 0;
    for (; n >> k == 0; ++r) {
        if (r >= nd) {
            if (n == 0) {
                nd = 0;
                return;
            }
            while (n >> k == 0) {
                n *= 10;
                ++r;
            }
            break;
        }
        n = n * 10 + digits[r];
    }
    dp -= r - 1;
    const std::uint64_t mask = (std::uint64_t(1) << k) - 1;
    for (; r < nd; ++r) {
        const std::uint64_t digit = n >> k;
        n &= mask;
        digits[w++] = static_cast<unsigned char>(digit);
        n = n * 10 + digits[r];
    }
    for (; n > 0; n *= 10) {
        const std::uint64_t digit = n >> k;
        n &= mask;
        if (w < Capacity)
            digits[w++] = static_cast<unsigned char>(digit);
        else if (digit > 0)
            trunc = true;
    }
    nd = w;
    trim();
}

void Decimal::shift(int k)
{
    if (nd == 0)
        return;
    for (; k > int(MaxShift); k -= MaxShift)
        left_shift(MaxShift);
    for (; k < -int(MaxShift); k += MaxShift)
        right_shift(MaxShift);
    if (k > 0)
        left_shift(unsigned(k));
    else if (k < 0)
        right_shift(unsigned(-k));
}

bool Decimal::rounds_up(int at) const
{
    if (at < 0 || at >= nd)
        return false;
    if (digits[at] == 5 && at + 1 == nd)  // a half, unless digits were dropped: to even
        return trunc || (at > 0 && digits[at - 1] % 2 == 1);
    return digits[at] >= 5;
}

std::uint64_t Decimal::rounded_integer() const
{
    std::uint64_t n = 0;
    int i = 0;
    for (; i < dp && i < nd; ++i)
        n = n * 10 + digits[i];
    for (; i < dp; ++i)
        n *= 10;
    return rounds_up(dp) ? n + 1 : n;
}

std::string Decimal::leading(int count, int& exp10) const
{
    std::string out(size_t(count), '0');
    for (int i = 0; i < count && i < nd; ++i)
        out[size_t(i)] = char('0' + digits[i]);
    exp10 = nd == 0 ? 0 : dp - 1;
    if (!rounds_up(count))
        return out;
    int i = count - 1;
    for (; i >= 0 && out[size_t(i)] == '9'; --i)
        out[size_t(i)] = '0';
    if (i >= 0) {
        ++out[size_t(i)];
    } else {
        out[0] = '1';  // 99...9 became 100...0
        ++exp10;
    }
    return out;
}

}  // namespace

std::string leading_digits(double value, int count, int& exp10)
{
    // value = mantissa x 2^exponent exactly; halved or doubled as a decimal,
    // every digit of it is exact.
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = int((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    if (biased != 0)
        mantissa |= std::uint64_t(1) << 52;
    Decimal d(mantissa);
    d.shift((biased == 0 ? 1 : biased) - 1075);
    return d.leading(count, exp10);
}

std::from_chars_result decimal_to_double(const char* first, const char* last, double& value)
{
    constexpr int MantissaBits = 52;
    constexpr int Bias = -1023;
    constexpr int MaxExponent = 2047;  // all exponent bits: infinity
    const std::from_chars_result outOfRange{last, std::errc::result_out_of_range};

    Decimal d(first, last);
    if (d.zero()) {
        value = 0;
        return {last, std::errc()};
    }
    if (d.point() > 310)
        return outOfRange;  // beyond the largest double
    if (d.point() < -330)
        return outOfRange;  // below half the smallest

    // Into [0.5, 1) by powers of two, a few bits at a time (the shifts that
    // keep a digit or so of headroom for the decimal point's place).
    constexpr int Steps[] = {1, 3, 6, 9, 13, 16, 19, 23, 26};
    const auto step
        = [&](std::int64_t places) { return places >= std::int64_t(std::size(Steps)) ? 27 : Steps[places]; };
    int exp = 0;
    while (d.point() > 0) {
        const int n = step(d.point());
        d.shift(-n);
        exp += n;
    }
    while (d.point() < 0 || d.below_half()) {
        const int n = step(-d.point());
        d.shift(n);
        exp -= n;
    }
    --exp;  // [0.5, 1) is [1, 2) one power lower
    // Below the smallest normal exponent: a subnormal, fewer bits.
    if (exp < Bias + 1) {
        d.shift(-(Bias + 1 - exp));
        exp = Bias + 1;
    }
    if (exp - Bias >= MaxExponent)
        return outOfRange;
    d.shift(1 + MantissaBits);
    std::uint64_t mant = d.rounded_integer();
    if (mant == std::uint64_t(2) << MantissaBits) {  // rounding carried into a new bit
        mant >>= 1;
        if (++exp - Bias >= MaxExponent)
            return outOfRange;
    }
    if (mant == 0)
        return outOfRange;  // rounds to zero
    if ((mant & (std::uint64_t(1) << MantissaBits)) == 0)
        exp = Bias;  // subnormal
    const std::uint64_t bits
        = (mant & ((std::uint64_t(1) << MantissaBits) - 1)) | (std::uint64_t(exp - Bias) << MantissaBits);
    std::memcpy(&value, &bits, sizeof value);  // the WebAssembly build's library has no bit_cast
    return {last, std::errc()};
}

}  // namespace prism::detail
