#include "bits.h"
#include "decimal_forms.h"
#include "format_value.h"
#include "fp_errors.h"
#include "locale_scope.h"
#include "number_parse.h"
#include "significant_digits.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <tuple>

namespace {

// Preset into every output, a value ParseNumbers never produces by itself, so
// a missing or stray write shows.
constexpr float U = 42.0f;
constexpr const char* P = PointLocale;
constexpr const char* C = CommaLocale;

struct Parsed {
    int32_t count = -1;
    float value[4] = {U, U, U, U};
    int32_t errorSum = -1;
    std::string error; // the class and message of what was thrown
};

Parsed Parse(std::string_view text, int32_t first = 1) {
    Parsed p;
    try {
        ParseNumbers(text, first, p.count, p.value[0], p.value[1], p.value[2], p.value[3],
                     p.errorSum);
    } catch (const ConversionError& e) {
        p.error = std::string("conversion: ") + e.what();
    } catch (const FloatOverflowError& e) {
        p.error = std::string("overflow: ") + e.what();
    }
    return p;
}

// The check knows only the local separator, asked for at every call; the
// foreign one is "any other".
TEST(NumberParse, CheckNumberTokenCodes) {
    const std::tuple<const char*, const char*, int32_t> rows[] = {
        {P, "x", 1},      {P, "1x", 2},    {P, "+x", 3},    {P, "1.2.3", 5}, {P, "1ex", 6},
        {P, "1e+x", 7},   {P, "1e1x", 8},  {P, "1e100", 9}, {P, "1e37", 11}, {P, "1e-37", 11},
        {P, "1e36", 0},   {P, "1e-36", 0}, {P, "1e5", 0},   {P, "-.5", 0},   {P, "+3", 0},
        {P, "", 0},       {P, "e5", 0},    {P, "-E2", 0},   {P, "-", 0},     {P, ".", 0},
        {P, "5.", 0},     {P, "1e", 0},    {P, "1e+", 0},   {P, "  12", 0},  {P, "1e12  ", 0},
        {P, "1e1 ", 8},   {P, "1 ", 2},    {P, "1,5", 2},   {P, ",5", 1},    {P, "1.,", 5},
        {P, "1e370", 11}, {P, "1e360", 9}, {P, "\t1", 1},   {C, "1,5", 0},   {C, "1.5", 2},
        {C, "-,5e-3", 0},
    };
    for (const auto& [name, token, code] : rows) {
        const LocaleScope locale(name);
        ASSERT_TRUE(locale.Installed());
        EXPECT_EQ(CheckNumberToken(token), code) << name << " \"" << token << '"';
    }
    for (const auto& [textOfHalf, separator] :
         {std::pair{"0'5", ','}, {"", ','}, {"5e-1", ','}, {"x.5,", '.'}, {",.", ','}}) {
        EXPECT_EQ(DecimalSeparatorOf(textOfHalf), separator) << '"' << textOfHalf << '"';
    }
    EXPECT_EQ(HasSeparator("12") + 2 * HasSeparator("1,2") + 4 * HasSeparator("1.2"), 6);
}

TEST(NumberParse, CountSumValuesAndErrorsUnderEitherLocale) {
    const auto refused = [](const char* token) {
        return std::string("conversion: '") + token + "' is not a valid floating point value";
    };
    const std::string overflow = "overflow: Floating point overflow";
    const std::string manyZeros(5000, '0');
    // A bad token is counted and summed, its slot kept; an error leaves at
    // once, keeping what was written; a token beyond the fourth is still
    // converted. A tab is an ordinary character.
    const struct {
        std::string text;
        int32_t first, count, errorSum;
        float value[4];
        std::string error;
    } rows[] = {
        {"   ", 1, 0, 10, {0, 0, 0, 0}, ""},
        {"1,5", 1, 1, 0, {1.5f, U, U, U}, ""},
        {"1\t2", 1, 1, 2, {U, U, U, U}, ""},
        {"x 1e100 4", 1, 3, 1 + 9, {U, U, 4, U}, ""},
        {"  1 2 3 4 5 6  ", 2, 6, 0, {2, 3, 4, 5}, ""},
        {"-,5", 1, 1, 0, {-0.5f, U, U, U}, ""},
        {"-.", 1, 1, 0, {-0.0f, U, U, U}, ""},
        {"-1,5e-", 1, 1, 0, {-1.5f, U, U, U}, ""},
        {"1.E1", 1, 1, 0, {10, U, U, U}, ""},
        {"16777217", 1, 1, 0, {16777216.0f, U, U, U}, ""},
        {"0.00001e-36", 1, 1, 0, {1e-41f, U, U, U}, ""},
        {"340.282356e36", 1, 1, 0, {std::numeric_limits<float>::max(), U, U, U}, ""},
        {"0." + manyZeros + "1", 1, 1, 0, {0, U, U, U}, ""},
        {"3 x e5 4 5", 1, 3, 1, {3, U, U, U}, refused("e5")},
        {"1 2 3 4 -", 1, 5, 0, {1, 2, 3, 4}, refused("-")},
        {"1 999e36 2", 1, 2, 0, {1, U, U, U}, overflow},
        {"-340.282357e36", 1, 1, 0, {U, U, U, U}, overflow},
        {"1" + manyZeros, 1, 1, 0, {U, U, U, U}, overflow},
    };
    for (const char* name : {P, C}) {
        const LocaleScope locale(name);
        ASSERT_TRUE(locale.Installed());
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(name) + " \"" + r.text.substr(0, 20) + "\"");
            const Parsed p = Parse(r.text, r.first);
            EXPECT_EQ(std::tuple(p.error, p.count, p.errorSum),
                      std::tuple(r.error, r.count, r.errorSum));
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(Bits(p.value[i]), Bits(r.value[i])) << "value" << i + 1;
            }
        }
    }
}

// Most tokens are read in one extended multiplication or division of two
// exact factors (up to 18 digits, 10^-27), longer ones through the full
// conversion. Both round the decimal value once to extended precision, then
// to 32 bits: the patterns are those of that double rounding (from the x87
// conversion). 1.000000059604644775390625 is the midpoint of 1 and the next
// float; above it by far less than an extended unit still rounds to it.
TEST(NumberParse, ShortAndLongTokensRoundAlike) {
    // clang-format off
    const std::pair<const char*, uint32_t> tokens[] = {
        {"0.82", 0x3F51EB85},                   {"16777217.0000000001", 0x4B800001},
        {"123456789012345678", 0x5BDB4DA6},     {"1234567890123456789", 0x5D891088},
        {"0.000000000000000000000000001", 0x129E74D2},
        {"0.0000000000000000000000000001", 0x10FD87B6},
        {"1.00000005960464478", 0x3F800001},    {"1.000000059604644775390625", 0x3F800000},
        {"1.000000059604644775390626", 0x3F800000},
        {"0.00117549435e-35", 0x00800000},      {"0.0000000014e-36", 0x00000001},
        {"0.0000000007e-36", 0x00000000},
        {"340282346638528859811704183484516925440", 0x7F7FFFFF},
    };
    // clang-format on
    const LocaleScope locale(PointLocale);
    ASSERT_TRUE(locale.Installed());
    for (const auto& [token, bits] : tokens) {
        const Parsed p = Parse(token);
        EXPECT_EQ(p.errorSum, 0) << token;
        EXPECT_EQ(Bits(p.value[0]), bits) << token;
    }
}

using namespace decimal_forms_detail;

// FormatEntry: a comma and two decimals under every locale, the thousandths held
// as a float and rounded half to even, the third decimal then dropped.
TEST(FormatValue, TenCharactersAndEntryTextsUnderEitherLocale) {
    const std::pair<float, const char*> rows[] = {
        {0.0f, " 0.0      "},           {-3e-6f, " 0.0      "},     // small negative: no sign
        {9.99999975e-6f, " 0.0      "},                             // the float nearest 10^-5
        {1.00000007e-5f, "     1.E-5"},                             // the float above it
        {1.5625e-5f, "  1.563E-5"},                                 // tie up
        {9.99999975e-5f, "    0.0001"},                             // the float nearest 10^-4
        {0.00012345f, "  0.000123"},    {0.0078125f, "  0.007813"}, // tie up
        {-0.5f, " -0.500000"},          {0.9999996f, "  1.000000"},
        {1.0f, "       1.0"},           {12.5f, "      12.5"},
        {123.456789f, "   123.457"},    {1234.125f, "   1234.13"}, // tie up
        {99999.99f, "   100000."},      {100000.0f, "      1.E5"},
        {123456.0f, "   1.235E5"},      {99999992.0f, "      1.E8"},
        {1e8f, " 1.0e8    "},           {std::numeric_limits<float>::infinity(), " 1.0e8    "},
        {-1e8f, "-1.0e8    "},          {-std::numeric_limits<float>::quiet_NaN(), " NaN      "},
    };
    // clang-format off
    const std::pair<float, const char*> entries[] = {
        {0.02f, "0,02"},   {-0.5f, "-0,50"},   {0.125f, "0,12"},    {0.126f, "0,12"},
        {0.015f, "0,01"},  {-0.001f, "-0,00"}, {1.9996f, "2,00"},   {0.0999f, "0,10"},
        {0.0095f, "0,01"}, {-0.0f, "0,00"},    {2147483648.0f, ""}, {-2147483648.0f, ""},
        {2147483520.0f, "2147483520,00"},      {-2147483520.0f, "-2147483520,00"}, {NAN, ""},
    };
    // clang-format on
    for (const char* name : {PointLocale, CommaLocale}) {
        const LocaleScope locale(name);
        ASSERT_TRUE(locale.Installed());
        for (const auto& [value, text] : rows) {
            EXPECT_EQ(FormatValue(value), text) << name << " " << value;
        }
        for (const auto& [value, text] : entries) {
            EXPECT_EQ(FormatEntry(value), text) << name << " " << value;
        }
    }
}

// The forms round in 64-bit integers where those hold the value, else on the
// full decimal expansion; the two must agree wherever both apply.
void ExpectSame(char form, float v, int width, int digits) {
    const bool g = form == 'G';
    ASSERT_EQ(g ? GeneralForm(v, width, digits) : FixedForm(v, width, digits),
              g ? GeneralFormByExpansion(v, width, digits) : FixedFormByExpansion(v, width, digits))
        << form << " of " << std::hexfloat << v << " to " << digits;
}

TEST(DecimalForms, IntegerAndExpansionPathsAgree) {
    // Exact ties at the digit kept: x 10^places = n + 1/2 needs 5^places to
    // divide 2n + 1, so they are odd multiples of 2^-(places+1).
    for (int k = 1; k < 128; k += 2) {
        ExpectSame('F', k / 128.0f, 8, 6);
    }
    for (int digits = 1; digits <= 5; ++digits) {
        const float step = std::ldexp(1.0f, digits - 7);
        const float start = std::pow(10.0f, static_cast<float>(digits - 1));
        for (float v = start + step; v < 10 * start; v += 2 * step * 997) {
            ExpectSame('G', v, 7, 6);
        }
    }
    // The display form's four conversions in their magnitude bands, closely
    // where a rounding carries into a new decade.
    const std::tuple<char, int, int, float, float> bands[] = {{'G', 8, 4, 9.9e-6f, 1.01e-4f},
                                                              {'F', 8, 6, 9.9e-5f, 1.0f},
                                                              {'G', 7, 6, 1.0f, 1e5f},
                                                              {'G', 7, 4, 1e5f, 1e8f}};
    const float edges[] = {9.9995e-5f, 9.999995e-1f, 9.999995f, 99.99995f, 999.9995f,
                           9999.995f,  99999.95f,    999950,    9999500,   99995000};
    for (const auto& [form, width, digits, low, high] : bands) {
        for (const float edge : edges) {
            for (float v = std::nextafter(std::nextafter(edge, 0.0f), 0.0f); v < edge * 1.000001f;
                 v = std::nextafter(v, 1e30f)) {
                ExpectSame(form, v, width, digits);
            }
        }
        for (auto bits = std::bit_cast<std::uint32_t>(low);
             bits < std::bit_cast<std::uint32_t>(high); bits += 4099) {
            ExpectSame(form, std::bit_cast<float>(bits), width, digits);
        }
    }
    // Any magnitude and precision, where the integers may not hold the value.
    for (std::uint32_t bits = 1; bits < 0x7F800000u; bits += 1048573) {
        for (int digits = 1; digits <= 12; ++digits) {
            ExpectSame('G', std::bit_cast<float>(bits), 0, digits);
            ExpectSame('F', std::bit_cast<float>(bits), 0, digits - 1);
        }
    }
}

std::string Library(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

// Any double, the magnitudes of the check columns, 32-bit values; then exact
// ties, which random values hardly meet: to the even digit. Two values print
// alike only when their texts are equal.
TEST(SignificantDigits, WritesWhatTheLibraryWrites) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 300000; ++i) {
        const double value = i % 3 == 0 ? std::bit_cast<double>(random())
                             : i % 3 == 1
                                 ? std::exp(std::uniform_real_distribution<double>(-40, 40)(random))
                                 : std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        const int digits = i % 2 == 0 ? (i % 4 == 0 ? 6 : 9) : static_cast<int>(1 + random() % 17);
        if (!std::isnan(value)) {
            ASSERT_EQ(SignificantDigits(value, digits), Library(value, digits))
                << std::hexfloat << value << " with " << digits;
        }
    }
    const double ties[] = {1.015625, 1.046875, 1.001953125, 2.5,      0.125,    -1.046875,
                           999999.5, 0.0,      -0.0,        100000.0, 4.9e-324, INFINITY};
    for (const double value : ties) {
        for (const int digits : {1, 2, 6, 9}) {
            EXPECT_EQ(SignificantDigits(value, digits), Library(value, digits)) << value;
        }
    }
    EXPECT_FALSE(PrintsAlike(1.5, -1.5, 6)); // printed "1.5" and "-1.5"
    // The default NaN is negative on x86 and positive on AArch64: no difference.
    EXPECT_EQ(SignificantDigits(NAN, 9) + SignificantDigits(-NAN, 9), "-nan-nan");
}

} // namespace
