// The checked stores of the numeric model. Arithmetic runs at extended
// precision (extended.h, 64-bit significand); a value is rounded once when
// it is stored. Storing a finite value that does not fit the target
// format is the overflow fault; storing a NaN is the invalid-operation fault.
// Underflow to zero or to a denormal is silent.
//
// Defined here so that they inline: an extended value passed to a function
// goes through memory, and the model stores a value at every step.
#pragma once

#include "extended.h"

#include <cmath>

// The faults, thrown out of line so that the checks stay small.
[[noreturn]] void ThrowFloatOverflow();
[[noreturn]] void ThrowFloatInvalidOp();
[[noreturn]] void ThrowFloatZeroDivide();

namespace fp_store_detail {
template <typename T> inline T CheckedRound(Extended value) {
    if (IsNaN(value)) [[unlikely]] {
        ThrowFloatInvalidOp();
    }
    const T stored = static_cast<T>(value);
    // An infinite operand stores as itself; only a finite value that rounds
    // out of range is an overflow.
    if (std::isinf(stored) && !IsInf(value)) [[unlikely]] {
        ThrowFloatOverflow();
    }
    return stored;
}
} // namespace fp_store_detail

// Rounds to a 32-bit float; throws FloatOverflowError when the result would
// not be finite and FloatInvalidOpError for a NaN.
inline float StoreSingle(Extended value) {
    return fp_store_detail::CheckedRound<float>(value);
}

// Rounds to an IEEE double, with the same checks.
inline double StoreDouble(Extended value) {
    return fp_store_detail::CheckedRound<double>(value);
}

// StoreSingle(Wide(a) + Wide(b)). A sum of two floats worked at 64 bits and
// then rounded to 24 is the correctly rounded float sum (64 >= 2 * 24 + 2
// bits), so the float addition gives the same bits without the detour
// through the x87 stack; its faults are the checked store's: NaN for a NaN,
// infinity from finite operands for an overflow.
inline float StoreSingleSum(float a, float b) {
    const float sum = a + b;
    if (std::isnan(sum)) [[unlikely]] {
        ThrowFloatInvalidOp();
    }
    if (std::isinf(sum) && !std::isinf(a) && !std::isinf(b)) [[unlikely]] {
        ThrowFloatOverflow();
    }
    return sum;
}

// dividend / divisor at extended precision; a zero divisor raises the
// division-by-zero fault, or the invalid-operation fault for 0/0.
inline Extended CheckedDivide(Extended dividend, Extended divisor) {
    if (divisor == 0) [[unlikely]] {
        if (dividend == 0 || IsNaN(dividend)) {
            ThrowFloatInvalidOp();
        }
        ThrowFloatZeroDivide();
    }
    return dividend / divisor;
}
