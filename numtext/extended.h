// The extended-precision type of the numeric model: a 64-bit significand,
// round to nearest with ties to even, the x87 exponent range. Everything
// exact about the model rests on this header and the stores of fp_store.h;
// nothing else knows which arithmetic does the work.
//
// The build picks one (IMD_ARITHMETIC): `x87`, the x87 unit's long double,
// where long double is that format; or `portable`, the same values and
// roundings worked in integers (extended_portable.h), for every other
// IEEE-754 platform. Both give the same bits for every operation.
//
// Use: Extended values from floats, doubles, integers and long double
// literals (decimal constants are written 6.2831853L); + - * / and
// comparisons; Sqrt, Abs, IsNaN, IsInf; static_cast<float> and
// static_cast<double> for the single rounding to those formats.
#pragma once

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string_view>

#if defined(__i386__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

// Float and double arithmetic must round each operation once to its own
// format: the float sums and double products of the model rely on it.
// x87 float arithmetic (-mfpmath=387) keeps them at extended precision.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "the numeric model needs float arithmetic in the float format (SSE on x86)"
#endif

#if IMD_ARITHMETIC_PORTABLE

#include "extended_portable.h"

#else

static_assert(__LDBL_MANT_DIG__ == 64 && __LDBL_MAX_EXP__ == 16384,
              "the x87 arithmetic needs the x87 80-bit long double; configure with "
              "-DIMD_ARITHMETIC=portable");

using Extended = long double;

inline Extended Sqrt(Extended v) {
    return std::sqrt(v);
}
inline Extended Abs(Extended v) {
    return std::fabs(v);
}
inline bool IsNaN(Extended v) {
    return std::isnan(v);
}
inline bool IsInf(Extended v) {
    return std::isinf(v);
}

#endif

// A stored value taken into an extended-precision expression (exact).
constexpr Extended Wide(float v) {
    return v;
}

// An extended value in the x87 encoding: the 64-bit significand with its
// leading bit explicit, then the sign and a 15-bit exponent biased by 16383.
struct ExtendedBits {
    uint64_t significand;
    uint16_t signAndExponent;
};

#if IMD_ARITHMETIC_PORTABLE
constexpr ExtendedBits ToBits(Extended value) {
    return {value.Significand(), value.SignAndExponent()};
}
constexpr Extended FromBits(ExtendedBits bits) {
    return Extended::FromEncoding(bits.significand, bits.signAndExponent);
}
#else
namespace extended_detail {
// long double as laid out in memory; the bytes after the ten of the value
// are padding, declared as bytes so that a bit_cast may leave them
// indeterminate.
struct X87Layout {
    uint64_t significand;
    uint16_t signAndExponent;
    unsigned char padding[sizeof(long double) - 10];
};
static_assert(sizeof(X87Layout) == sizeof(long double));
} // namespace extended_detail

constexpr ExtendedBits ToBits(Extended value) {
    const auto layout = std::bit_cast<extended_detail::X87Layout>(value);
    return {layout.significand, layout.signAndExponent};
}
constexpr Extended FromBits(ExtendedBits bits) {
    return std::bit_cast<Extended>(
        extended_detail::X87Layout{bits.significand, bits.signAndExponent, {}});
}
#endif

// A constant expression with either arithmetic and either compiler.
static_assert(ToBits(1.5L).significand == 0xC000000000000000u &&
              ToBits(-1.5L).signAndExponent == 0xBFFF);

// For the length of one calculation: the floating-point environment the
// model's results are defined under, whatever the caller set. On x86 the
// x87 unit at 64-bit precision, round to nearest, and SSE with round to
// nearest and flush-to-zero and denormals-are-zero off; on AArch64 round to
// nearest and flush-to-zero off. The caller's state comes back at the end.
// Costs two register reads when the state is already right.
class FloatEnvironmentScope {
public:
    FloatEnvironmentScope() {
#if defined(__i386__) || defined(__x86_64__)
#if !IMD_ARITHMETIC_PORTABLE
        __asm__ volatile("fnstcw %0" : "=m"(x87Control_));
        if ((x87Control_ & X87Mask) != X87Wanted) {
            const uint16_t wanted = static_cast<uint16_t>((x87Control_ & ~X87Mask) | X87Wanted);
            __asm__ volatile("fldcw %0" : : "m"(wanted));
            restoreX87_ = true;
        }
#endif
        sseControl_ = _mm_getcsr();
        if ((sseControl_ & SseMask) != 0) {
            _mm_setcsr(sseControl_ & ~SseMask);
            restoreSse_ = true;
        }
#elif defined(__aarch64__)
        __asm__ volatile("mrs %0, fpcr" : "=r"(fpcr_));
        if ((fpcr_ & FpcrMask) != 0) {
            const uint64_t wanted = fpcr_ & ~FpcrMask;
            __asm__ volatile("msr fpcr, %0" : : "r"(wanted));
            restoreFpcr_ = true;
        }
#endif
    }
    ~FloatEnvironmentScope() {
#if defined(__i386__) || defined(__x86_64__)
#if !IMD_ARITHMETIC_PORTABLE
        if (restoreX87_) {
            __asm__ volatile("fldcw %0" : : "m"(x87Control_));
        }
#endif
        if (restoreSse_) {
            _mm_setcsr(sseControl_);
        }
#elif defined(__aarch64__)
        if (restoreFpcr_) {
            __asm__ volatile("msr fpcr, %0" : : "r"(fpcr_));
        }
#endif
    }
    FloatEnvironmentScope(const FloatEnvironmentScope&) = delete;
    FloatEnvironmentScope& operator=(const FloatEnvironmentScope&) = delete;

private:
#if defined(__i386__) || defined(__x86_64__)
#if !IMD_ARITHMETIC_PORTABLE
    // x87: precision control (bits 8-9, 11 = 64 bits) and rounding control
    // (bits 10-11, 00 = nearest).
    static constexpr uint16_t X87Mask = 0x0f00;
    static constexpr uint16_t X87Wanted = 0x0300;
    uint16_t x87Control_ = 0;
    bool restoreX87_ = false;
#endif
    // MXCSR: flush-to-zero (bit 15), rounding (bits 13-14), denormals-are-zero
    // (bit 6); all clear is round to nearest with gradual underflow.
    static constexpr unsigned SseMask = 0xe040;
    unsigned sseControl_ = 0;
    bool restoreSse_ = false;
#elif defined(__aarch64__)
    // FPCR: flush-to-zero (bit 24) and rounding mode (bits 22-23).
    static constexpr uint64_t FpcrMask = 0x01c00000;
    uint64_t fpcr_ = 0;
    bool restoreFpcr_ = false;
#endif
};

// Converts a decimal text of the form digits[.digits][e(+|-)digits] (no
// sign, at least one digit before any point) to the nearest Extended, ties
// to even. OutOfRange when its magnitude is beyond the extended range,
// either way (the caller knows which from the digits).
enum class DecimalStatus { Ok, OutOfRange, Malformed };
DecimalStatus DecimalToExtended(std::string_view text, Extended& value);
