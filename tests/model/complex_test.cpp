#include "complex.h"
#include "fp_errors.h"
#include "model_test_support.h"

#include <limits>

namespace {

std::vector<uint32_t> BitsOf(TComplex z) {
    return {Bits(z.Re), Bits(z.Im)};
}

TEST(ComplexTest, OperationsOnSmallNumbersAreExact) {
    EXPECT_EQ(BitsOf(CMul({1, 2}, {3, 4})), BitsOf({-5, 10}));
    EXPECT_EQ(BitsOf(CDiv({1, 2}, {3, 4})), BitsOf({0.44f, 0.08f}));
    EXPECT_EQ(BitsOf(CSub({5, 1}, {2, 3})), BitsOf({3, -2}));
    EXPECT_EQ(BitsOf(CConj({2, 3})), BitsOf({2, -3}));
    EXPECT_EQ(CAbs({-3, -4}), Extended(5));
}

// Each component on its own, to the 32-bit 1e35; the modulus once the sum of
// the squares passes 1e35, to 1e35 in the 40-bit real.
TEST(ComplexTest, ProductQuotientAndModulusSaturate) {
    const float max = 1e35f;
    EXPECT_EQ(BitsOf(CMul({1e20f, 0}, {1e20f, 0})), BitsOf({max, 0}));
    EXPECT_EQ(BitsOf(CMul({1e20f, 1}, {-1e20f, 1})), BitsOf({-max, 0}));
    EXPECT_EQ(BitsOf(CMul({0, 1e20f}, {1e20f, 0})), BitsOf({0, max}));
    EXPECT_EQ(BitsOf(CDiv({1e30f, 1e30f}, {1e-30f, 0})), BitsOf({max, max}));
    EXPECT_EQ(CAbs({3e17f, 0}), static_cast<Extended>(3e17f));
    EXPECT_EQ(CAbs({4e17f, 0}), RoundToReal48(1e35L));
    EXPECT_LT(RoundToReal48(1e35L), Extended(1e35L));
}

// The threshold is the decimal 1e-35 itself: the 32-bit value nearest to it
// lies above, so only values at or below the decimal count as zero.
TEST(ComplexTest, DivisorIsZeroOnlyWhenBothComponentsAreWithin1eMinus35) {
    const float below = std::nextafter(1e-35f, 0.0f);
    EXPECT_EQ(BitsOf(CDiv({1, 0}, {0, 0})), BitsOf({0, 0}));
    EXPECT_EQ(BitsOf(CDiv({1, 0}, {below, -below})), BitsOf({0, 0}));
    EXPECT_NE(CDiv({1, 0}, {1e-35f, 0}).Re, 0.0f);
    EXPECT_NE(CDiv({1, 0}, {0, 2e-35f}).Im, 0.0f);
}

TEST(ComplexTest, Real48KeepsFortyBitsAndRoundsHalfwayAwayFromZero) {
    const Extended one = 1.0L;
    const Extended half = 0x1p-40L; // halfway between two 40-bit values
    EXPECT_EQ(RoundToReal48(one + half), one + 2 * half);
    EXPECT_EQ(RoundToReal48(-(one + half)), -(one + 2 * half));
    EXPECT_EQ(RoundToReal48(one + half - 0x1p-63L), one);
    EXPECT_EQ(RoundToReal48(0x1p-128L), 0x1p-128L);
    EXPECT_EQ(RoundToReal48(0x1.fffffp-129L), 0.0L);
}

TEST(ComplexTest, SumsDoNotSaturateButOverflowTheStore) {
    EXPECT_EQ(CAdd({1e35f, 0}, {1e35f, 0}).Re, 2e35f);
    const float big = std::numeric_limits<float>::max();
    EXPECT_THROW(CAdd({big, 0}, {big, 0}), FloatOverflowError);
    EXPECT_THROW(CSub({0, big}, {0, -big}), FloatOverflowError);
}

} // namespace
