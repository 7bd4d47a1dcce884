#include "format_value.h"

#include "locale_scope.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(FormatValue, GivesTenCharactersUnderEitherLocale) {
    const std::pair<float, const char*> rows[] = {
        {0.0f, " 0.0      "},           {-3e-6f, " 0.0      "},     // small negative: no sign
        {9.99999975e-6f, " 0.0      "},                             // the float nearest 10^-5
        {1.00000007e-5f, "     1.E-5"},                             // the float above it
        {1.234e-5f, "  1.234E-5"},      {1.5625e-5f, "  1.563E-5"}, // tie up
        {9.99999975e-5f, "    0.0001"},                             // the float nearest 10^-4
        {0.00012345f, "  0.000123"},    {0.0078125f, "  0.007813"}, // tie up
        {-0.5f, " -0.500000"},          {0.9999996f, "  1.000000"},
        {1.0f, "       1.0"},           {-5.0f, "      -5.0"},
        {12.5f, "      12.5"},          {4.702f, "     4.702"},
        {123.456789f, "   123.457"},    {1234.125f, "   1234.13"}, // tie up
        {99999.0f, "   99999.0"},       {99999.99f, "   100000."},
        {100000.0f, "      1.E5"},      {123456.0f, "   1.235E5"},
        {-2500000.0f, "    -2.5E6"},    {99999992.0f, "      1.E8"},
        {1e8f, " 1.0e8    "},           {std::numeric_limits<float>::infinity(), " 1.0e8    "},
        {-1e8f, "-1.0e8    "},          {-std::numeric_limits<float>::quiet_NaN(), " NaN      "},
    };
    for (const char* name : {PointLocale, CommaLocale}) {
        const LocaleScope locale(name);
        ASSERT_TRUE(locale.Installed());
        for (const auto& [value, text] : rows) {
            EXPECT_EQ(FormatValue(value), text) << name << " " << value;
        }
    }
}

TEST(FormatValue, EnsureDecimalPointKeepsLengthAndStripBlanksOnlySpaces) {
    for (const auto& [in, out] : {std::pair{"12", "12"},
                                  {"   100000", "  100000."},
                                  {"     1E5", "    1.E5"},
                                  {"    5e-5", "   5.e-5"},
                                  {"1E51", "1E51"},
                                  {"  1.5", "  1.5"},
                                  {" 1,0e8", " 1,0e8"}}) {
        EXPECT_EQ(EnsureDecimalPoint(in), out) << in;
    }
    EXPECT_EQ(StripBlanks(" a b\tc "), "ab\tc");
    EXPECT_EQ(StripBlanks(""), "");
}

} // namespace
