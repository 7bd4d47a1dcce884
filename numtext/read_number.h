#pragma once

#include <cstdint>
#include <string_view>

// A box's text read by the boxes' rule, with what the rule hides from the
// window but a list of motors must report: how many numbers the text held
// and whether any token was malformed.
struct NumberRead {
    float value = 0; // the first number, or 0 when any token is malformed
    int32_t count = 0;
    bool wellFormed = true;
    // Exactly one number and nothing else: nothing was dropped or replaced.
    bool IsOneNumber() const { return wellFormed && count == 1; }
};

// ParseNumbers' errors pass through.
NumberRead ReadNumbers(std::string_view text);

// The first number of a box's text, or 0 when any token of the text is
// malformed or the text is empty: a typed 0 and an unreadable text look the
// same to the caller. ParseNumbers' errors pass through.
float ReadFirstNumber(std::string_view text);
