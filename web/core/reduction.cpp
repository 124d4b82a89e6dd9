// SPDX-License-Identifier: MIT
// The argument reduction of the WebAssembly module's sine and cosine: the
// C library's own, less its path for arguments of 2^20·π/2 and more.
//
// Every angle the core takes a sine or a cosine of is a direction of 0 to
// 360 degrees or an axis of 0 to 180 degrees, in radians under 2π·1.0001,
// so that path is never taken; but its code and its 2.8 KB table of 2/π's
// digits went into every first visit. This is the library's routine (from
// FreeBSD's e_rem_pio2.c, as musl has it), line for line where it is kept,
// so each reduction, and so each sine and cosine, is the same to the bit;
// an argument it no longer reduces gives NaN, as infinity and NaN do.
//
// Copyright (C) 1993 by Sun Microsystems, Inc. All rights reserved.
// Developed at SunSoft, a Sun Microsystems, Inc. business. Permission to use,
// copy, modify, and distribute this software is freely granted, provided
// that this notice is preserved. Optimized by Bruce D. Evans.
#include <cfloat>
#include <cstdint>
#include <cstring>

namespace {

constexpr double toint = 1.5 / DBL_EPSILON, pio4 = 0x1.921fb54442d18p-1,
                 invpio2 = 6.36619772367581382433e-01, /* 0x3FE45F30, 0x6DC9C883 */
    pio2_1 = 1.57079632673412561417e+00,               /* 0x3FF921FB, 0x54400000 */
    pio2_1t = 6.07710050650619224932e-11,              /* 0x3DD0B461, 0x1A626331 */
    pio2_2 = 6.07710050630396597660e-11,               /* 0x3DD0B461, 0x1A600000 */
    pio2_2t = 2.02226624879595063154e-21,              /* 0x3BA3198A, 0x2E037073 */
    pio2_3 = 2.02226624871116645580e-21,               /* 0x3BA3198A, 0x2E000000 */
    pio2_3t = 8.47842766036889956997e-32;              /* 0x397B839A, 0x252049C1 */

uint64_t bits(double x)
{
    uint64_t u;
    std::memcpy(&u, &x, sizeof u);
    return u;
}

// x less k·π/2 for |x| near k·π/2, k = 1 … 4: one round good to 85 bits.
int near(double x, double* y, int k, bool sign)
{
    if (!sign) {
        const double z = x - k * pio2_1;
        y[0] = z - k * pio2_1t;
        y[1] = (z - y[0]) - k * pio2_1t;
        return k;
    }
    const double z = x + k * pio2_1;
    y[0] = z + k * pio2_1t;
    y[1] = (z - y[0]) + k * pio2_1t;
    return -k;
}

}  // namespace

// The remainder of x rem π/2 in y[0] + y[1]; the caller handles |x| ~<= π/4.
extern "C" int __rem_pio2(double x, double* y)
{
    const bool sign = bits(x) >> 63;
    const uint32_t ix = bits(x) >> 32 & 0x7fffffff;
    const bool medium = (ix & 0xfffff) == 0x921fb || ix == 0x4012d97c || ix == 0x401921fb;
    if (!medium) {
        if (ix <= 0x4002d97c)  // |x| ~<= 3π/4
            return near(x, y, 1, sign);
        if (ix <= 0x400f6a7a)  // |x| ~<= 5π/4
            return near(x, y, 2, sign);
        if (ix <= 0x4015fdbc)  // |x| ~<= 7π/4
            return near(x, y, 3, sign);
        if (ix <= 0x401c463b)  // |x| ~<= 9π/4
            return near(x, y, 4, sign);
    }
    if (ix >= 0x413921fb) {  // |x| ~>= 2^20·π/2, infinity, NaN: never a direction
        y[0] = y[1] = __builtin_nan("");
        return 0;
    }
    // The medium size, and where cancellation needs it: rint(x/(π/2)).
    double fn = x * invpio2 + toint - toint;
    int n = int32_t(fn);
    double r = x - fn * pio2_1;
    double w = fn * pio2_1t;  // 1st round, good to 85 bits
    if (r - w < -pio4) {      // matters with directed rounding
        n--;
        fn--;
        r = x - fn * pio2_1;
        w = fn * pio2_1t;
    } else if (r - w > pio4) {
        n++;
        fn++;
        r = x - fn * pio2_1;
        w = fn * pio2_1t;
    }
    y[0] = r - w;
    const int ex = int(ix >> 20);
    int ey = int(bits(y[0]) >> 52 & 0x7ff);
    if (ex - ey > 16) {  // 2nd round, good to 118 bits
        double t = r;
        w = fn * pio2_2;
        r = t - w;
        w = fn * pio2_2t - ((t - r) - w);
        y[0] = r - w;
        ey = int(bits(y[0]) >> 52 & 0x7ff);
        if (ex - ey > 49) {  // 3rd round, good to 151 bits, covers all cases
            t = r;
            w = fn * pio2_3;
            r = t - w;
            w = fn * pio2_3t - ((t - r) - w);
            y[0] = r - w;
        }
    }
    y[1] = (r - y[0]) - w;
    return n;
}
