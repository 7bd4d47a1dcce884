// Numbers as the batch command writes them: the general form of the C library
// (%g, rounding ties to even) with a given number of significant digits, '.'
// as decimal separator whatever the locale. Unlike the display forms of
// decimal_forms.h it takes doubles and rounds as the library does.
#pragma once

#include <string>

std::string SignificantDigits(double value, int digits);

// Appends SignificantDigits(value, digits) to text.
void AppendSignificantDigits(std::string& text, double value, int digits);

// Whether the two texts SignificantDigits(a, digits) and (b, digits) are the
// same, mostly without making them.
bool PrintsAlike(double a, double b, int digits);
