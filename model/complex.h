// Complex numbers of the motor model: two 32-bit floats, worked at extended
// precision and rounded once when each component is stored.
//
// CMul and CDiv saturate each component at +-1e35 and CDiv treats a divisor
// with both components within 1e-35 of zero as giving (0, 0), so that for
// finite operands they always yield finite results; CAbs returns the
// saturated modulus once the sum of the squares exceeds 1e35. Callers make
// no checks of their own on these results. CAdd and CSub have no guard: a
// result beyond the 32-bit range is the overflow fault.
#pragma once

#include "fp_store.h"

#include <cmath>
#include <cstdint>

struct TComplex {
    float Re;
    float Im;
};

// The modulus as the 48-bit real of the model: the extended value rounded to
// a 40-bit significand (halfway away from zero) with an 8-bit exponent. It is
// carried in an Extended, which holds every such value exactly.
using Real48 = Extended;

namespace complex_detail {
// Held at extended precision: a component compares against the decimal
// value itself, not against its 32-bit neighbour.
inline constexpr Extended SaturationLimit = 1e35L;
inline constexpr Extended ZeroDivisorThreshold = 1e-35L;

// The same comparisons made in the operands' own formats, which keeps them
// off the x87 stack: a double lies below 1e35 exactly when it lies below the
// least double above it, and a float lies within 1e-35 exactly when it lies
// within the greatest float below it.
inline constexpr double SaturationLimitAsDouble = 0x1.3426172C74D83p+116;
inline constexpr float ZeroDivisorThresholdAsFloat = 0x1.A95A5Ap-117f;
static_assert(SaturationLimitAsDouble > SaturationLimit &&
              0x1.3426172C74D82p+116 < SaturationLimit);
static_assert(ZeroDivisorThresholdAsFloat < ZeroDivisorThreshold &&
              0x1.A95A5Cp-117f > ZeroDivisorThreshold);

// Stores a component that has already been rounded to 64 bits. Saturation
// keeps every product and quotient finite and well inside the 32-bit range.
inline float SaturatingStore(double v) {
    if (std::fabs(v) < SaturationLimitAsDouble) {
        return static_cast<float>(v);
    }
    return v > 0 ? 1e35f : -1e35f;
}

} // namespace complex_detail

// Rounds an extended value to the 48-bit real format.
inline Real48 RoundToReal48(Extended value) {
    ExtendedBits bits = ToBits(value);
    const int exponent = bits.signAndExponent & 0x7fff;
    constexpr int Bias = 16383;
    constexpr int Infinite = 0x7fff;
    if (exponent == Infinite || bits.significand == 0) {
        return value; // infinities, NaNs and zeros hold as they are
    }
    // The 8-bit exponent cannot hold magnitudes below 2^-128: they read as 0,
    // and so does a denormal extended value, far below them.
    if (exponent < Bias - 129) {
        return 0;
    }
    // 40 significant bits: drop the low 24, halfway cases away from zero.
    constexpr uint64_t Dropped = (uint64_t{1} << 24) - 1;
    const uint64_t sum = bits.significand + (uint64_t{1} << 23);
    const bool carried = sum < bits.significand;
    // Below 2^-128 after rounding unless it carried up to 2^-128 itself.
    if (exponent == Bias - 129 && !carried) {
        return 0;
    }
    if (carried) {
        // Out of the top bit: 1.0 times the next power of two.
        if (exponent + 1 == Infinite) {
            return value; // not reached for the model's magnitudes
        }
        bits.significand = uint64_t{1} << 63;
        bits.signAndExponent = static_cast<uint16_t>(bits.signAndExponent + 1);
    } else {
        bits.significand = sum & ~Dropped;
    }
    return FromBits(bits);
}

inline TComplex CMake(float re, float im) {
    return TComplex{re, im};
}

inline TComplex CAdd(TComplex a, TComplex b) {
    return TComplex{StoreSingleSum(a.Re, b.Re), StoreSingleSum(a.Im, b.Im)};
}

inline TComplex CSub(TComplex a, TComplex b) {
    return TComplex{StoreSingleSum(a.Re, -b.Re), StoreSingleSum(a.Im, -b.Im)};
}

inline TComplex CMul(TComplex a, TComplex b) {
    if (a.Re == 0 || a.Im == 0 || b.Re == 0 || b.Im == 0) {
        // Each component then adds a zero to a product of two floats, which
        // a double holds exactly (48 bits): no step rounds, so plain double
        // arithmetic gives the same bits. The circuit's magnetizing branch
        // and its supply voltage take this way.
        const double re = static_cast<double>(a.Re) * b.Re - static_cast<double>(a.Im) * b.Im;
        const double im = static_cast<double>(a.Im) * b.Re + static_cast<double>(a.Re) * b.Im;
        return TComplex{complex_detail::SaturatingStore(re), complex_detail::SaturatingStore(im)};
    }
    const double re = static_cast<double>(Wide(a.Re) * Wide(b.Re) - Wide(a.Im) * Wide(b.Im));
    const double im = static_cast<double>(Wide(a.Im) * Wide(b.Re) + Wide(a.Re) * Wide(b.Im));
    return TComplex{complex_detail::SaturatingStore(re), complex_detail::SaturatingStore(im)};
}

inline TComplex CConj(TComplex a) {
    return TComplex{a.Re, -a.Im};
}

[[gnu::always_inline]] inline TComplex CDiv(TComplex a, TComplex b) {
    if (std::fabs(b.Re) <= complex_detail::ZeroDivisorThresholdAsFloat &&
        std::fabs(b.Im) <= complex_detail::ZeroDivisorThresholdAsFloat) {
        return TComplex{0, 0};
    }
    const double d = static_cast<double>(Wide(b.Re) * Wide(b.Re) + Wide(b.Im) * Wide(b.Im));
    const TComplex t = CMul(a, CConj(b));
    const double re = static_cast<double>(Wide(t.Re) / d);
    const double im = static_cast<double>(Wide(t.Im) / d);
    return TComplex{complex_detail::SaturatingStore(re), complex_detail::SaturatingStore(im)};
}

inline Real48 CAbs(TComplex a) {
    const Extended re2 = Wide(a.Re) * Wide(a.Re);
    const Extended im2 = Wide(a.Im) * Wide(a.Im);
    const Extended sum = re2 + im2;
    // The sum alone decides: each of the other limits is implied by it.
    if (sum > complex_detail::SaturationLimit) {
        return RoundToReal48(complex_detail::SaturationLimit);
    }
    return RoundToReal48(Sqrt(sum));
}
