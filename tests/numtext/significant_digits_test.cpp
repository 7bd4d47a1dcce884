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

std::string Library(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

TEST(SignificantDigitsTest, WritesWhatTheLibraryWrites) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 300000; ++i) {
        double value = 0;
        switch (i % 3) {
        case 0: // any double
            value = std::bit_cast<double>(random());
            break;
        case 1: // the magnitudes of the check columns
            value = std::exp(std::uniform_real_distribution<double>(-40, 40)(random));
            break;
        default: // a 32-bit value, as the circuit columns hold
            value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            break;
        }
        if (std::isnan(value)) {
            continue;
        }
        const int digits = i % 2 == 0 ? (i % 4 == 0 ? 6 : 9) : static_cast<int>(1 + random() % 17);
        ASSERT_EQ(SignificantDigits(value, digits), Library(value, digits))
            << std::hexfloat << value << " with " << digits;
    }
    for (const double value : {0.0, -0.0, 1.0, 5.0, 100000.0, 1e22, 1e300, 4.9e-324,
                               std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(SignificantDigits(value, 6), Library(value, 6)) << value;
    }
    // Exact ties, odd multiples of a power of two, which random values
    // hardly meet: to the even digit.
    for (const auto& [value, digits] : {std::pair{1.015625, 6},
                                        {1.046875, 6},
                                        {1.001953125, 9},
                                        {1.005859375, 9},
                                        {2.5, 1},
                                        {3.5, 1},
                                        {0.125, 2},
                                        {1234.125, 6},
                                        {-1.046875, 6},
                                        {999999.5, 6}}) {
        EXPECT_EQ(SignificantDigits(value, digits), Library(value, digits)) << value;
    }
}

// The default NaN is negative on x86 and positive on AArch64: the text must
// not tell them apart.
TEST(SignificantDigitsTest, WritesEveryNaNAlike) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(SignificantDigits(nan, 9), "-nan");
    EXPECT_EQ(SignificantDigits(-nan, 9), "-nan");
    EXPECT_EQ(SignificantDigits(std::copysign(nan, 1.0), 6), "-nan");
}

TEST(SignificantDigitsTest, PrintsAlikeExactlyWhenTheTextsAreEqual) {
    EXPECT_TRUE(PrintsAlike(0.1120455, 0.1120464, 6));
    EXPECT_FALSE(PrintsAlike(0.1120454, 0.1120456, 6));
    EXPECT_TRUE(PrintsAlike(999999.4, 999999.3, 6));
    EXPECT_FALSE(PrintsAlike(999999.4, 999999.6, 6));
    EXPECT_FALSE(PrintsAlike(1.5, -1.5, 6));
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i) {
        const double a = std::exp(std::uniform_real_distribution<double>(-20, 20)(random));
        const double b = a * (1 + std::uniform_real_distribution<double>(-2e-6, 2e-6)(random));
        ASSERT_EQ(PrintsAlike(a, b, 6), SignificantDigits(a, 6) == SignificantDigits(b, 6)) << a;
    }
}

} // namespace
