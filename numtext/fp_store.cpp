#include "fp_store.h"

#include "fp_errors.h"

void ThrowFloatOverflow() {
    throw FloatOverflowError();
}

void ThrowFloatInvalidOp() {
    throw FloatInvalidOpError();
}

void ThrowFloatZeroDivide() {
    throw FloatZeroDivideError();
}
