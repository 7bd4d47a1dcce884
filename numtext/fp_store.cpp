#include "fp_store.h"

#include "fp_errors.h"

#include <cmath>

namespace {

template <typename T> T CheckedRound(Extended value) {
    if (std::isnan(value)) {
        throw FloatInvalidOpError();
    }
    const T stored = static_cast<T>(value);
    // An infinite operand stores as itself; only a finite value that rounds
    // out of range is an overflow.
    if (std::isinf(stored) && !std::isinf(value)) {
        throw FloatOverflowError();
    }
    return stored;
}

} // namespace

float StoreSingle(Extended value) {
    return CheckedRound<float>(value);
}

double StoreDouble(Extended value) {
    return CheckedRound<double>(value);
}

Extended CheckedDivide(Extended dividend, Extended divisor) {
    if (divisor == 0) {
        if (dividend == 0 || std::isnan(dividend)) {
            throw FloatInvalidOpError();
        }
        throw FloatZeroDivideError();
    }
    return dividend / divisor;
}
