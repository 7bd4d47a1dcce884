#include "fp_errors.h"

ConversionError::ConversionError(std::string_view token)
    : SystemError("'" + std::string(token) + "' is not a valid floating point value") {}

FloatOverflowError::FloatOverflowError() : FloatingPointError("Floating point overflow") {}

FloatZeroDivideError::FloatZeroDivideError()
    : FloatingPointError("Floating point division by zero") {}

FloatInvalidOpError::FloatInvalidOpError()
    : FloatingPointError("Invalid floating point operation") {}
