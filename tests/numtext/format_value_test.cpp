#include "format_value.h"

#include "locale_scope.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace {

struct ValueRow {
    const char* name;
    float value;
    const char* text;
};

class FormatValueTest : public ::testing::TestWithParam<ValueRow> {};

TEST_P(FormatValueTest, GivesTenCharactersUnderEitherLocale) {
    for (const char* name : {PointLocale, CommaLocale}) {
        const LocaleScope locale(name);
        ASSERT_TRUE(locale.Installed());
        EXPECT_EQ(FormatValue(GetParam().value), GetParam().text) << name;
    }
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();

const ValueRow kValueRows[] = {
    {"Zero", 0.0f, " 0.0      "},
    {"SmallNegativeHasNoSign", -3e-6f, " 0.0      "},
    {"NearestFloatToTenPowMinus5", 9.99999975e-6f, " 0.0      "},
    {"FloatAboveTenPowMinus5", 1.00000007e-5f, "     1.E-5"},
    {"ExponentForm", 1.234e-5f, "  1.234E-5"},
    {"OneDigitExponentForm", 5e-5f, "     5.E-5"},
    {"ExponentFormTieUp", 1.5625e-5f, "  1.563E-5"},
    {"NearestFloatToTenPowMinus4", 9.99999975e-5f, "    0.0001"},
    {"SixDecimals", 0.00012345f, "  0.000123"},
    {"SixDecimalsTieUp", 0.0078125f, "  0.007813"},
    {"MinusHalf", -0.5f, " -0.500000"},
    {"RoundsUpToOne", 0.9999996f, "  1.000000"},
    {"One", 1.0f, "       1.0"},
    {"MinusFive", -5.0f, "      -5.0"},
    {"TwelveAndAHalf", 12.5f, "      12.5"},
    {"FourDecimalPlaces", 4.702f, "     4.702"},
    {"SixSignificant", 123.456789f, "   123.457"},
    {"SixSignificantTieUp", 1234.125f, "   1234.13"},
    {"LargestWholeBelowTenPow5", 99999.0f, "   99999.0"},
    {"CarryToTenPow5", 99999.99f, "   100000."},
    {"TenPow5", 100000.0f, "      1.E5"},
    {"FourSignificantExponent", 123456.0f, "   1.235E5"},
    {"MinusTwoAndAHalfMillion", -2500000.0f, "    -2.5E6"},
    {"JustBelowTenPow8", 99999992.0f, "      1.E8"},
    {"TenPow8", 1e8f, " 1.0e8    "},
    {"Infinity", kInfinity, " 1.0e8    "},
    {"MinusTenPow8", -1e8f, "-1.0e8    "},
};

INSTANTIATE_TEST_SUITE_P(Values, FormatValueTest, ::testing::ValuesIn(kValueRows), RowName);

TEST(FormatValue, ShowsNaNAsItsOwnText) {
    EXPECT_EQ(FormatValue(-std::numeric_limits<float>::quiet_NaN()), " NaN      ");
}

struct PointRow {
    const char* in;
    const char* out;
};

class EnsureDecimalPointTest : public ::testing::TestWithParam<PointRow> {};

TEST_P(EnsureDecimalPointTest, KeepsLength) {
    EXPECT_EQ(EnsureDecimalPoint(GetParam().in), GetParam().out);
}

const PointRow kPointRows[] = {
    {"12", "12"},
    {"   100000", "  100000."},
    {"     1E5", "    1.E5"},
    {"    5e-5", "   5.e-5"},
    {"1E51", "1E51"},
    {"  1.5", "  1.5"},
    {" 1,0e8", " 1,0e8"},
};

INSTANTIATE_TEST_SUITE_P(Texts, EnsureDecimalPointTest, ::testing::ValuesIn(kPointRows),
                         [](const auto& info) { return NameOfText(info.param.in); });

TEST(StripBlanks, DropsSpacesOnly) {
    EXPECT_EQ(StripBlanks(FormatValue(5e-5f)), "5.E-5");
    EXPECT_EQ(StripBlanks(FormatValue(0.0f)), "0.0");
    EXPECT_EQ(StripBlanks(" a b\tc "), "ab\tc");
    EXPECT_EQ(StripBlanks(""), "");
}

} // namespace
