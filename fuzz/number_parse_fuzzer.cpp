// Arbitrary bytes as a typed text: the token check never fails and returns
// one of its codes; ParseNumbers raises nothing but the conversion and the
// overflow errors, counts every token, sums the codes of every token, leaves
// the outputs of bad tokens alone, and reads the text the same under a '.'
// and a ',' locale.
#include "fuzz_support.h"

#include "fp_errors.h"
#include "number_parse.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr float Untouched = -12345.5f;

struct Parsed {
    int32_t count = -1;
    int32_t errorSum = -1;
    float values[4] = {Untouched, Untouched, Untouched, Untouched};
    int raised = 0; // 0 none, 1 ConversionError, 2 FloatOverflowError
};

Parsed Parse(std::string_view text) {
    Parsed p;
    try {
        ParseNumbers(text, 1, p.count, p.values[0], p.values[1], p.values[2], p.values[3],
                     p.errorSum);
    } catch (const ConversionError&) {
        p.raised = 1;
    } catch (const FloatOverflowError&) {
        p.raised = 2;
    }
    return p;
}

bool KnownCode(int32_t code) {
    return code == 0 || code == 1 || code == 2 || code == 3 || code == 5 || code == 6 ||
           code == 7 || code == 8 || code == 9 || code == 11;
}

std::vector<std::string> Tokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::string token;
    for (const char c : text) {
        if (c == ' ') {
            if (!token.empty()) {
                tokens.push_back(token);
            }
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.empty()) {
        tokens.push_back(token);
    }
    return tokens;
}

// The separator the parser uses, with the foreign one mapped to it.
std::string Localised(std::string token, char separator) {
    for (char& c : token) {
        if (c == '.' || c == ',') {
            c = separator;
        }
    }
    return token;
}

void CheckUnderCurrentLocale(std::string_view text, const Parsed& p) {
    Require(KnownCode(CheckNumberToken(text)), "CheckNumberToken returns a known code");
    const std::vector<std::string> tokens = Tokens(text);
    if (tokens.empty()) {
        Require(p.raised == 0 && p.count == 0 && p.errorSum == 10,
                "no token: count 0 and error sum 10");
        for (const float v : p.values) {
            Require(v == 0, "no token: all four values 0");
        }
        return;
    }
    if (p.raised != 0) {
        return; // the counts then hold what was written before the error
    }
    Require(p.count == static_cast<int32_t>(tokens.size()), "count is the number of tokens");
    const char separator = FindDecimalSeparator();
    int32_t sum = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const int32_t code = CheckNumberToken(Localised(tokens[i], separator));
        Require(KnownCode(code), "every token gets a known code");
        sum += code;
        if (i < 4) {
            const float v = p.values[i];
            if (code == 0) {
                Require(std::isfinite(v), "a good token gives a finite value");
            } else {
                Require(std::bit_cast<uint32_t>(v) == std::bit_cast<uint32_t>(Untouched),
                        "a bad token leaves its output alone");
            }
        }
    }
    Require(p.errorSum == sum, "the error sum is the sum of the token codes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Parsed point = Parse(text);
    CheckUnderCurrentLocale(text, point);

    if (CommaLocale::Available()) {
        Parsed comma;
        {
            const CommaLocale scope;
            comma = Parse(text);
            CheckUnderCurrentLocale(text, comma);
        }
        Require(comma.raised == point.raised, "the same error under both separators");
        if (point.raised == 0) {
            Require(comma.count == point.count && comma.errorSum == point.errorSum,
                    "the same counts under both separators");
            for (int i = 0; i < 4; ++i) {
                Require(std::bit_cast<uint32_t>(comma.values[i]) ==
                            std::bit_cast<uint32_t>(point.values[i]),
                        "the same values under both separators");
            }
        }
    }
    return 0;
}
