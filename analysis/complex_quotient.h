// a / z for a real a, bit for bit what std::complex<double> division gives,
// without its out-of-line call. The library divides by Smith's method, scaling
// the operands by powers of two where they are near the ends of the double
// range; such scaling is exact and changes no result as long as no step
// underflows or overflows. For operands well inside the range these are the
// library's own operations in its own order, so the quotient is the same;
// anything else goes to the library.
#pragma once

#include <cmath>
#include <complex>

inline std::complex<double> RealOverComplex(double a, std::complex<double> z) {
    constexpr double Small = 0x1p-300;
    constexpr double Large = 0x1p300;
    const auto inRange = [](double x) {
        const double m = std::fabs(x);
        return x == 0 || (m >= Small && m <= Large);
    };
    const double c = z.real();
    const double d = z.imag();
    if (!inRange(a) || !inRange(c) || !inRange(d) || (c == 0 && d == 0)) {
        return a / z;
    }
    // The dividend's imaginary part, 0, takes part as in the library.
    const double b = 0;
    if (std::fabs(c) < std::fabs(d)) {
        const double ratio = c / d;
        const double denom = (c * ratio) + d;
        return {((a * ratio) + b) / denom, ((b * ratio) - a) / denom};
    }
    const double ratio = d / c;
    const double denom = (d * ratio) + c;
    return {((b * ratio) + a) / denom, (b - (a * ratio)) / denom};
}
