#pragma once

#include <string_view>

// The first number of a box's text, or 0 when any token of the text is
// malformed or the text is empty: a typed 0 and an unreadable text look the
// same to the caller. ParseNumbers' errors pass through.
float ReadFirstNumber(std::string_view text);
