#include "number_parse.h"

#include "fp_store.h"
#include "token_conversion.h"

#include <clocale>
#include <cmath>
#include <string>

// Codes of CheckNumberToken:
//   0  the token has the shape of a number
//   1  the first character is none of: digit, '+', '-', separator, 'e', 'E'
//   2  a character after integer digits is none of: digit, separator, 'e', 'E'
//   3  the character after a leading sign is none of: digit, separator, 'e', 'E'
//   5  a character after the separator is neither a digit nor 'e'/'E'
//   6  the character after 'e'/'E' is none of: '+', '-', digit
//   7  the character after the exponent's sign is not a digit
//   8  the character after the first exponent digit is not a digit
//   9  a non-blank character follows the second exponent digit
//   10 the scan is in no known state (cannot occur)
//   11 a two-digit exponent of 37 or more, whatever its sign
// Code 4 is not used.

namespace {

constexpr char kBlank = ' ';

enum class CharClass { Digit, Sign, Separator, ExponentMark, Blank, Other };

enum class ScanState {
    Start,
    IntegerDigits,
    AfterSign,
    AfterSeparator,
    FractionDigits,
    AfterExponentMark,
    AfterExponentSign,
    OneExponentDigit,
    TwoExponentDigits,
};

CharClass ClassOf(char c, char separator) {
    if (c >= '0' && c <= '9') {
        return CharClass::Digit;
    }
    if (c == '+' || c == '-') {
        return CharClass::Sign;
    }
    if (c == separator) {
        return CharClass::Separator;
    }
    if (c == 'e' || c == 'E') {
        return CharClass::ExponentMark;
    }
    if (c == kBlank) {
        return CharClass::Blank;
    }
    return CharClass::Other;
}

// One move of the scan: the next state, or a nonzero code that ends it.
struct Step {
    ScanState next;
    int32_t code;
};

// The states before the exponent differ only in where a digit leads, whether
// a separator may still come, and the code for anything else.

Step MantissaStep(CharClass cls, ScanState onDigit, bool separatorAllowed, int32_t code) {
    switch (cls) {
    case CharClass::Digit:
        return {onDigit, 0};
    case CharClass::Separator:
        return separatorAllowed ? Step{ScanState::AfterSeparator, 0} : Step{{}, code};
    case CharClass::ExponentMark:
        return {ScanState::AfterExponentMark, 0};
    default:
        return {{}, code};
    }
}

std::int64_t RoundHalfToEven(float value) {
    const float below = std::floor(value);
    const float rest = value - below;
    auto result = static_cast<std::int64_t>(below);
    if (rest > 0.5f || (rest == 0.5f && result % 2 != 0)) {
        ++result;
    }
    return result;
}

// CheckNumberToken with the separator given, so that ParseNumbers asks the
// locale once per text rather than once per token.
int32_t TokenCode(std::string_view text, char separator) {
    ScanState state = ScanState::Start;
    int32_t exponent = 0;
    for (const char c : text) {
        const CharClass cls = ClassOf(c, separator);
        Step step{state, 0};
        switch (state) {
        case ScanState::Start:
            if (cls == CharClass::Sign) {
                step = {ScanState::AfterSign, 0};
            } else if (cls == CharClass::Blank) {
                step = {ScanState::Start, 0};
            } else {
                step = MantissaStep(cls, ScanState::IntegerDigits, true, 1);
            }
            break;
        case ScanState::IntegerDigits:
            step = MantissaStep(cls, ScanState::IntegerDigits, true, 2);
            break;
        case ScanState::AfterSign:
            step = MantissaStep(cls, ScanState::IntegerDigits, true, 3);
            break;
        case ScanState::AfterSeparator:
        case ScanState::FractionDigits:
            step = MantissaStep(cls, ScanState::FractionDigits, false, 5);
            break;
        case ScanState::AfterExponentMark:
        case ScanState::AfterExponentSign:
            if (cls == CharClass::Digit) {
                exponent = c - '0';
                step = {ScanState::OneExponentDigit, 0};
            } else if (cls == CharClass::Sign && state == ScanState::AfterExponentMark) {
                step = {ScanState::AfterExponentSign, 0};
            } else {
                step = {{}, state == ScanState::AfterExponentMark ? 6 : 7};
            }
            break;
        case ScanState::OneExponentDigit:
            if (cls != CharClass::Digit) {
                step = {{}, 8};
            } else {
                exponent = exponent * 10 + (c - '0');
                step = exponent < 37 ? Step{ScanState::TwoExponentDigits, 0} : Step{{}, 11};
            }
            break;
        case ScanState::TwoExponentDigits:
            step = cls == CharClass::Blank ? Step{ScanState::TwoExponentDigits, 0} : Step{{}, 9};
            break;
        default:
            return 10;
        }
        if (step.code != 0) {
            return step.code;
        }
        state = step.next;
    }
    return 0;
}

} // namespace

char FindDecimalSeparator() {
    // The standard conversion writes 0.5 as '0', the locale's decimal point,
    // '5'; only the point can hold a '.' or ','. Asking the locale for its
    // point gives the same answer without formatting a number.
    return DecimalSeparatorOf(std::localeconv()->decimal_point);
}

char DecimalSeparatorOf(std::string_view textOfHalf) {
    const std::size_t at = textOfHalf.find_first_of(".,");
    return at == std::string_view::npos ? ',' : textOfHalf[at];
}

int32_t CheckNumberToken(std::string_view text) {
    return TokenCode(text, FindDecimalSeparator());
}

void ParseNumbers(std::string_view text, int32_t first, int32_t& count, float& value1,
                  float& value2, float& value3, float& value4, int32_t& errorSum) {
    const FloatEnvironmentScope environment;
    const char separator = FindDecimalSeparator();
    const char foreign = separator == '.' ? ',' : '.';
    count = 0;
    errorSum = 0;
    if (text.find_first_not_of(kBlank) == std::string_view::npos) {
        value1 = 0;
        value2 = 0;
        value3 = 0;
        value4 = 0;
        errorSum = 10;
        return;
    }

    float* const outputs[] = {&value1, &value2, &value3, &value4};
    std::string token;
    const auto closeToken = [&] {
        if (token.empty()) {
            return;
        }
        ++count;
        const int32_t code = TokenCode(token, separator);
        errorSum += code;
        if (code == 0) {
            // Converted even when not stored, so a refused token beyond the
            // fourth output still ends the parse.
            const float value = ConvertNumberToken(token, separator);
            const std::int64_t slot = std::int64_t{count} - first;
            if (slot >= 0 && slot < 4) {
                *outputs[slot] = value;
            }
        }
        token.clear();
    };
    for (const char c : text) {
        if (c == kBlank) {
            closeToken();
        } else {
            token.push_back(c == foreign ? separator : c);
        }
    }
    closeToken();
}

std::string FormatEntry(float x) {
    const FloatEnvironmentScope environment;
    const Extended wide = x;
    if (std::isnan(x) || wide > 2147483647.0L || wide < -2147483647.0L) {
        return {};
    }
    const float a = std::fabs(x);
    auto whole = static_cast<std::int64_t>(a);
    // The fraction of a float is exact; only the product is rounded, to a float.
    const float thousandths = StoreSingle((static_cast<Extended>(a) - whole) * 1000.0L);
    std::int64_t hundredths = RoundHalfToEven(thousandths) / 10;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    std::string text = std::to_string(whole) + ',';
    if (hundredths < 10) {
        text += '0';
    }
    text += std::to_string(hundredths);
    if (x < 0) {
        text.insert(0, 1, '-');
    }
    return text;
}

int32_t HasSeparator(std::string_view text) {
    return text.find_first_of(".,") == std::string_view::npos ? 0 : 1;
}
