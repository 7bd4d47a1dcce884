// The errors a user can meet: a number text the conversion refuses, and the
// three floating-point faults. They are thrown where they arise and caught
// only at the window's event boundary (or per row by the batch command),
// which shows what() followed by ".". Never branch on the message text;
// branch on the class.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Base of every error the user is shown; nothing else is caught at the boundary.
class SystemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A token that passed the shape check but that the text-to-float conversion
// refuses ("e5", "-"). The message carries the token after separator mapping.
class ConversionError : public SystemError {
public:
    explicit ConversionError(std::string_view token);
};

class FloatingPointError : public SystemError {
public:
    using SystemError::SystemError;
};

// A result too large for the 32-bit store.
class FloatOverflowError : public FloatingPointError {
public:
    FloatOverflowError();
};

// A non-zero value divided by zero.
class FloatZeroDivideError : public FloatingPointError {
public:
    FloatZeroDivideError();
};

// 0/0, a NaN operand, or any other operation without a defined result.
class FloatInvalidOpError : public FloatingPointError {
public:
    FloatInvalidOpError();
};
