#include "significant_digits.h"

#include "decimal_core.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

using U128 = unsigned __int128;

using decimal_core::PowersOfTen;

constexpr int MaxDigits = 17;
static_assert(MaxDigits < static_cast<int>(PowersOfTen.size()));

// 10^places in 128 bits, for places up to 22: 10^22 < 2^74, so with a
// significand below 2^53 the product stays below 2^127.
constexpr int MaxPlaces = 22;
constexpr U128 TenTo(int places) {
    constexpr int top = static_cast<int>(PowersOfTen.size()) - 1;
    if (places <= top) {
        return PowersOfTen[static_cast<std::size_t>(places)];
    }
    return U128{PowersOfTen.back()} * PowersOfTen[static_cast<std::size_t>(places - top)];
}

// Writes the %g text of `digits` significant digits d1 d2 ... (trailing
// zeros dropped) of a value d1.d2... x 10^exponent to `text`, which has room
// for TextRoom characters; returns its end.
constexpr std::size_t TextRoom = 48;

char* WriteGeneral(char* text, bool negative, std::uint64_t whole, int digits, int exponent) {
    char significant[24];
    char* last = std::to_chars(significant, significant + sizeof significant, whole).ptr;
    while (last > significant + 1 && last[-1] == '0') {
        --last;
    }
    const auto count = static_cast<int>(last - significant);
    char* out = text;
    if (negative) {
        *out++ = '-';
    }
    const auto copy = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            *out++ = significant[i];
        }
    };
    if (exponent < -4 || exponent >= digits) {
        *out++ = significant[0];
        if (count > 1) {
            *out++ = '.';
            copy(1, count);
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            *out++ = '0';
        }
        out = std::to_chars(out, text + TextRoom, magnitude).ptr;
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        copy(0, std::min(count, integerDigits));
        for (int i = count; i < integerDigits; ++i) {
            *out++ = '0';
        }
        if (count > integerDigits) {
            *out++ = '.';
            copy(integerDigits, count);
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = 1; i < -exponent; ++i) {
            *out++ = '0';
        }
        copy(0, count);
    }
    return out;
}

// A value rounded to `digits` significant digits: whole x 10^(exponent -
// digits + 1), whole of exactly `digits` digits.
struct Rounded {
    bool negative = false;
    std::uint64_t whole = 0;
    int exponent = 0;
    bool operator==(const Rounded&) const = default;
};

// The rounding std::to_chars makes, in integers where the value times a
// power of ten fits 128 bits: the value is m x 2^-shift with m below 2^53, so
// its digits are the whole part of m x 10^places / 2^shift, rounded half to
// even as the library rounds. Empty for other values.
std::optional<Rounded> RoundQuickly(double value, int digits) {
    if (value == 0 || !std::isfinite(value) || digits < 1 || digits > MaxDigits) {
        return std::nullopt;
    }
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0) {
        return std::nullopt; // denormal
    }
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased;
    if (shift < 1 || shift > 127) {
        return std::nullopt;
    }
    // 2^power <= |value| < 2^(power+1). The estimate of the decimal exponent
    // is corrected by one where needed.
    const int power = 52 - shift;
    int exponent = decimal_core::DecimalExponentOfPowerOfTwo(power);
    for (int tries = 0; tries < 3; ++tries) {
        const int places = digits - 1 - exponent;
        if (places < 0 || places > MaxPlaces) {
            return std::nullopt;
        }
        const U128 scaled = U128{m} * TenTo(places);
        const U128 whole = scaled >> shift;
        if (whole >= PowersOfTen[static_cast<std::size_t>(digits)]) {
            ++exponent;
            continue;
        }
        if (whole < PowersOfTen[static_cast<std::size_t>(digits) - 1]) {
            --exponent;
            continue;
        }
        const U128 rest = scaled - (whole << shift);
        const U128 half = U128{1} << (shift - 1);
        auto rounded = static_cast<std::uint64_t>(whole);
        if (rest > half || (rest == half && rounded % 2 != 0)) {
            ++rounded;
        }
        if (rounded == PowersOfTen[static_cast<std::size_t>(digits)]) {
            rounded = PowersOfTen[static_cast<std::size_t>(digits) - 1];
            ++exponent;
        }
        return Rounded{bits >> 63 != 0, rounded, exponent};
    }
    return std::nullopt;
}

} // namespace

void AppendSignificantDigits(std::string& text, double value, int digits) {
    if (std::isnan(value)) {
        // A NaN's sign is no result: it is the platform's default NaN
        // (negative on x86, positive on AArch64). Every platform writes what
        // x86-64 has always written.
        text += "-nan";
        return;
    }
    char buffer[64];
    static_assert(sizeof buffer >= TextRoom);
    const std::optional<Rounded> rounded = RoundQuickly(value, digits);
    const char* const end =
        rounded ? WriteGeneral(buffer, rounded->negative, rounded->whole, digits, rounded->exponent)
                : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                digits)
                      .ptr;
    text.append(buffer, static_cast<std::size_t>(end - buffer));
}

std::string SignificantDigits(double value, int digits) {
    std::string text;
    AppendSignificantDigits(text, value, digits);
    return text;
}

bool PrintsAlike(double a, double b, int digits) {
    const std::optional<Rounded> roundedA = RoundQuickly(a, digits);
    const std::optional<Rounded> roundedB = RoundQuickly(b, digits);
    if (roundedA && roundedB) {
        return *roundedA == *roundedB;
    }
    return SignificantDigits(a, digits) == SignificantDigits(b, digits);
}
