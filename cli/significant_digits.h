// Numbers as the batch command writes them: shortest general form with a
// given number of significant digits, '.' as decimal separator whatever the
// locale.
#pragma once

#include <string>

std::string SignificantDigits(double value, int digits);
