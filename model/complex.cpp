#include "complex.h"

#include <cmath>

namespace {

// Held at extended precision: a component compares against the decimal
// value itself, not against its 32-bit neighbour.
constexpr Extended SaturationLimit = 1e35L;
constexpr Extended ZeroDivisorThreshold = 1e-35L;

// Stores a component that has already been rounded to 64 bits. Saturation
// keeps every product and quotient finite and well inside the 32-bit range.
float SaturatingStore(double v) {
    if (std::fabs(static_cast<Extended>(v)) < SaturationLimit) {
        return static_cast<float>(v);
    }
    return v > 0 ? 1e35f : -1e35f;
}

} // namespace

Real48 RoundToReal48(Extended value) {
    if (value == 0 || !std::isfinite(value)) {
        return value;
    }
    int exponent = 0;
    const Extended mantissa = std::frexp(value, &exponent); // 0.5 <= |mantissa| < 1
    // 40 significant bits; roundl rounds halfway cases away from zero.
    Extended rounded = std::ldexp(std::round(std::ldexp(mantissa, 40)), exponent - 40);
    // The 8-bit exponent cannot hold magnitudes below 2^-128: they read as 0.
    if (std::fabs(rounded) < std::ldexp(1.0L, -128)) {
        rounded = 0;
    }
    return rounded;
}

TComplex CMake(float re, float im) {
    return TComplex{re, im};
}

TComplex CAdd(TComplex a, TComplex b) {
    return TComplex{StoreSingle(Wide(a.Re) + Wide(b.Re)), StoreSingle(Wide(a.Im) + Wide(b.Im))};
}

TComplex CSub(TComplex a, TComplex b) {
    return TComplex{StoreSingle(Wide(a.Re) - Wide(b.Re)), StoreSingle(Wide(a.Im) - Wide(b.Im))};
}

TComplex CMul(TComplex a, TComplex b) {
    const double re = static_cast<double>(Wide(a.Re) * Wide(b.Re) - Wide(a.Im) * Wide(b.Im));
    const double im = static_cast<double>(Wide(a.Im) * Wide(b.Re) + Wide(a.Re) * Wide(b.Im));
    return TComplex{SaturatingStore(re), SaturatingStore(im)};
}

TComplex CConj(TComplex a) {
    return TComplex{a.Re, -a.Im};
}

TComplex CDiv(TComplex a, TComplex b) {
    if (std::fabs(Wide(b.Re)) <= ZeroDivisorThreshold &&
        std::fabs(Wide(b.Im)) <= ZeroDivisorThreshold) {
        return TComplex{0, 0};
    }
    const double d = static_cast<double>(Wide(b.Re) * Wide(b.Re) + Wide(b.Im) * Wide(b.Im));
    const TComplex t = CMul(a, CConj(b));
    const double re = static_cast<double>(Wide(t.Re) / d);
    const double im = static_cast<double>(Wide(t.Im) / d);
    return TComplex{SaturatingStore(re), SaturatingStore(im)};
}

Real48 CAbs(TComplex a) {
    const Extended re2 = Wide(a.Re) * Wide(a.Re);
    const Extended im2 = Wide(a.Im) * Wide(a.Im);
    const Extended sum = re2 + im2;
    // The sum alone decides: each of the other limits is implied by it.
    if (sum > SaturationLimit) {
        return RoundToReal48(SaturationLimit);
    }
    return RoundToReal48(std::sqrt(sum));
}
