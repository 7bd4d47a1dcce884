#include "motor_characteristics.h"
#include "significant_digits.h"
#include "solved_circuits.h"
#include "text_nameplate.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace {

std::uint64_t Bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

// A circuit and the breakdown point the search found for it before the
// closed form took part in steering it, bit for bit.
struct SearchCase {
    const char* name;
    SolvedCircuit circuit;
    double slip;
    double torque_pu;
};

class BreakdownSearchTest : public testing::TestWithParam<SearchCase> {};

// Where the closed form settles a comparison, the search must still take
// exactly the step the computed torques would have taken; shortened, it
// must still print alike.
TEST_P(BreakdownSearchTest, TakesTheSameStepsAsComparingEveryTorque) {
    const MotorCharacteristics motor(GetParam().circuit);
    const BreakdownPoint breakdown = motor.Breakdown();
    EXPECT_EQ(Bits(breakdown.slip), Bits(GetParam().slip)) << breakdown.slip;
    EXPECT_EQ(Bits(breakdown.torque_pu), Bits(GetParam().torque_pu)) << breakdown.torque_pu;
    const BreakdownPoint shortened = motor.Breakdown(6);
    EXPECT_EQ(SignificantDigits(shortened.slip, 6), SignificantDigits(GetParam().slip, 6));
    EXPECT_EQ(SignificantDigits(shortened.torque_pu, 6),
              SignificantDigits(GetParam().torque_pu, 6));
}

// From the name plates (V_ph, slip, Rs, Xls, Rr', Xlr, Xm as the model
// solved them): 1 kV 10 kW 0.02 0.9 0.8 5; the same with ratio 20; 10 kV
// 2500 kW 0.008 0.96 0.88 6.5; 0.4 kV 0.75 kW 0.05 0.82 0.78 4.5; 0.69 kV
// 37 kW 0.6 0.88 0.85 5; 3.3 kV 160 kW 0.012 0.93 0.91 1.2; 1e12 kV 10 kW;
// 1 kV 0.0001 kW. Then circuits of extreme shapes.
INSTANTIATE_TEST_SUITE_P(
    Circuits, BreakdownSearchTest,
    testing::Values(
        SearchCase{"default_plate",
                   Circuit(0x1.20acd6p+9, 0x1.47ae14p-6, 0x1.2cee44p+2, 0x1.ab56p+2, 0x1.8d0106p+0,
                           0x1.ab56p+2, 0x1.02849ep+7),
                   0x1.caf1443423acep-4, 0x1.3929dcb5902a9p+1},
        SearchCase{
            "fallback_without_leakage",
            Circuit(0x1.20acd6p+9, 0x1.47ae14p-6, 0x1.2cee44p+2, 0, 0x1.c378a2p+0, 0, 0x1.afe46p+6),
            0x1.806d8b9e448ep-2, 0x1.4d50700ef42f3p+2},
        SearchCase{"large_low_slip_motor",
                   Circuit(0x1.68d80cp+12, 0x1.0624dep-7, 0x1.eb23cap-1, 0x1.47edcp+1,
                           0x1.1dff66p-2, 0x1.47edcp+1, 0x1.6326p+6),
                   0x1.bcf5478c18878p-5, 0x1.8c9ed49998c9ap+1},
        SearchCase{"small_motor",
                   Circuit(0x1.cde156p+7, 0x1.99999ap-5, 0x1.d20c86p+3, 0x1.5cdbp+3, 0x1.e4b6cp+2,
                           0x1.5cdbp+3, 0x1.9c28a2p+7),
                   0x1.2daa2e745ba92p-2, 0x1.2c4b6e00656f7p+1},
        SearchCase{
            "high_slip_beyond_standstill",
            Circuit(0x1.8e5f26p+8, 0x1p-1, 0x1.78fd44p-5, 0, 0x1.95d78ap+1, 0, 0x1.442716p+3),
            0x1p+0, 0x1.f8b38f6006bb3p+0},
        SearchCase{"low_current_ratio",
                   Circuit(0x1.dc506p+10, 0x1.89374cp-7, 0x1.89df1ep+1, 0, 0x1.762acap-1, 0,
                           0x1.f745fap+6),
                   0x1.e68806f8771efp-3, 0x1.5d9a635c8f7cep+2},
        SearchCase{"huge_voltage",
                   Circuit(0x1.068c6ap+49, 0x1.47ae14p-6, 0x1.f1d91ap+81, 0, 0x1.7572bap+80, 0,
                           0x1.6540bp+86),
                   0x1.806d88f88508bp-2, 0x1.4d506e06fc5ccp+2},
        SearchCase{"tiny_power",
                   Circuit(0x1.20acd6p+9, 0x1.47ae14p-6, 0x1.6f58f2p+15, 0x1.04d36p+16,
                           0x1.e49fd6p+13, 0x1.04d36p+16, 0x1.3b92fap+20),
                   0x1.caf12029e6fd4p-4, 0x1.3929cae13cd0dp+1},
        SearchCase{"no_stator_resistance", Circuit(230, 0.02f, 0, 2, 0.5f, 2, 80),
                   0x1.032915fee592ap-3, 0x1.9f0dabc74889cp+1},
        SearchCase{"no_stator_leakage", Circuit(230, 0.02f, 0.4f, 0, 0.5f, 2, 80),
                   0x1.f593541322a6ap-3, 0x1.545468910e994p+2},
        SearchCase{"breakdown_near_standstill", Circuit(230, 0.2f, 0.1f, 0.5f, 1.2f, 0.5f, 50),
                   0x1p+0, 0x1.6d4c9694b8feep+1},
        SearchCase{"low_rotor_resistance", Circuit(230, 0.005f, 1, 1, 0.05f, 1, 100),
                   0x1.6fd4d51f3374ap-6, 0x1.f11eee6d2c4d7p+0},
        // The subtraction E = V - I_s Z_s cancels so much that no comparison
        // is settled without the torques.
        SearchCase{"stator_resistance_dominates", Circuit(230, 0.02f, 1e6f, 1, 0.5f, 2, 80),
                   0x1.8f9c1e3dd150fp-8, 0x1.cad93a77e8cc8p+0},
        SearchCase{"tiny_breakdown_slip", Circuit(230, 1e-10f, 0.001f, 0.01f, 1e-8f, 0.01f, 10),
                   0x1.0c3bf43494868p-21, 0x1.2970d3ce9567bp+11}),
    [](const auto& info) { return std::string(info.param.name); });

// Printed with six digits, the shortened search agrees with the whole one
// across a spread of name plates, warnings and fallbacks included.
TEST(BreakdownSearchTest, ShortenedSearchPrintsAsTheWholeOneOverManyNameplates) {
    std::mt19937 random(20240607);
    const auto between = [&](double low, double high) {
        return std::to_string(std::uniform_real_distribution<double>(low, high)(random));
    };
    for (int i = 0; i < 3000; ++i) {
        const MotorCharacteristics motor(
            Derived({between(0.2, 15), between(0.5, 5000), between(0.001, 0.7), between(0.6, 0.99),
                     between(0.6, 0.95), between(1, 12)}));
        const BreakdownPoint whole = motor.Breakdown();
        const BreakdownPoint shortened = motor.Breakdown(6);
        ASSERT_EQ(SignificantDigits(shortened.slip, 6), SignificantDigits(whole.slip, 6)) << i;
        ASSERT_EQ(SignificantDigits(shortened.torque_pu, 6), SignificantDigits(whole.torque_pu, 6))
            << i;
    }
}

} // namespace
