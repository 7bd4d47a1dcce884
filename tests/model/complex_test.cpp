#include "complex.h"
#include "fp_errors.h"
#include "model_test_support.h"

#include <limits>
#include <utility>

namespace {

constexpr uint32_t PlusSaturated = 0x799A130C;
constexpr uint32_t MinusSaturated = 0xF99A130C;

std::pair<uint32_t, uint32_t> BitsOf(TComplex z) {
    return {Bits(z.Re), Bits(z.Im)};
}

TEST(ComplexTest, OperationsOnSmallNumbersAreExact) {
    EXPECT_EQ(BitsOf(CMul({1, 2}, {3, 4})), BitsOf({-5, 10}));
    EXPECT_EQ(BitsOf(CDiv({1, 2}, {3, 4})), BitsOf({0.44f, 0.08f}));
    EXPECT_EQ(BitsOf(CSub({5, 1}, {2, 3})), BitsOf({3, -2}));
    EXPECT_EQ(BitsOf(CConj({2, 3})), BitsOf({2, -3}));
    EXPECT_EQ(CAbs({3, 4}), Extended(5));
    EXPECT_EQ(CAbs({-3, -4}), Extended(5));
}

// Each component on its own, to the bit pattern of the 32-bit 1e35.
TEST(ComplexTest, ProductAndQuotientSaturate) {
    EXPECT_EQ(BitsOf(CMul({1e20f, 0}, {1e20f, 0})), std::pair(PlusSaturated, 0u));
    EXPECT_EQ(BitsOf(CMul({1e20f, 0}, {-1e20f, 0})).first, MinusSaturated);
    EXPECT_EQ(BitsOf(CMul({0, 1e20f}, {1e20f, 0})), std::pair(0u, PlusSaturated));
    const TComplex q = CDiv({1e30f, 0}, {1e-30f, 0});
    EXPECT_EQ(Bits(q.Re), PlusSaturated);
    EXPECT_EQ(q.Im, 0.0f);
}

struct DivisorRow {
    const char* name;
    TComplex divisor;
    bool zeroDivisor;
};

class ZeroDivisorTest : public testing::TestWithParam<DivisorRow> {};

TEST_P(ZeroDivisorTest, GivesZeroOnlyWhenBothComponentsAreTiny) {
    const TComplex q = CDiv({1, 0}, GetParam().divisor);
    if (GetParam().zeroDivisor) {
        EXPECT_EQ(BitsOf(q), std::pair(0u, 0u));
    } else {
        EXPECT_TRUE(q.Re != 0 || q.Im != 0);
    }
}

// The threshold is the decimal 1e-35 itself: the 32-bit value nearest to it
// lies above, so only values at or below the decimal count as zero.
const float BelowThreshold = std::nextafter(1e-35f, 0.0f);

INSTANTIATE_TEST_SUITE_P(
    Divisors, ZeroDivisorTest,
    testing::Values(DivisorRow{"zero", {0, 0}, true},
                    DivisorRow{"both_below_threshold", {BelowThreshold, -BelowThreshold}, true},
                    DivisorRow{"re_nearest_float_to_1e_35", {1e-35f, 0}, false},
                    DivisorRow{"im_2e_35", {0, 2e-35f}, false}),
    RowName);

TEST(ComplexTest, ModulusSaturatesAboveTheSquareRootOfTheLimit) {
    // 3e17 squared stays below 1e35: the exact modulus of the stored float.
    EXPECT_EQ(CAbs({3e17f, 0}), static_cast<Extended>(3e17f));
    const Real48 saturated = CAbs({4e17f, 0});
    EXPECT_EQ(saturated, RoundToReal48(1e35L));
    EXPECT_NEAR(static_cast<double>(saturated), 9.99999999999362e34, 1e21);
    EXPECT_LT(saturated, Extended(1e35L));
}

TEST(ComplexTest, Real48KeepsFortyBitsAndRoundsHalfwayAwayFromZero) {
    const Extended one = 1.0L;
    const Extended half = 0x1p-40L; // halfway between two 40-bit values
    EXPECT_EQ(RoundToReal48(one + half), one + 2 * half);
    EXPECT_EQ(RoundToReal48(-(one + half)), -(one + 2 * half));
    EXPECT_EQ(RoundToReal48(one + half - 0x1p-63L), one);
    EXPECT_EQ(RoundToReal48(one + 2 * half), one + 2 * half);
}

TEST(ComplexTest, SumsDoNotSaturateButOverflowTheStore) {
    EXPECT_EQ(CAdd({1e35f, 0}, {1e35f, 0}).Re, 2e35f);
    const float big = std::numeric_limits<float>::max();
    EXPECT_THROW(CAdd({big, 0}, {big, 0}), FloatOverflowError);
    EXPECT_THROW(CSub({0, big}, {0, -big}), FloatOverflowError);
}

} // namespace
