#include "decimal_forms.h"

#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <string_view>

namespace {

// value = 0.digits x 10^exponent; digits has no leading or trailing zeros and
// is empty for zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

void DropTrailingZeros(std::string& digits) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
}

Decimal ExactDecimal(float value) {
    // A float has at most 149 binary places, hence at most 149 decimal
    // places: printed with 149 the text is the exact value, not a rounding.
    char buffer[200];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 149);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = text.find('.');
    Decimal decimal;
    decimal.digits = std::string(text.substr(0, point)) + std::string(text.substr(point + 1));
    decimal.exponent = static_cast<int>(point);
    const std::size_t lead = decimal.digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        return {};
    }
    decimal.digits.erase(0, lead);
    decimal.exponent -= static_cast<int>(lead);
    DropTrailingZeros(decimal.digits);
    return decimal;
}

// Keeps the first `kept` digits; the value is exact, so a first dropped digit
// of 5 or more means at or above the half, and a tie goes up in magnitude.
Decimal RoundToDigits(Decimal decimal, int kept) {
    if (kept < 0) {
        return {};
    }
    const auto keep = static_cast<std::size_t>(kept);
    if (keep >= decimal.digits.size()) {
        return decimal;
    }
    const bool up = decimal.digits[keep] >= '5';
    decimal.digits.resize(keep);
    if (up) {
        std::size_t at = keep;
        while (at > 0 && decimal.digits[at - 1] == '9') {
            decimal.digits[--at] = '0';
        }
        if (at == 0) {
            decimal.digits.insert(0, 1, '1');
            ++decimal.exponent;
        } else {
            ++decimal.digits[at - 1];
        }
    }
    DropTrailingZeros(decimal.digits);
    return decimal;
}

std::string PadLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    }
    return text;
}

// The digit at `index` (0 is the first), '0' outside the digit string.
char DigitAt(const Decimal& decimal, int index) {
    if (index < 0 || index >= static_cast<int>(decimal.digits.size())) {
        return '0';
    }
    return decimal.digits[static_cast<std::size_t>(index)];
}

} // namespace

std::string GeneralForm(float value, int width, int precision) {
    const Decimal d = RoundToDigits(ExactDecimal(value), precision);
    std::string text;
    if (d.digits.empty()) {
        text = "0";
    } else if (d.exponent > precision || d.exponent < -3) {
        text = d.digits.substr(0, 1);
        if (d.digits.size() > 1) {
            text += '.';
            text += d.digits.substr(1);
        }
        const int power = d.exponent - 1;
        text += 'E';
        if (power < 0) {
            text += '-';
        }
        text += std::to_string(std::abs(power));
    } else if (d.exponent <= 0) {
        text = "0." + std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
    } else {
        for (int i = 0; i < d.exponent; ++i) {
            text += DigitAt(d, i);
        }
        if (static_cast<int>(d.digits.size()) > d.exponent) {
            text += '.';
            text += d.digits.substr(static_cast<std::size_t>(d.exponent));
        }
    }
    return PadLeft(text, width);
}

std::string FixedForm(float value, int width, int decimals) {
    const Decimal exact = ExactDecimal(value);
    const Decimal d = RoundToDigits(exact, exact.exponent + decimals);
    std::string text;
    if (d.exponent <= 0) {
        text = "0";
    }
    for (int i = 0; i < d.exponent; ++i) {
        text += DigitAt(d, i);
    }
    text += '.';
    for (int i = 0; i < decimals; ++i) {
        text += DigitAt(d, d.exponent + i);
    }
    return PadLeft(text, width);
}
