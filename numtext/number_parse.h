// Number text in: typed text to 32-bit floats, and floats to the two-decimal
// text that edit-array boxes are filled with.
//
// Both '.' and ',' are read as the decimal separator whatever the locale, so a
// value typed either way, or written by FormatEntry (always ','), reads back on
// any system. Only FindDecimalSeparator looks at the locale; the conversion
// itself never depends on LC_NUMERIC.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The locale's decimal separator: the first '.' or ',' in the text form of
// 0.5 under the current C locale, else ','.
char FindDecimalSeparator();

// The rule of FindDecimalSeparator applied to a given text form of 0.5.
char DecimalSeparatorOf(std::string_view textOfHalf);

// 0 when the text has the shape of a number, else the code of the first
// fault met (see number_parse.cpp for the codes).
int32_t CheckNumberToken(std::string_view text);

// Splits text at blanks (code 32 only) into tokens, checks each and converts
// the good ones. Tokens number first..first+3 go to value1..value4; an output
// that no good token reaches keeps what the caller put in. An empty or blank
// text sets all four values and count to 0 and errorSum to 10.
// Throws ConversionError for a well-shaped token the conversion refuses and
// FloatOverflowError for a value beyond the 32-bit range.
void ParseNumbers(std::string_view text, int32_t first, int32_t& count, float& value1,
                  float& value2, float& value3, float& value4, int32_t& errorSum);

// The two-decimal text with ',' ("0,80"); empty beyond +-2147483647 or for NaN.
std::string FormatEntry(float x);

// 1 when text holds a '.' or a ',', else 0.
int32_t HasSeparator(std::string_view text);
