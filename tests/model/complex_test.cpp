#include "complex.h"
#include "fp_errors.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Rows print as their names in test listings.
template <typename NamedRow>
requires requires(const NamedRow& r) {
    r.name;
}
void PrintTo(const NamedRow& r, std::ostream* os) {
    *os << r.name;
}

uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}

constexpr uint32_t PlusSaturated = 0x799A130C;
constexpr uint32_t MinusSaturated = 0xF99A130C;

TEST(ComplexTest, ProductAndQuotientOfSmallNumbers) {
    const TComplex p = CMul({1, 2}, {3, 4});
    EXPECT_EQ(Bits(p.Re), Bits(-5.0f));
    EXPECT_EQ(Bits(p.Im), Bits(10.0f));

    const TComplex q = CDiv({1, 2}, {3, 4});
    EXPECT_EQ(Bits(q.Re), Bits(0.44f));
    EXPECT_EQ(Bits(q.Im), Bits(0.08f));
}

TEST(ComplexTest, SubtractsTheSecondOperandFromTheFirst) {
    const TComplex d = CSub({5, 1}, {2, 3});
    EXPECT_EQ(d.Re, 3.0f);
    EXPECT_EQ(d.Im, -2.0f);
    const TComplex c = CConj({2, 3});
    EXPECT_EQ(c.Im, -3.0f);
}

TEST(ComplexTest, ProductSaturatesAtTheExactLimit) {
    const TComplex plus = CMul({1e20f, 0}, {1e20f, 0});
    EXPECT_EQ(Bits(plus.Re), PlusSaturated);
    EXPECT_EQ(plus.Im, 0.0f);
    const TComplex minus = CMul({1e20f, 0}, {-1e20f, 0});
    EXPECT_EQ(Bits(minus.Re), MinusSaturated);
    // The imaginary part is checked on its own.
    const TComplex im = CMul({0, 1e20f}, {1e20f, 0});
    EXPECT_EQ(Bits(im.Im), PlusSaturated);
    EXPECT_EQ(im.Re, 0.0f);
}

TEST(ComplexTest, QuotientSaturates) {
    const TComplex q = CDiv({1e30f, 0}, {1e-30f, 0});
    EXPECT_EQ(Bits(q.Re), PlusSaturated);
    EXPECT_EQ(q.Im, 0.0f);
}

struct DivisorCase {
    const char* name;
    TComplex divisor;
    bool zeroDivisor;
};

// The threshold is the decimal 1e-35 itself: the 32-bit value nearest to it
// lies above, so only values at or below the decimal count as zero.
const float AboveThreshold = 1e-35f;
const float BelowThreshold = std::nextafter(1e-35f, 0.0f);

class ZeroDivisorTest : public testing::TestWithParam<DivisorCase> {};

TEST_P(ZeroDivisorTest, GivesZeroOnlyWhenBothComponentsAreTiny) {
    const DivisorCase& c = GetParam();
    const TComplex q = CDiv({1, 0}, c.divisor);
    if (c.zeroDivisor) {
        EXPECT_EQ(Bits(q.Re), 0u);
        EXPECT_EQ(Bits(q.Im), 0u);
    } else {
        EXPECT_TRUE(q.Re != 0 || q.Im != 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Divisors, ZeroDivisorTest,
    testing::Values(DivisorCase{"zero", {0, 0}, true}, DivisorCase{"re_1e_36", {1e-36f, 0}, true},
                    DivisorCase{"both_below_threshold", {BelowThreshold, -BelowThreshold}, true},
                    DivisorCase{"re_nearest_float_to_1e_35", {AboveThreshold, 0}, false},
                    DivisorCase{"im_2e_35", {0, 2e-35f}, false},
                    DivisorCase{"re_tiny_im_one", {1e-36f, 1}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComplexTest, OneSmallComponentIsDividedNormally) {
    const TComplex q = CDiv({1, 0}, {0, 2e-35f});
    EXPECT_EQ(q.Re, 0.0f);
    EXPECT_NEAR(q.Im, -5e34f, 5e34f * 1e-6f);
}

TEST(ComplexTest, ModulusIsExactForSmallIntegers) {
    EXPECT_EQ(CAbs({3, 4}), 5.0L);
    EXPECT_EQ(CAbs({-3, -4}), 5.0L);
}

TEST(ComplexTest, ModulusSaturatesAboveTheSquareRootOfTheLimit) {
    // 3e17 squared stays below 1e35: the exact modulus of the stored float.
    EXPECT_EQ(CAbs({3e17f, 0}), static_cast<Extended>(3e17f));
    const Real48 saturated = CAbs({4e17f, 0});
    EXPECT_EQ(saturated, RoundToReal48(1e35L));
    EXPECT_NEAR(static_cast<double>(saturated), 9.99999999999362e34, 1e21);
    EXPECT_LT(saturated, 1e35L);
}

TEST(ComplexTest, Real48RoundsHalfwayAwayFromZero) {
    const Extended one = 1.0L;
    // 1 + 2^-40 lies halfway between two 40-bit values.
    EXPECT_EQ(RoundToReal48(one + std::ldexp(1.0L, -40)), one + std::ldexp(1.0L, -39));
    EXPECT_EQ(RoundToReal48(-(one + std::ldexp(1.0L, -40))), -(one + std::ldexp(1.0L, -39)));
    // Just below halfway rounds down.
    EXPECT_EQ(RoundToReal48(one + std::ldexp(1.0L, -40) - std::ldexp(1.0L, -63)), one);
    // 40 significant bits survive.
    EXPECT_EQ(RoundToReal48(one + std::ldexp(1.0L, -39)), one + std::ldexp(1.0L, -39));
}

TEST(ComplexTest, SumsDoNotSaturateButOverflowTheStore) {
    const TComplex s = CAdd({1e35f, 0}, {1e35f, 0});
    EXPECT_EQ(s.Re, 2e35f);
    const float big = std::numeric_limits<float>::max();
    EXPECT_THROW(CAdd({big, 0}, {big, 0}), FloatOverflowError);
    EXPECT_THROW(CSub({0, big}, {0, -big}), FloatOverflowError);
}

} // namespace
