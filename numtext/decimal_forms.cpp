#include "decimal_forms.h"

#include "decimal_core.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

// value = 0.digits x 10^exponent; digits has no leading or trailing zeros and
// is empty for zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// The same, its digits held elsewhere.
struct DecimalView {
    std::string_view digits;
    int exponent = 0;
};

void DropTrailingZeros(std::string& digits) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
}

// ---------------------------------------------------------------------------
// Rounding on the full decimal expansion: any finite float.

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

Decimal SignificantByExpansion(float value, int precision) {
    return RoundToDigits(ExactDecimal(value), precision);
}

Decimal PlacesByExpansion(float value, int decimals) {
    const Decimal exact = ExactDecimal(value);
    return RoundToDigits(exact, exact.exponent + decimals);
}

// ---------------------------------------------------------------------------
// The same rounding in 64-bit integers, for the magnitudes where they hold
// it: every value the display form shows.

using decimal_core::PowersOfTen;

// A positive float as m x 2^twos, m a whole number below 2^24.
struct Binary {
    std::uint64_t m = 0;
    int twos = 0;
};

Binary BinaryOf(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const auto biased = static_cast<int>(bits >> 23);
    const std::uint64_t fraction = bits & 0x7FFFFFu;
    if (biased == 0) {
        return {fraction, -149}; // denormal
    }
    return {fraction | 0x800000u, biased - 150};
}

// value x 10^places as a whole part and whether the rest is at least one
// half: the integer division of m x 10^places x 2^twos, the factors with a
// negative exponent going to the divisor. Empty when they do not fit below
// 2^63, so that twice a remainder cannot overflow.
struct Scaled {
    std::uint64_t whole = 0;
    bool halfOrMore = false;
};

constexpr std::uint64_t Limit = std::uint64_t{1} << 63;

bool Multiply(std::uint64_t& x, std::uint64_t factor) {
    return !__builtin_mul_overflow(x, factor, &x) && x < Limit;
}

bool Shift(std::uint64_t& x, int bits) {
    if (bits >= 63 || x >= (Limit >> bits)) {
        return false;
    }
    x <<= bits;
    return true;
}

std::optional<Scaled> Scale(float value, int places) {
    const Binary binary = BinaryOf(value);
    std::uint64_t numerator = binary.m;
    std::uint64_t divisor = 1;
    const int tens = std::abs(places);
    if (tens >= static_cast<int>(PowersOfTen.size()) ||
        !Multiply(places >= 0 ? numerator : divisor, PowersOfTen[static_cast<std::size_t>(tens)]) ||
        !Shift(binary.twos >= 0 ? numerator : divisor, std::abs(binary.twos))) {
        return std::nullopt;
    }
    if ((divisor & (divisor - 1)) == 0) {
        // No power of ten in the divisor, the usual case: a shift.
        const std::uint64_t rest = numerator & (divisor - 1);
        return Scaled{numerator >> std::countr_zero(divisor), rest >= divisor - rest};
    }
    const std::uint64_t rest = numerator % divisor;
    return Scaled{numerator / divisor, rest >= divisor - rest};
}

// Room for the digits of a whole number below 2^63.
using DigitBuffer = std::array<char, 20>;

// The whole number n as the digits of n x 10^-places, written to `buffer`.
DecimalView FromWhole(std::uint64_t n, int places, DigitBuffer& buffer) {
    if (n == 0) {
        return {};
    }
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n).ptr;
    const auto count = static_cast<int>(end - buffer.data());
    while (end[-1] == '0') {
        --end;
    }
    return {std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())),
            count - places};
}

// An estimate of the decimal exponent E of a positive float, 10^(E-1) <=
// value < 10^E, from its binary one; Significant corrects it by one where
// needed.
int DecimalExponentEstimate(float value) {
    const Binary binary = BinaryOf(value);
    // 2^power <= value < 2^(power+1).
    const int power = binary.twos + static_cast<int>(std::bit_width(binary.m)) - 1;
    return decimal_core::DecimalExponentOfPowerOfTwo(power) + 1;
}

// The rounded digits of the two forms: in 64-bit integers, written to
// `buffer`, where they hold the value; else on the expansion, kept in
// `expanded`.
DecimalView Significant(float value, int precision, DigitBuffer& buffer, Decimal& expanded) {
    if (value == 0) {
        return {};
    }
    // 10^precision must fit the table.
    if (precision >= 1 && precision < static_cast<int>(PowersOfTen.size())) {
        const std::uint64_t lowest = PowersOfTen[static_cast<std::size_t>(precision) - 1];
        int exponent = DecimalExponentEstimate(value);
        for (int tries = 0; tries < 3; ++tries) {
            const int places = precision - exponent;
            const std::optional<Scaled> scaled = Scale(value, places);
            if (!scaled) {
                break;
            }
            if (scaled->whole >= lowest * 10) {
                ++exponent;
            } else if (scaled->whole < lowest) {
                --exponent;
            } else {
                return FromWhole(scaled->whole + (scaled->halfOrMore ? 1 : 0), places, buffer);
            }
        }
    }
    expanded = SignificantByExpansion(value, precision);
    return {expanded.digits, expanded.exponent};
}

DecimalView Places(float value, int decimals, DigitBuffer& buffer, Decimal& expanded) {
    if (const std::optional<Scaled> scaled = Scale(value, decimals)) {
        return FromWhole(scaled->whole + (scaled->halfOrMore ? 1 : 0), decimals, buffer);
    }
    expanded = PlacesByExpansion(value, decimals);
    return {expanded.digits, expanded.exponent};
}

// ---------------------------------------------------------------------------
// The texts.

// Blanks before a text of `length` characters up to `width`.
char* Pad(char* out, int length, int width) {
    for (int i = length; i < width; ++i) {
        *out++ = ' ';
    }
    return out;
}

char* Copy(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

// The digit at `index` (0 is the first), '0' outside the digit string.
char DigitAt(const DecimalView& decimal, int index) {
    if (index < 0 || index >= static_cast<int>(decimal.digits.size())) {
        return '0';
    }
    return decimal.digits[static_cast<std::size_t>(index)];
}

char* WriteGeneral(char* out, const DecimalView& d, int width, int precision) {
    const auto count = static_cast<int>(d.digits.size());
    if (count == 0) {
        out = Pad(out, 1, width);
        *out++ = '0';
    } else if (d.exponent > precision || d.exponent < -3) {
        const int power = d.exponent - 1;
        char exponent[8];
        const std::string_view powerDigits(
            exponent, static_cast<std::size_t>(
                          std::to_chars(exponent, exponent + sizeof exponent, std::abs(power)).ptr -
                          exponent));
        out = Pad(out,
                  count + (count > 1 ? 1 : 0) + 1 + (power < 0 ? 1 : 0) +
                      static_cast<int>(powerDigits.size()),
                  width);
        *out++ = d.digits.front();
        if (count > 1) {
            *out++ = '.';
            out = Copy(out, d.digits.substr(1));
        }
        *out++ = 'E';
        if (power < 0) {
            *out++ = '-';
        }
        out = Copy(out, powerDigits);
    } else if (d.exponent <= 0) {
        out = Pad(out, 2 - d.exponent + count, width);
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -d.exponent, '0');
        out = Copy(out, d.digits);
    } else {
        const int fraction = std::max(count - d.exponent, 0);
        out = Pad(out, d.exponent + (fraction > 0 ? 1 + fraction : 0), width);
        for (int i = 0; i < d.exponent; ++i) {
            *out++ = DigitAt(d, i);
        }
        if (fraction > 0) {
            *out++ = '.';
            out = Copy(out, d.digits.substr(static_cast<std::size_t>(d.exponent)));
        }
    }
    return out;
}

char* WriteFixed(char* out, const DecimalView& d, int width, int decimals) {
    out = Pad(out, std::max(d.exponent, 1) + 1 + decimals, width);
    if (d.exponent <= 0) {
        *out++ = '0';
    }
    for (int i = 0; i < d.exponent; ++i) {
        *out++ = DigitAt(d, i);
    }
    *out++ = '.';
    for (int i = 0; i < decimals; ++i) {
        *out++ = DigitAt(d, d.exponent + i);
    }
    return out;
}

// A text of at most `room` characters, written by `write` to its buffer.
template <typename Write> std::string TextOf(std::size_t room, Write write) {
    std::string text(room, '\0');
    text.resize(static_cast<std::size_t>(write(text.data()) - text.data()));
    return text;
}

} // namespace

char* WriteGeneralForm(char* out, float value, int width, int precision) {
    DigitBuffer buffer;
    Decimal expanded;
    return WriteGeneral(out, Significant(value, precision, buffer, expanded), width, precision);
}

char* WriteFixedForm(char* out, float value, int width, int decimals) {
    DigitBuffer buffer;
    Decimal expanded;
    return WriteFixed(out, Places(value, decimals, buffer, expanded), width, decimals);
}

std::string GeneralForm(float value, int width, int precision) {
    return TextOf(GeneralFormRoom(width, precision),
                  [&](char* out) { return WriteGeneralForm(out, value, width, precision); });
}

std::string FixedForm(float value, int width, int decimals) {
    return TextOf(FixedFormRoom(width, decimals),
                  [&](char* out) { return WriteFixedForm(out, value, width, decimals); });
}

namespace decimal_forms_detail {

std::string GeneralFormByExpansion(float value, int width, int precision) {
    const Decimal d = SignificantByExpansion(value, precision);
    return TextOf(GeneralFormRoom(width, precision), [&](char* out) {
        return WriteGeneral(out, {d.digits, d.exponent}, width, precision);
    });
}

std::string FixedFormByExpansion(float value, int width, int decimals) {
    const Decimal d = PlacesByExpansion(value, decimals);
    return TextOf(FixedFormRoom(width, decimals), [&](char* out) {
        return WriteFixed(out, {d.digits, d.exponent}, width, decimals);
    });
}

} // namespace decimal_forms_detail
