#include "format_value.h"

#include "decimal_forms.h"
#include "fp_store.h"

#include <cmath>
#include <cstddef>

namespace {

const std::string kZeroText = " 0.0      ";
const std::string kCeilingText = "1.0e8    ";
// A NaN is not a magnitude, so it gets neither the zero nor the ceiling: it
// shows as what it is, laid out like the zero text.
const std::string kNaNText = " NaN      ";

// Picks the form by magnitude; every branch is nine characters wide.
std::string RawText(float a) {
    // 10^-5 and 10^-4 have no binary form; at extended precision no float
    // lies between the constant and the true decimal bound.
    const Extended wide = a;
    if (wide < 1e-4L) {
        return " " + GeneralForm(a, 8, 4);
    }
    if (a < 1.0f) {
        return " " + FixedForm(a, 8, 6);
    }
    if (a < 1e5f) {
        if (std::round(a) == a) {
            return GeneralForm(a, 7, 6) + ".0";
        }
        return "  " + GeneralForm(a, 7, 6);
    }
    if (a < 1e8f) {
        return "  " + GeneralForm(a, 7, 4);
    }
    return kCeilingText;
}

} // namespace

std::string FormatValue(float value) {
    if (std::isnan(value)) {
        return kNaNText;
    }
    const float a = std::fabs(value);
    if (static_cast<Extended>(a) < 1e-5L) {
        return kZeroText;
    }
    // The conversions write '.' whatever the locale, so no ',' needs mapping.
    std::string text = EnsureDecimalPoint(RawText(a));
    std::size_t signColumn = text.find_first_not_of(' ');
    if (signColumn == std::string::npos) {
        signColumn = text.size();
    }
    text.insert(signColumn, 1, value < 0 ? '-' : ' ');
    return text;
}

std::string EnsureDecimalPoint(std::string s) {
    if (s.size() < 4 || s.find_first_of(".,") != std::string::npos) {
        return s;
    }
    const std::size_t mark = s.find_first_of("eE");
    if (mark == std::string::npos) {
        s.erase(0, 1);
        s.push_back('.');
    } else if (s.front() == ' ') {
        s.erase(0, 1);
        s.insert(mark - 1, 1, '.');
    }
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
