#pragma once

#include <array>
#include <string_view>

// The help window's text, one entry a line, blanks at the ends included.
extern const std::array<std::string_view, 58> HelpLines;
