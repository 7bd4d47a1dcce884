#include "format_value.h"

#include "decimal_forms.h"
#include "fp_store.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::string_view kZeroText = " 0.0      ";
constexpr std::string_view kCeilingText = "1.0e8    ";
// A NaN is not a magnitude, so it gets neither the zero nor the ceiling: it
// shows as what it is, laid out like the zero text.
constexpr std::string_view kNaNText = " NaN      ";

// Room for any raw text: the forms' own and the two characters around them.
constexpr std::size_t kRawRoom = 2 + std::max(GeneralFormRoom(8, 6), FixedFormRoom(8, 6)) + 2;

// Writes the form picked by magnitude; every branch is nine characters wide.
char* WriteRawText(char* out, float a) {
    // 10^-5 and 10^-4 have no binary form; at extended precision no float
    // lies between the constant and the true decimal bound.
    const Extended wide = a;
    if (wide < 1e-4L) {
        *out++ = ' ';
        return WriteGeneralForm(out, a, 8, 4);
    }
    if (a < 1.0f) {
        *out++ = ' ';
        return WriteFixedForm(out, a, 8, 6);
    }
    if (a < 1e5f) {
        if (std::round(a) == a) {
            out = WriteGeneralForm(out, a, 7, 6);
            *out++ = '.';
            *out++ = '0';
            return out;
        }
        *out++ = ' ';
        *out++ = ' ';
        return WriteGeneralForm(out, a, 7, 6);
    }
    if (a < 1e8f) {
        *out++ = ' ';
        *out++ = ' ';
        return WriteGeneralForm(out, a, 7, 4);
    }
    return std::copy(kCeilingText.begin(), kCeilingText.end(), out);
}

bool Contains(const char* first, const char* last, char c1, char c2) {
    return std::any_of(first, last, [=](char c) { return c == c1 || c == c2; });
}

// EnsureDecimalPoint on the characters first..last, in place.
void EnsureDecimalPointIn(char* first, char* last) {
    if (last - first < 4 || Contains(first, last, '.', ',')) {
        return;
    }
    char* const mark = std::find_if(first, last, [](char c) { return c == 'e' || c == 'E'; });
    if (mark == last) {
        std::copy(first + 1, last, first);
        last[-1] = '.';
    } else if (*first == ' ') {
        std::copy(first + 1, mark, first);
        mark[-1] = '.';
    }
}

} // namespace

std::string FormatValue(float value) {
    if (std::isnan(value)) {
        return std::string(kNaNText);
    }
    const float a = std::fabs(value);
    if (static_cast<Extended>(a) < 1e-5L) {
        return std::string(kZeroText);
    }
    char raw[kRawRoom];
    char* const end = WriteRawText(raw, a);
    // The conversions write '.' whatever the locale, so no ',' needs mapping.
    EnsureDecimalPointIn(raw, end);
    const char* const signColumn = std::find_if(raw, end, [](char c) { return c != ' '; });
    char text[kRawRoom + 1];
    char* out = std::copy(static_cast<const char*>(raw), signColumn, text);
    *out++ = value < 0 ? '-' : ' ';
    out = std::copy(signColumn, static_cast<const char*>(end), out);
    return std::string(text, out);
}

std::string EnsureDecimalPoint(std::string s) {
    EnsureDecimalPointIn(s.data(), s.data() + s.size());
    return s;
}

std::string StripBlanks(std::string_view s) {
    std::string result;
    result.reserve(s.size());
    for (const char c : s) {
        if (c != ' ') {
            result.push_back(c);
        }
    }
    return result;
}
