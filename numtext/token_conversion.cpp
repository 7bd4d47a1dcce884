#include "token_conversion.h"

#include "fp_errors.h"
#include "fp_store.h"

#include <charconv>
#include <cstddef>
#include <string>
#include <system_error>

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

// A value that std::from_chars cannot hold even at extended precision: only
// a token thousands of digits long gets here. With at most two exponent digits,
// a nonzero digit before the point means the value is huge, none means tiny.
Extended OutOfRangeValue(std::string_view integerDigits) {
    if (integerDigits.find_first_not_of('0') != std::string_view::npos) {
        throw FloatOverflowError();
    }
    return 0.0L;
}

} // namespace

float ConvertNumberToken(std::string_view token, char separator) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) {
        negative = token[pos] == '-';
        ++pos;
    }
    const std::string_view integerDigits = TakeDigits(token, pos);
    bool hasSeparator = false;
    std::string_view fractionDigits;
    if (pos < token.size() && token[pos] == separator) {
        hasSeparator = true;
        ++pos;
        fractionDigits = TakeDigits(token, pos);
    }
    if (integerDigits.empty() && !hasSeparator) {
        throw ConversionError(token);
    }
    char exponentSign = '+';
    std::string_view exponentDigits;
    if (pos < token.size() && (token[pos] == 'e' || token[pos] == 'E')) {
        ++pos;
        if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) {
            exponentSign = token[pos];
            ++pos;
        }
        exponentDigits = TakeDigits(token, pos);
    }
    if (pos != token.size()) {
        throw ConversionError(token);
    }

    // std::from_chars wants what it accepts: no '+', a digit before the
    // point, no dangling point and no exponent letter without digits.
    std::string plain = integerDigits.empty() ? std::string("0") : std::string(integerDigits);
    if (!fractionDigits.empty()) {
        plain += '.';
        plain += fractionDigits;
    }
    if (!exponentDigits.empty()) {
        plain += 'e';
        plain += exponentSign;
        plain += exponentDigits;
    }

    Extended magnitude = 0.0L;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), magnitude,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        magnitude = OutOfRangeValue(integerDigits);
    } else if (ec != std::errc() || end != plain.data() + plain.size()) {
        throw ConversionError(token);
    }
    return StoreSingle(negative ? -magnitude : magnitude);
}
