#include "token_conversion.h"

#include "fp_errors.h"
#include "fp_store.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return text.substr(start, pos - start);
}

// The pieces of a token of the shape: [sign] digits [separator digits]
// [e [sign] digits].
struct NumberParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    char exponentSign = '+';
    std::string_view exponentDigits;
};

// A value beyond the extended range: only a token thousands of digits long
// gets here. With at most two exponent digits, a nonzero digit before the
// point means the value is huge, none means tiny.
Extended OutOfRangeValue(std::string_view integerDigits) {
    if (integerDigits.find_first_not_of('0') != std::string_view::npos) {
        throw FloatOverflowError();
    }
    return 0.0L;
}

// 10^0 to 10^27: as 5^27 < 2^64, each is exact at extended precision.
constexpr std::array<Extended, 28> PowersOfTen = [] {
    std::array<Extended, 28> powers{};
    Extended power = 1;
    for (Extended& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The usual token, "0,82" or "1.5e3", in one extended operation: with at most
// 18 significant digits the mantissa is an exact integer, and with a power of
// ten of at most 27 that factor is exact too, so the product or quotient is
// rounded once, to the value the full conversion gives. Empty otherwise.
std::optional<Extended> ShortDecimal(const NumberParts& parts) {
    std::int64_t mantissa = 0;
    int significant = 0;
    for (const std::string_view digits : {parts.integerDigits, parts.fractionDigits}) {
        for (const char c : digits) {
            if (significant == 0 && c == '0') {
                continue;
            }
            if (++significant > 18) {
                return std::nullopt;
            }
            mantissa = mantissa * 10 + (c - '0');
        }
    }
    if (parts.exponentDigits.size() > 3) {
        return std::nullopt;
    }
    int exponent = 0;
    for (const char c : parts.exponentDigits) {
        exponent = exponent * 10 + (c - '0');
    }
    if (mantissa == 0) {
        return Extended(0);
    }
    const int power = (parts.exponentSign == '-' ? -exponent : exponent) -
                      static_cast<int>(parts.fractionDigits.size());
    const int maxPower = static_cast<int>(PowersOfTen.size()) - 1;
    if (power > maxPower || power < -maxPower) {
        return std::nullopt;
    }
    const auto wide = static_cast<Extended>(mantissa);
    return power >= 0 ? wide * PowersOfTen[static_cast<std::size_t>(power)]
                      : wide / PowersOfTen[static_cast<std::size_t>(-power)];
}

// Any token of the shape, converted at extended precision.
Extended FullConversion(std::string_view token, const NumberParts& parts) {
    // The conversion wants a digit before the point, no '+', no dangling
    // point and no exponent letter without digits.
    std::string plain =
        parts.integerDigits.empty() ? std::string("0") : std::string(parts.integerDigits);
    if (!parts.fractionDigits.empty()) {
        plain += '.';
        plain += parts.fractionDigits;
    }
    if (!parts.exponentDigits.empty()) {
        plain += 'e';
        plain += parts.exponentSign;
        plain += parts.exponentDigits;
    }

    Extended magnitude = 0.0L;
    switch (DecimalToExtended(plain, magnitude)) {
    case DecimalStatus::Ok:
        return magnitude;
    case DecimalStatus::OutOfRange:
        return OutOfRangeValue(parts.integerDigits);
    case DecimalStatus::Malformed:
        break;
    }
    throw ConversionError(token);
}

} // namespace

float ConvertNumberToken(std::string_view token, char separator) {
    NumberParts parts;
    std::size_t pos = 0;
    if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) {
        parts.negative = token[pos] == '-';
        ++pos;
    }
    parts.integerDigits = TakeDigits(token, pos);
    bool hasSeparator = false;
    if (pos < token.size() && token[pos] == separator) {
        hasSeparator = true;
        ++pos;
        parts.fractionDigits = TakeDigits(token, pos);
    }
    if (parts.integerDigits.empty() && !hasSeparator) {
        throw ConversionError(token);
    }
    if (pos < token.size() && (token[pos] == 'e' || token[pos] == 'E')) {
        ++pos;
        if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) {
            parts.exponentSign = token[pos];
            ++pos;
        }
        parts.exponentDigits = TakeDigits(token, pos);
    }
    if (pos != token.size()) {
        throw ConversionError(token);
    }

    const std::optional<Extended> quick = ShortDecimal(parts);
    const Extended magnitude = quick ? *quick : FullConversion(token, parts);
    return StoreSingle(parts.negative ? -magnitude : magnitude);
}
