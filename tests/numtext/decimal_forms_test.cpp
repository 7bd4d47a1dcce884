#include "decimal_forms.h"
#include "format_value.h"
#include "locale_scope.h"
#include "significant_digits.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

using namespace decimal_forms_detail;

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
                                  {"    5e-5", "   5.e-5"},
                                  {"1E51", "1E51"},
                                  {" 1,0e8", " 1,0e8"}}) {
        EXPECT_EQ(EnsureDecimalPoint(in), out) << in;
    }
    EXPECT_EQ(StripBlanks(" a b\tc "), "ab\tc");
    EXPECT_EQ(StripBlanks(""), "");
}

// An exact tie rounds away from zero; 0.45f and 1.45f are no ties. Padded to
// the width, never cut.
TEST(DecimalForms, WriteTheDigitsOfTheExactValue) {
    const struct {
        char form; // 'G' general, 'F' fixed
        float value;
        int width, digits;
        const char* text;
    } rows[] = {
        // clang-format off
        {'G', 2.5f, 0, 1, "3"},              {'G', 0.45f, 0, 1, "0.4"},
        {'G', 1.45f, 0, 2, "1.5"},           {'F', 2.675f, 0, 2, "2.67"},
        {'G', 100.0f, 0, 6, "100"},          {'G', 12345.0f, 0, 4, "1.235E4"},
        {'G', 999999.9375f, 0, 6, "1E6"},    {'G', 1e20f, 0, 4, "1E20"},
        {'G', 3e-30f, 0, 4, "3E-30"},        {'G', 123.456789f, 3, 6, "123.457"},
        {'G', 0.0f, 3, 6, "  0"},            {'F', 0.0000006f, 0, 6, "0.000001"},
        {'F', 1e10f, 0, 2, "10000000000.00"},
        // clang-format on
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.form == 'G' ? GeneralForm(r.value, r.width, r.digits)
                                : FixedForm(r.value, r.width, r.digits),
                  r.text)
            << r.form << " of " << r.value;
    }
}

// The forms round in 64-bit integers where those hold the value, else on the
// full decimal expansion; the two must agree wherever both apply.
void ExpectSame(char form, float v, int width, int digits) {
    if (form == 'G') {
        ASSERT_EQ(GeneralForm(v, width, digits), GeneralFormByExpansion(v, width, digits))
            << std::hexfloat << v << " to " << digits;
    } else {
        ASSERT_EQ(FixedForm(v, width, digits), FixedFormByExpansion(v, width, digits))
            << std::hexfloat << v << " to " << digits;
    }
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
    for (float v = 100050; v < 1e8f; v = v * 1.37f + 100) {
        for (const float half : {50.0f, 500.0f, 5000.0f}) {
            ExpectSame('G', std::round(v / (2 * half)) * 2 * half + half, 7, 4);
        }
    }
    // The display form's four conversions in their magnitude bands, closely
    // where a rounding carries into a new decade.
    const struct {
        char form;
        int width, digits;
        float low, high;
    } bands[] = {{'G', 8, 4, 9.9e-6f, 1.01e-4f},
                 {'F', 8, 6, 9.9e-5f, 1.0f},
                 {'G', 7, 6, 1.0f, 1e5f},
                 {'G', 7, 4, 1e5f, 1e8f}};
    const float edges[] = {9.9995e-5f, 9.999995e-1f, 9.999995f, 99.99995f, 999.9995f,
                           9999.995f,  99999.95f,    999950,    9999500,   99995000};
    for (const auto& b : bands) {
        for (const float edge : edges) {
            for (float v = std::nextafter(std::nextafter(edge, 0.0f), 0.0f); v < edge * 1.000001f;
                 v = std::nextafter(v, 1e30f)) {
                ExpectSame(b.form, v, b.width, b.digits);
            }
        }
        for (auto bits = std::bit_cast<std::uint32_t>(b.low);
             bits < std::bit_cast<std::uint32_t>(b.high); bits += 4099) {
            ExpectSame(b.form, std::bit_cast<float>(bits), b.width, b.digits);
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
// ties, which random values hardly meet: to the even digit.
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
    // The default NaN is negative on x86 and positive on AArch64: no difference.
    EXPECT_EQ(SignificantDigits(NAN, 9) + SignificantDigits(-NAN, 9), "-nan-nan");
}

TEST(SignificantDigits, PrintsAlikeExactlyWhenTheTextsAreEqual) {
    EXPECT_FALSE(PrintsAlike(1.5, -1.5, 6));
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i) {
        const double a = std::exp(std::uniform_real_distribution<double>(-20, 20)(random));
        const double b = a * (1 + std::uniform_real_distribution<double>(-2e-6, 2e-6)(random));
        ASSERT_EQ(PrintsAlike(a, b, 6), SignificantDigits(a, 6) == SignificantDigits(b, 6)) << a;
    }
}

} // namespace
