// Any 32-bit pattern as a value to show. FormatValue: exactly ten characters
// for finite input, a '.' and never a ',', the same text under a ',' locale,
// and a text that reads back as the value to the digits shown. FormatEntry:
// empty exactly beyond +-2147483647 and for NaN; otherwise digits, ',' and
// two decimals, a text ParseNumbers reads as one good number, whose decimal
// value lies within 0.01 of the value.
#include "fuzz_support.h"

#include "format_value.h"
#include "fp_errors.h"
#include "number_parse.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const std::string ZeroText = " 0.0      ";
const std::string CeilingText = "1.0e8    ";

// The decimal value of a text in the C form ('.' and 'E'), at extended
// precision.
long double DecimalValue(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    char* end = nullptr;
    const long double v = std::strtold(text.c_str(), &end);
    Require(end != nullptr && *end == '\0', "the text is one plain number");
    return v;
}

void CheckFormatValue(float x) {
    const std::string shown = FormatValue(x);
    {
        const CommaLocale scope;
        Require(FormatValue(x) == shown, "FormatValue is the same under a ',' locale");
    }
    if (!std::isfinite(x)) {
        return; // infinity shows the ceiling; a NaN shows what it shows
    }
    Require(shown.size() == 10, "FormatValue gives ten characters for finite input");
    Require(shown.find('.') != std::string::npos, "FormatValue always has a '.'");
    Require(shown.find(',') == std::string::npos, "FormatValue never has a ','");

    const long double a = std::fabs(static_cast<long double>(x));
    if (a < 1e-5L) {
        Require(shown == ZeroText, "below 1e-5 the zero text");
        return;
    }
    if (a >= 1e8L) {
        Require(shown == (x < 0 ? "-" : " ") + CeilingText, "from 1e8 on the ceiling text");
        return;
    }
    const std::size_t first = shown.find_first_not_of(' ');
    Require(first != std::string::npos, "FormatValue shows something");
    Require((shown[first] == '-') == (x < 0), "a minus sign exactly for negative values");
    const std::size_t last = shown.find_last_not_of(' ');
    Require(last == shown.size() - 1, "numbers are right-aligned");
    const long double value = DecimalValue(shown.substr(first, last - first + 1));
    // Four significant digits at the least; six decimals between 1e-4 and 1.
    const long double error = std::fabs(value - static_cast<long double>(x));
    Require(error <= 5e-4L * a * (1 + 1e-6L) || error <= 5e-7L * (1 + 1e-6L),
            "FormatValue shows the value to its digits");
}

void CheckFormatEntry(float x) {
    const std::string text = FormatEntry(x);
    const bool outside = std::isnan(x) || static_cast<double>(x) > 2147483647.0 ||
                         static_cast<double>(x) < -2147483647.0;
    Require(text.empty() == outside, "FormatEntry is empty exactly outside its range");
    if (text.empty()) {
        return;
    }
    const std::size_t comma = text.find(',');
    const std::size_t digitsFrom = text[0] == '-' ? 1 : 0;
    Require(comma != std::string::npos && comma > digitsFrom && comma + 3 == text.size(),
            "FormatEntry: digits, ',' and two decimals");
    for (std::size_t i = digitsFrom; i < text.size(); ++i) {
        Require(i == comma || (text[i] >= '0' && text[i] <= '9'), "FormatEntry: only digits");
    }
    Require((text[0] == '-') == (x < 0), "FormatEntry: '-' exactly for negative values");

    const long double decimal = DecimalValue(text);
    Require(std::fabs(decimal - static_cast<long double>(x)) < 0.01L,
            "the FormatEntry text lies within 0.01 of the value");

    int32_t count = 0, errorSum = 0;
    float v1 = 0, v2 = 0, v3 = 0, v4 = 0;
    ParseNumbers(text, 1, count, v1, v2, v3, v4, errorSum);
    Require(count == 1 && errorSum == 0, "ParseNumbers reads a FormatEntry text as one number");
    // The value read back is the text's decimal value in 32 bits, so it may
    // add up to half a float spacing to the 0.01 of the text.
    Require(std::bit_cast<uint32_t>(v1) == std::bit_cast<uint32_t>(static_cast<float>(decimal)),
            "ParseNumbers reads back the text's own value");
    const long double spacing = std::nextafter(std::fabs(x), INFINITY) - std::fabs(x);
    Require(std::fabs(static_cast<long double>(v1) - x) < 0.01L + spacing / 2,
            "the value read back lies within 0.01 and half a float spacing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    uint32_t bits = 0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    const float x = std::bit_cast<float>(bits);
    CheckFormatValue(x);
    CheckFormatEntry(x);
    return 0;
}
