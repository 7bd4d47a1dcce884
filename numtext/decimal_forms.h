// The two printf-like conversions of the display format, written on the exact
// decimal value of a 32-bit float. Unlike the C library they round ties away
// from zero, write the exponent as E5 / E-5, and always use '.'.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// %g-like: `precision` significant digits, trailing zeros dropped, exponent
// form when the decimal exponent is below -4 or not below `precision`.
// Padded on the left with blanks to `width`, never cut. `value` must be finite
// and not negative.
std::string GeneralForm(float value, int width, int precision);

// %f-like: exactly `decimals` decimals. Same padding and preconditions.
std::string FixedForm(float value, int width, int decimals);

// The most characters the forms write: a float has at most 39 integer digits
// and a decimal exponent of two digits.
constexpr std::size_t GeneralFormRoom(int width, int precision) {
    return static_cast<std::size_t>(std::max({width, precision + 6, 6}));
}
constexpr std::size_t FixedFormRoom(int width, int decimals) {
    return static_cast<std::size_t>(std::max(width, 40 + std::max(decimals, 0)));
}

// The same texts written to `out`, which has room for the characters above;
// they return the end of what they wrote.
char* WriteGeneralForm(char* out, float value, int width, int precision);
char* WriteFixedForm(char* out, float value, int width, int decimals);

namespace decimal_forms_detail {
// The same two conversions rounded on the float's full decimal expansion: slow
// but for any magnitude. The forms above round in 64-bit integers and fall
// back to this where a value does not fit them; tests compare the two.
std::string GeneralFormByExpansion(float value, int width, int precision);
std::string FixedFormByExpansion(float value, int width, int decimals);
} // namespace decimal_forms_detail
