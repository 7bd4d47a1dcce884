#include "number_parse.h"

#include "bits.h"
#include "fp_errors.h"
#include "locale_scope.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace {

// Preset into every output, a value ParseNumbers never produces by itself, so
// a missing or stray write shows.
constexpr float U = 42.0f;

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

TEST(FindDecimalSeparator, FollowsTheLocaleWithoutCaching) {
    {
        const LocaleScope locale(CommaLocale);
        ASSERT_TRUE(locale.Installed());
        EXPECT_EQ(FindDecimalSeparator(), ',');
        EXPECT_EQ(CheckNumberToken("1,5"), 0);
    }
    const LocaleScope locale(PointLocale);
    ASSERT_TRUE(locale.Installed());
    EXPECT_EQ(FindDecimalSeparator(), '.');
    EXPECT_EQ(CheckNumberToken("1,5"), 2);
}

TEST(DecimalSeparatorOf, TakesTheFirstPointOrCommaElseComma) {
    for (const auto& [textOfHalf, separator] :
         {std::pair{"0'5", ','}, {"", ','}, {"5e-1", ','}, {"x.5,", '.'}, {",.", ','}}) {
        EXPECT_EQ(DecimalSeparatorOf(textOfHalf), separator) << '"' << textOfHalf << '"';
    }
}

struct CodeRow {
    const char* locale;
    const char* token;
    int32_t code;
};

class CheckNumberTokenTest : public ::testing::TestWithParam<CodeRow> {};

TEST_P(CheckNumberTokenTest, GivesCode) {
    const LocaleScope locale(GetParam().locale);
    ASSERT_TRUE(locale.Installed());
    EXPECT_EQ(CheckNumberToken(GetParam().token), GetParam().code);
}

constexpr const char* P = PointLocale;
constexpr const char* C = CommaLocale;

// The check knows only the local separator; the foreign one is "any other".
const CodeRow kCodeRows[] = {
    {P, "x", 1},      {P, "1x", 2},    {P, "+x", 3},    {P, "1.2.3", 5}, {P, "1ex", 6},
    {P, "1e+x", 7},   {P, "1e1x", 8},  {P, "1e100", 9}, {P, "1e37", 11}, {P, "1e-37", 11},
    {P, "1e36", 0},   {P, "1e-36", 0}, {P, "1e5", 0},   {P, "-.5", 0},   {P, "+3", 0},
    {P, "", 0},       {P, "e5", 0},    {P, "-E2", 0},   {P, "-", 0},     {P, ".", 0},
    {P, "5.", 0},     {P, "1e", 0},    {P, "1e+", 0},   {P, "  12", 0},  {P, "1e12  ", 0},
    {P, "1e1 ", 8},   {P, "1 ", 2},    {P, "1,5", 2},   {P, ",5", 1},    {P, "1.,", 5},
    {P, "1e370", 11}, {P, "1e360", 9}, {P, "\t1", 1},   {C, "1,5", 0},   {C, "1.5", 2},
    {C, "-,5e-3", 0},
};

INSTANTIATE_TEST_SUITE_P(Tokens, CheckNumberTokenTest, ::testing::ValuesIn(kCodeRows),
                         [](const auto& info) {
                             return LocaleName(info.param.locale) +
                                    ("_" + NameOfText(info.param.token));
                         });

struct ParseRow {
    std::string text;
    int32_t first;
    int32_t count;
    int32_t errorSum;
    float value[4];
    std::string error;
};

std::string Refused(const char* token) {
    return std::string("conversion: '") + token + "' is not a valid floating point value";
}

const std::string kOverflow = "overflow: Floating point overflow";
constexpr float kMax = std::numeric_limits<float>::max();

const ParseRow kParseRows[] = {
    {"", 1, 0, 10, {0, 0, 0, 0}, ""},
    {"   ", 1, 0, 10, {0, 0, 0, 0}, ""},
    {"1,5", 1, 1, 0, {1.5f, U, U, U}, ""},
    {"5.", 1, 1, 0, {5, U, U, U}, ""},
    {"2 3", 1, 2, 0, {2, 3, U, U}, ""},
    {"  7  ", 1, 1, 0, {7, U, U, U}, ""},
    // A tab is an ordinary character: one token, refused after its digit.
    {"1\t2", 1, 1, 2, {U, U, U, U}, ""},
    // A bad token is counted and summed; its slot stays as it was.
    {"1 x", 1, 2, 1, {1, U, U, U}, ""},
    {"x 1e100 4", 1, 3, 1 + 9, {U, U, 4, U}, ""},
    {"1 2 3 4 5 x", 1, 6, 1, {1, 2, 3, 4}, ""},
    {"1 2 3 4 5 6", 2, 6, 0, {2, 3, 4, 5}, ""},
    {"1 2", 3, 2, 0, {U, U, U, U}, ""},
    {"+3", 1, 1, 0, {3, U, U, U}, ""},
    {"-,5", 1, 1, 0, {-0.5f, U, U, U}, ""},
    {".", 1, 1, 0, {0, U, U, U}, ""},
    {"-.", 1, 1, 0, {-0.0f, U, U, U}, ""},
    {"1e", 1, 1, 0, {1, U, U, U}, ""},
    {"1e-", 1, 1, 0, {1, U, U, U}, ""},
    {"2.5E2", 1, 1, 0, {250, U, U, U}, ""},
    {"-1,5e-2", 1, 1, 0, {-0.015f, U, U, U}, ""},
    {"1.e1", 1, 1, 0, {10, U, U, U}, ""},
    {"0.1", 1, 1, 0, {0.1f, U, U, U}, ""},
    // Rounded to the nearest float, ties to even.
    {"16777217", 1, 1, 0, {16777216.0f, U, U, U}, ""},
    {"16777219", 1, 1, 0, {16777220.0f, U, U, U}, ""},
    {"16777217.000001", 1, 1, 0, {16777218.0f, U, U, U}, ""},
    // Too small for 32 bits: a denormal or zero, silently.
    {"0.00001e-36", 1, 1, 0, {1e-41f, U, U, U}, ""},
    {"-0.0000000001e-36", 1, 1, 0, {-0.0f, U, U, U}, ""},
    // The exponent stops below 37, so the top of the range needs a long mantissa.
    {"340.282356e36", 1, 1, 0, {kMax, U, U, U}, ""},
    {"e5", 1, 1, 0, {U, U, U, U}, Refused("e5")},
    {"-", 1, 1, 0, {U, U, U, U}, Refused("-")},
    {"+e", 1, 1, 0, {U, U, U, U}, Refused("+e")},
    {"-E2", 1, 1, 0, {U, U, U, U}, Refused("-E2")},
    // An error leaves at once, keeping what was already written; a token
    // beyond the fourth is still converted.
    {"3 x e5 4 5", 1, 3, 1, {3, U, U, U}, Refused("e5")},
    {"1 2 3 4 -", 1, 5, 0, {1, 2, 3, 4}, Refused("-")},
    {"1 999e36 2", 1, 2, 0, {1, U, U, U}, kOverflow},
    {"-340.282357e36", 1, 1, 0, {U, U, U, U}, kOverflow},
};

class ParseNumbersTest : public ::testing::TestWithParam<std::tuple<ParseRow, const char*>> {};

TEST_P(ParseNumbersTest, GivesCountSumAndValues) {
    const auto& [row, name] = GetParam();
    const LocaleScope locale(name);
    ASSERT_TRUE(locale.Installed());
    const Parsed p = Parse(row.text, row.first);
    EXPECT_EQ(p.error, row.error);
    EXPECT_EQ(p.count, row.count);
    EXPECT_EQ(p.errorSum, row.errorSum);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Bits(p.value[i]), Bits(row.value[i])) << "value" << i + 1 << " " << p.value[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumbersTest,
                         ::testing::Combine(::testing::ValuesIn(kParseRows),
                                            ::testing::Values(PointLocale, CommaLocale)),
                         [](const auto& info) {
                             const ParseRow& row = std::get<0>(info.param);
                             return NameOfText(row.text) +
                                    (row.first == 1 ? "" : "_From" + std::to_string(row.first)) +
                                    "_" + LocaleName(std::get<1>(info.param));
                         });

TEST(ParseNumbers, ThousandsOfDigitsGoBeyondExtended) {
    EXPECT_EQ(Parse("1" + std::string(5000, '0')).error, kOverflow);
    EXPECT_EQ(Bits(Parse("0." + std::string(5000, '0') + "1").value[0]), Bits(0.0f));
}

// Most tokens are read in one extended multiplication or division of two
// exact factors; longer ones through the full conversion. Both round the
// decimal value once to extended precision, then to 32 bits: the expected
// patterns are those of that double rounding (from the x87 conversion).
TEST(ParseNumbers, ShortAndLongTokensRoundAlike) {
    const std::pair<const char*, uint32_t> tokens[] = {
        {"0.82", 0x3F51EB85},
        {"123456789012345678", 0x5BDB4DA6},             // 18 digits: one operation
        {"1234567890123456789", 0x5D891088},            // 19: the full conversion
        {"0.000000000000000000000000001", 0x129E74D2},  // 10^-27: one operation
        {"0.0000000000000000000000000001", 0x10FD87B6}, // 10^-28: the full conversion
        {"1e27", 0x6C4ECB8F},
        {"1e28", 0x6E013F39},
        {"123456789012345678e10", 0x6C7F4D7B},
        {"0.00000000000000000012345678901234567e36", 0x5BDB4DA6},
        {"1.00000005960464478", 0x3F800001}, // just above the midpoint of 1 and the next float
        {"1.000000059604644775390625", 0x3F800000}, // on it: to even
        // Above the midpoint by far less than an extended unit: rounded to
        // 64 bits it is the midpoint, and then goes to even.
        {"1.000000059604644775390626", 0x3F800000},
        {"16777217.0000000001", 0x4B800001},
        {"33554434.999999999", 0x4C000001},
        {"0.00117549435e-35", 0x00800000}, // the least normal float
        {"0.0000000014e-36", 0x00000001},  // the least denormal
        {"0.0000000007e-36", 0x00000000},  // half of it and less: 0
        {"0.0000000008e-36", 0x00000001},
        {"0000000000000000000000000000001.5", 0x3FC00000},
        {"340282346638528859811704183484516925440", 0x7F7FFFFF},
    };
    const LocaleScope locale(PointLocale);
    ASSERT_TRUE(locale.Installed());
    for (const auto& [token, bits] : tokens) {
        const Parsed p = Parse(token);
        EXPECT_EQ(p.errorSum, 0) << token;
        EXPECT_EQ(Bits(p.value[0]), bits) << token;
    }
}

struct EntryRow {
    const char* name;
    float value;
    const char* text;
};

class FormatEntryTest : public ::testing::TestWithParam<EntryRow> {};

TEST_P(FormatEntryTest, WritesCommaAndTwoDecimalsUnderEveryLocale) {
    for (const char* name : {PointLocale, CommaLocale}) {
        const LocaleScope locale(name);
        ASSERT_TRUE(locale.Installed());
        EXPECT_EQ(FormatEntry(GetParam().value), GetParam().text) << name;
    }
}

const EntryRow kEntryRows[] = {
    {"Slip", 0.02f, "0,02"},
    {"Efficiency", 0.9f, "0,90"},
    {"MinusHalf", -0.5f, "-0,50"},
    {"ThirdDecimalDropped", 0.125f, "0,12"},
    {"ThirdDecimalDroppedNotRounded", 0.126f, "0,12"},
    {"ProductRoundedToThousandths", 0.015f, "0,01"},
    {"SmallNegativeKeepsSign", -0.001f, "-0,00"},
    {"CarryIntoWholePart", 1.9996f, "2,00"},
    {"CarryToTenHundredths", 0.0999f, "0,10"},
    {"ProductHeldAsFloat", 0.0095f, "0,01"},
    {"LargestWholeFloatInRange", 2147483520.0f, "2147483520,00"},
    {"LargestNegativeInRange", -2147483520.0f, "-2147483520,00"},
    {"NegativeZero", -0.0f, "0,00"},
    {"TwoPow31", 2147483648.0f, ""},
    {"MinusTwoPow31", -2147483648.0f, ""},
    {"NaN", std::numeric_limits<float>::quiet_NaN(), ""},
};

INSTANTIATE_TEST_SUITE_P(Values, FormatEntryTest, ::testing::ValuesIn(kEntryRows), RowName);

TEST(HasSeparator, SeesEitherSeparator) {
    EXPECT_EQ(HasSeparator("12"), 0);
    EXPECT_EQ(HasSeparator("1,2"), 1);
    EXPECT_EQ(HasSeparator("1.2"), 1);
    EXPECT_EQ(HasSeparator(""), 0);
}

} // namespace
