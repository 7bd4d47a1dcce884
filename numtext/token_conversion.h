// The text-to-float conversion of number tokens. It reads the locale's
// separator (passed in) but never consults LC_NUMERIC itself, so a token
// converts the same under every locale.
#pragma once

#include <string_view>

// Converts a token that has the shape of a number (optional sign, digits,
// optional separator and digits, optional 'e'/'E' with optional sign and
// digits) to the nearest 32-bit float. The mantissa needs a digit or the
// separator; an exponent without digits counts as exponent 0.
// Throws ConversionError (naming the token as given) when the token has no
// such form, and FloatOverflowError when the value is beyond the float range;
// a value too small becomes a denormal or zero silently.
float ConvertNumberToken(std::string_view token, char separator);
