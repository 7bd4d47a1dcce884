// Number text out: the one display form of every number the system shows.
// FormatValue gives exactly ten characters for finite input: a sign column,
// four to six significant digits depending on magnitude, and a '.' that is
// always present and never depends on the locale. Callers append the unit.
#pragma once

#include <string>
#include <string_view>

std::string FormatValue(float value);

// Puts a '.' into a number text that has none, keeping its length
// (used by FormatValue).
std::string EnsureDecimalPoint(std::string s);

// The text without its blanks (code 32).
std::string StripBlanks(std::string_view s);
