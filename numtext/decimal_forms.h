// The two printf-like conversions of the display format, written on the exact
// decimal value of a 32-bit float. Unlike the C library they round ties away
// from zero, write the exponent as E5 / E-5, and always use '.'.
#pragma once

#include <string>

// %g-like: `precision` significant digits, trailing zeros dropped, exponent
// form when the decimal exponent is below -4 or not below `precision`.
// Padded on the left with blanks to `width`, never cut. `value` must be finite
// and not negative.
std::string GeneralForm(float value, int width, int precision);

// %f-like: exactly `decimals` decimals. Same padding and preconditions.
std::string FixedForm(float value, int width, int decimals);
