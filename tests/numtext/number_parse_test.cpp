#include "number_parse.h"

#include "fp_errors.h"
#include "scoped_locale.h"
#include "test_names.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

namespace {

std::uint32_t Bits(float x) {
    return std::bit_cast<std::uint32_t>(x);
}

constexpr float kUntouched = 42.0f;

// The six out-parameters, preset to values ParseNumbers never produces by
// itself, so a missing or stray write shows.
struct Parsed {
    int32_t count = -1;
    float value[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
    int32_t errorSum = -1;
};

void ParseInto(std::string_view text, Parsed& p, int32_t first = 1) {
    ParseNumbers(text, first, p.count, p.value[0], p.value[1], p.value[2], p.value[3], p.errorSum);
}

Parsed Parse(std::string_view text, int32_t first = 1) {
    Parsed p;
    ParseInto(text, p, first);
    return p;
}

// ---------------------------------------------------------------------------
// Separator of the locale

TEST(FindDecimalSeparator, IsPointUnderPointLocale) {
    const ScopedLocale locale(kPointLocale);
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(FindDecimalSeparator(), '.');
}

TEST(FindDecimalSeparator, IsCommaUnderCommaLocale) {
    const ScopedLocale locale(kCommaLocale);
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(FindDecimalSeparator(), ',');
}

TEST(FindDecimalSeparator, FollowsALocaleChangeWithoutCaching) {
    {
        const ScopedLocale locale(kCommaLocale);
        ASSERT_TRUE(locale.Active());
        EXPECT_EQ(FindDecimalSeparator(), ',');
        EXPECT_EQ(CheckNumberToken("1,5"), 0);
    }
    const ScopedLocale locale(kPointLocale);
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(FindDecimalSeparator(), '.');
    EXPECT_EQ(CheckNumberToken("1,5"), 2);
}

struct SeparatorRow {
    const char* textOfHalf;
    char separator;
};

void PrintTo(const SeparatorRow& row, std::ostream* os) {
    *os << '"' << row.textOfHalf << '"';
}

class DecimalSeparatorOfTest : public ::testing::TestWithParam<SeparatorRow> {};

TEST_P(DecimalSeparatorOfTest, TakesFirstPointOrCommaElseComma) {
    EXPECT_EQ(DecimalSeparatorOf(GetParam().textOfHalf), GetParam().separator);
}

const SeparatorRow kSeparatorRows[] = {
    {"0.5", '.'}, {"0,5", ','}, {"0'5", ','}, {"", ','}, {"5e-1", ','}, {"x.5,", '.'}, {",.", ','},
};

INSTANTIATE_TEST_SUITE_P(Texts, DecimalSeparatorOfTest, ::testing::ValuesIn(kSeparatorRows),
                         [](const auto& info) { return NameOfText(info.param.textOfHalf); });

// ---------------------------------------------------------------------------
// Shape check

struct CodeRow {
    const char* token;
    int32_t code;
};

void PrintTo(const CodeRow& row, std::ostream* os) {
    *os << '"' << row.token << '"';
}

class CheckNumberTokenPointTest : public ::testing::TestWithParam<CodeRow> {};

TEST_P(CheckNumberTokenPointTest, GivesCode) {
    const ScopedLocale locale(kPointLocale);
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(CheckNumberToken(GetParam().token), GetParam().code);
}

const CodeRow kPointCodeRows[] = {
    {"x", 1},      {"1x", 2},    {"+x", 3},    {"1.2.3", 5},  {"1ex", 6},   {"1e+x", 7},
    {"1e1x", 8},   {"1e100", 9}, {"1e37", 11}, {"1e-37", 11}, {"1e36", 0},  {"1e-36", 0},
    {"1e5", 0},    {"-.5", 0},   {"+3", 0},    {"", 0},       {"e5", 0},    {"-E2", 0},
    {"-", 0},      {".", 0},     {"5.", 0},    {"1e", 0},     {"1e+", 0},   {"  12", 0},
    {"1e12  ", 0}, {"1e1 ", 8},  {"1. ", 5},   {"1 ", 2},     {"- ", 3},    {"1,5", 2},
    {",5", 1},     {"1.,", 5},   {"1.5e", 0},  {"++1", 3},    {"1e--2", 7}, {"1e99", 11},
    {"1e370", 11}, {"1e360", 9}, {"\t1", 1},   {"1\t", 2},    {"1e\t", 6},  {"1.5+", 5},
    {"1e5e", 8},   {"1e05", 0},  {"1e-05", 0}, {"1e+36", 0},  {"1x.", 2},   {"e", 0},
};

INSTANTIATE_TEST_SUITE_P(Tokens, CheckNumberTokenPointTest, ::testing::ValuesIn(kPointCodeRows),
                         [](const auto& info) { return NameOfText(info.param.token); });

class CheckNumberTokenCommaTest : public ::testing::TestWithParam<CodeRow> {};

TEST_P(CheckNumberTokenCommaTest, GivesCode) {
    const ScopedLocale locale(kCommaLocale);
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(CheckNumberToken(GetParam().token), GetParam().code);
}

// The check knows only the local separator; the foreign one is "any other".
const CodeRow kCommaCodeRows[] = {
    {"1,5", 0}, {"-,5", 0}, {",", 0},   {"1,2,3", 5},  {"1.5", 2},
    {".5", 1},  {"+.5", 3}, {"1,.", 5}, {"1,5e-3", 0},
};

INSTANTIATE_TEST_SUITE_P(Tokens, CheckNumberTokenCommaTest, ::testing::ValuesIn(kCommaCodeRows),
                         [](const auto& info) { return NameOfText(info.param.token); });

// ---------------------------------------------------------------------------
// Splitting and converting, under either separator

class ParseNumbersTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ASSERT_TRUE(locale_.Active()); }

private:
    ScopedLocale locale_{GetParam()};
};

TEST_P(ParseNumbersTest, EmptyTextZeroesEverythingAndSumsTen) {
    for (const char* text : {"", "   "}) {
        SCOPED_TRACE(text);
        const Parsed p = Parse(text);
        EXPECT_EQ(p.count, 0);
        EXPECT_EQ(p.errorSum, 10);
        for (const float v : p.value) {
            EXPECT_EQ(Bits(v), Bits(0.0f));
        }
    }
}

TEST_P(ParseNumbersTest, ReadsEitherSeparator) {
    for (const char* text : {"1,5", "1.5"}) {
        SCOPED_TRACE(text);
        const Parsed p = Parse(text);
        EXPECT_EQ(p.count, 1);
        EXPECT_EQ(p.errorSum, 0);
        EXPECT_EQ(Bits(p.value[0]), Bits(1.5f));
        EXPECT_EQ(Bits(p.value[1]), Bits(kUntouched));
    }
    for (const char* text : {"5.", "5,"}) {
        SCOPED_TRACE(text);
        const Parsed p = Parse(text);
        EXPECT_EQ(p.count, 1);
        EXPECT_EQ(p.errorSum, 0);
        EXPECT_EQ(Bits(p.value[0]), Bits(5.0f));
    }
}

TEST_P(ParseNumbersTest, SplitsAtBlanksOnly) {
    Parsed p = Parse("2 3");
    EXPECT_EQ(p.count, 2);
    EXPECT_EQ(p.errorSum, 0);
    EXPECT_EQ(Bits(p.value[0]), Bits(2.0f));
    EXPECT_EQ(Bits(p.value[1]), Bits(3.0f));
    EXPECT_EQ(Bits(p.value[2]), Bits(kUntouched));

    p = Parse("  7  ");
    EXPECT_EQ(p.count, 1);
    EXPECT_EQ(p.errorSum, 0);
    EXPECT_EQ(Bits(p.value[0]), Bits(7.0f));
    EXPECT_EQ(Bits(p.value[1]), Bits(kUntouched));

    // A tab is an ordinary character: one token, refused after its digit.
    p = Parse("1\t2");
    EXPECT_EQ(p.count, 1);
    EXPECT_EQ(p.errorSum, 2);
    EXPECT_EQ(Bits(p.value[0]), Bits(kUntouched));
}

TEST_P(ParseNumbersTest, BadTokenIsCountedSummedAndNotStored) {
    Parsed p = Parse("1 x");
    EXPECT_EQ(p.count, 2);
    EXPECT_EQ(p.errorSum, 1);
    EXPECT_EQ(Bits(p.value[0]), Bits(1.0f));
    EXPECT_EQ(Bits(p.value[1]), Bits(kUntouched));

    // The slot of a bad token stays as it was; the next good token goes on
    // to its own slot.
    p = Parse("x 1e100 4");
    EXPECT_EQ(p.count, 3);
    EXPECT_EQ(p.errorSum, 1 + 9);
    EXPECT_EQ(Bits(p.value[0]), Bits(kUntouched));
    EXPECT_EQ(Bits(p.value[1]), Bits(kUntouched));
    EXPECT_EQ(Bits(p.value[2]), Bits(4.0f));
}

TEST_P(ParseNumbersTest, StoresFourTokensFromFirstAndCountsAll) {
    Parsed p = Parse("1 2 3 4 5 x");
    EXPECT_EQ(p.count, 6);
    EXPECT_EQ(p.errorSum, 1);
    EXPECT_EQ(Bits(p.value[0]), Bits(1.0f));
    EXPECT_EQ(Bits(p.value[1]), Bits(2.0f));
    EXPECT_EQ(Bits(p.value[2]), Bits(3.0f));
    EXPECT_EQ(Bits(p.value[3]), Bits(4.0f));

    p = Parse("1 2 3 4 5 6", 2);
    EXPECT_EQ(p.count, 6);
    EXPECT_EQ(Bits(p.value[0]), Bits(2.0f));
    EXPECT_EQ(Bits(p.value[3]), Bits(5.0f));

    p = Parse("1 2", 3);
    EXPECT_EQ(p.count, 2);
    EXPECT_EQ(Bits(p.value[0]), Bits(kUntouched));
}

TEST_P(ParseNumbersTest, AcceptsWhatTheShapeAllows) {
    struct Row {
        const char* text;
        float value;
    };
    const Row rows[] = {
        {"+3", 3.0f},         {"-.5", -0.5f},    {"-,5", -0.5f},  {".", 0.0f},
        {",", 0.0f},          {"-.", -0.0f},     {"1e", 1.0f},    {"1e+", 1.0f},
        {"1e-", 1.0f},        {"2.5E2", 250.0f}, {"1e36", 1e36f}, {"1e-36", 1e-36f},
        {"-1,5e-2", -0.015f}, {"0.1", 0.1f},     {"007", 7.0f},   {"1.e1", 10.0f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const Parsed p = Parse(row.text);
        EXPECT_EQ(p.count, 1);
        EXPECT_EQ(p.errorSum, 0);
        EXPECT_EQ(Bits(p.value[0]), Bits(row.value));
    }
}

TEST_P(ParseNumbersTest, RoundsToNearestFloatTiesToEven) {
    EXPECT_EQ(Bits(Parse("0.1").value[0]), 0x3DCCCCCDu);
    EXPECT_EQ(Bits(Parse("16777217").value[0]), Bits(16777216.0f));
    EXPECT_EQ(Bits(Parse("16777219").value[0]), Bits(16777220.0f));
    EXPECT_EQ(Bits(Parse("16777217.000001").value[0]), Bits(16777218.0f));
}

// Most tokens are read in one extended multiplication or division of two
// exact factors; longer ones through the full conversion. Both round the
// decimal value once to extended precision, then to 32 bits.
TEST_P(ParseNumbersTest, ShortAndLongTokensRoundAlike) {
    const char* tokens[] = {
        "0.82",
        "123456789012345678",             // 18 digits: one operation
        "1234567890123456789",            // 19: the full conversion
        "0.000000000000000000000000001",  // 10^-27: one operation
        "0.0000000000000000000000000001", // 10^-28: the full conversion
        "1e27",
        "1e28",
        "123456789012345678e10",
        "0.00000000000000000012345678901234567e36",
        "1.00000005960464478",        // just above the midpoint of 1 and the next float
        "1.000000059604644775390625", // on it: to even
        "16777217.0000000001",
        "33554434.999999999",
        "0.00117549435e-35", // the least normal float
        "0.0000000014e-36",  // the least denormal
        "0.0000000007e-36",  // half of it and less: 0
        "0.0000000008e-36",
        "2500000000000000000000",
        "0000000000000000000000000000001.5",
        "340282346638528859811704183484516925440",
    };
    for (const char* token : tokens) {
        SCOPED_TRACE(token);
        long double wide = 0;
        const std::string_view text(token);
        ASSERT_EQ(std::from_chars(text.data(), text.data() + text.size(), wide).ec, std::errc());
        const Parsed p = Parse(token);
        EXPECT_EQ(p.errorSum, 0);
        EXPECT_EQ(Bits(p.value[0]), Bits(static_cast<float>(wide)));
    }
}

TEST_P(ParseNumbersTest, TinyValuesBecomeDenormalOrZeroSilently) {
    const Parsed denormal = Parse("0.00001e-36");
    EXPECT_EQ(denormal.errorSum, 0);
    EXPECT_EQ(Bits(denormal.value[0]), Bits(1e-41f));
    EXPECT_EQ(Bits(Parse("0.0000000001e-36").value[0]), Bits(0.0f));
    EXPECT_EQ(Bits(Parse("-0.0000000001e-36").value[0]), Bits(-0.0f));
}

// The exponent is limited to two digits below 37, so the top of the range
// needs a long mantissa.
TEST_P(ParseNumbersTest, LargestFloatStillFits) {
    EXPECT_EQ(Bits(Parse("340.282356e36").value[0]), Bits(std::numeric_limits<float>::max()));
}

TEST_P(ParseNumbersTest, RefusedTokenRaisesConversionErrorWithItsText) {
    for (const char* token : {"e5", "-", "-E2", "+e", "E"}) {
        SCOPED_TRACE(token);
        try {
            Parse(token);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'" + std::string(token) + "' is not a valid floating point value");
        }
    }
}

TEST_P(ParseNumbersTest, ConversionErrorLeavesAtOnceKeepingWhatWasWritten) {
    Parsed p;
    EXPECT_THROW(ParseInto("3 x e5 4 5", p), ConversionError);
    EXPECT_EQ(p.count, 3);
    EXPECT_EQ(p.errorSum, 1);
    EXPECT_EQ(Bits(p.value[0]), Bits(3.0f));
    EXPECT_EQ(Bits(p.value[1]), Bits(kUntouched));
    EXPECT_EQ(Bits(p.value[2]), Bits(kUntouched));
    EXPECT_EQ(Bits(p.value[3]), Bits(kUntouched));
}

TEST_P(ParseNumbersTest, TokenBeyondTheFourthIsStillConverted) {
    Parsed p;
    EXPECT_THROW(ParseInto("1 2 3 4 -", p), ConversionError);
    EXPECT_EQ(p.count, 5);
    EXPECT_EQ(Bits(p.value[3]), Bits(4.0f));
}

TEST_P(ParseNumbersTest, ValueBeyondFloatRangeRaisesOverflow) {
    Parsed p;
    try {
        ParseInto("1 999e36 2", p);
        ADD_FAILURE() << "no error";
    } catch (const FloatOverflowError& error) {
        EXPECT_EQ(std::string(error.what()), "Floating point overflow");
    }
    EXPECT_EQ(p.count, 2);
    EXPECT_EQ(p.errorSum, 0);
    EXPECT_EQ(Bits(p.value[0]), Bits(1.0f));
    EXPECT_EQ(Bits(p.value[1]), Bits(kUntouched));

    EXPECT_THROW(Parse("-340.282357e36"), FloatOverflowError);
    EXPECT_THROW(Parse("1" + std::string(5000, '0')), FloatOverflowError);
}

TEST_P(ParseNumbersTest, ReadsBackWhatFormatEntryWrites) {
    for (const float x : {0.8f, -0.5f, 10.0f, 2147483520.0f}) {
        const std::string text = FormatEntry(x);
        SCOPED_TRACE(text);
        const Parsed p = Parse(text);
        EXPECT_EQ(p.errorSum, 0);
        EXPECT_EQ(Bits(p.value[0]), Bits(x));
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, ParseNumbersTest, ::testing::Values(kPointLocale, kCommaLocale),
                         [](const auto& info) { return LocaleName(info.param); });

// ---------------------------------------------------------------------------
// Two-decimal entry text

struct EntryRow {
    const char* name;
    float value;
    const char* text;
};

void PrintTo(const EntryRow& row, std::ostream* os) {
    *os << row.name;
}

class FormatEntryTest : public ::testing::TestWithParam<EntryRow> {};

TEST_P(FormatEntryTest, WritesCommaAndTwoDecimalsUnderEveryLocale) {
    for (const char* name : {kPointLocale, kCommaLocale}) {
        SCOPED_TRACE(name);
        const ScopedLocale locale(name);
        ASSERT_TRUE(locale.Active());
        EXPECT_EQ(FormatEntry(GetParam().value), GetParam().text);
    }
}

const EntryRow kEntryRows[] = {
    {"One", 1.0f, "1,00"},
    {"Ten", 10.0f, "10,00"},
    {"Slip", 0.02f, "0,02"},
    {"Efficiency", 0.9f, "0,90"},
    {"PowerFactor", 0.8f, "0,80"},
    {"Five", 5.0f, "5,00"},
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
    {"Zero", 0.0f, "0,00"},
    {"TwoPow31", 2147483648.0f, ""},
    {"MinusTwoPow31", -2147483648.0f, ""},
    {"ThreeBillion", 3e9f, ""},
    {"Infinity", std::numeric_limits<float>::infinity(), ""},
    {"NaN", std::numeric_limits<float>::quiet_NaN(), ""},
};

INSTANTIATE_TEST_SUITE_P(Values, FormatEntryTest, ::testing::ValuesIn(kEntryRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------

struct HasSeparatorRow {
    const char* text;
    int32_t result;
};

void PrintTo(const HasSeparatorRow& row, std::ostream* os) {
    *os << '"' << row.text << '"';
}

class HasSeparatorTest : public ::testing::TestWithParam<HasSeparatorRow> {};

TEST_P(HasSeparatorTest, SeesEitherSeparator) {
    EXPECT_EQ(HasSeparator(GetParam().text), GetParam().result);
}

const HasSeparatorRow kHasSeparatorRows[] = {
    {"12", 0}, {"1,2", 1}, {"1.2", 1}, {"", 0}, {",", 1}, {"1 2", 0},
};

INSTANTIATE_TEST_SUITE_P(Texts, HasSeparatorTest, ::testing::ValuesIn(kHasSeparatorRows),
                         [](const auto& info) { return NameOfText(info.param.text); });

} // namespace
