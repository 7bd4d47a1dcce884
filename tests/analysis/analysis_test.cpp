#include "circuit_check.h"
#include "complex_quotient.h"
#include "motor_characteristics.h"
#include "ratio_range.h"
#include "significant_digits.h"
#include "solved_circuits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Complex = std::complex<double>;

// The circuit in double precision against the name plate the model solved it
// for in 32-bit floats; at synchronous speed no torque and only the
// magnetizing current; no rated torque without rotor resistance.
TEST(MotorCharacteristicsTest, RatedLockedAndIdlePoints) {
    const SolvedCircuit c = Derived({"1", "10", "0.02", "0.9", "0.8", "5"});
    const MotorCharacteristics motor(c);
    EXPECT_NEAR(motor.At(motor.RatedSlip()).power_factor, 0.8, 1e-5);
    EXPECT_NEAR(motor.At(1).current_pu, 5, 5e-5);
    const NameplateCheck check = CheckAgainstNameplate(c);
    EXPECT_NEAR(check.In_A, c.Nominal.I_n, 1e-5 * c.Nominal.I_n);
    EXPECT_NEAR(check.pf, 0.8, 1e-5);
    EXPECT_NEAR(check.efficiency, 0.9, 1e-5);
    EXPECT_NEAR(check.Ilr_ratio, 5, 5e-4);
    EXPECT_EQ(motor.At(0).torque_pu, 0.0);
    EXPECT_NEAR(motor.At(0).power_factor,
                c.Rs / std::abs(Complex(c.Rs, c.Xls + static_cast<double>(c.Xm))), 1e-14);
    EXPECT_THROW(MotorCharacteristics(Circuit(230, 0.03f, 0.5f, 2, 0, 2, 60)),
                 CharacteristicsError);
}

// Circuits and the breakdown point the search found for them before the
// closed form took part in steering it, bit for bit: where the closed form
// settles a comparison, the search must still take exactly the step the
// computed torques would have taken. Shortened to six digits, it must print
// alike. From the name plates 1 kV 10 kW 0.02 0.9 0.8 5; the same with ratio
// 20; 0.69 kV 37 kW 0.6 0.88 0.85 5; 1e12 kV 10 kW; 1 kV 0.0001 kW; then
// extreme shapes, the last but one cancelling E = V - I_s Z_s so far that no
// comparison is settled without the torques.
TEST(BreakdownSearchTest, TakesTheSameStepsAsComparingEveryTorque) {
    const std::tuple<SolvedCircuit, double, double> rows[] = {
        // clang-format off
        {Circuit(0x1.20acd6p+9, 0x1.47ae14p-6, 0x1.2cee44p+2, 0x1.ab56p+2, 0x1.8d0106p+0,
                 0x1.ab56p+2, 0x1.02849ep+7), 0x1.caf1443423acep-4, 0x1.3929dcb5902a9p+1},
        {Circuit(0x1.20acd6p+9, 0x1.47ae14p-6, 0x1.2cee44p+2, 0, 0x1.c378a2p+0, 0, 0x1.afe46p+6),
         0x1.806d8b9e448ep-2, 0x1.4d50700ef42f3p+2},
        {Circuit(0x1.8e5f26p+8, 0x1p-1, 0x1.78fd44p-5, 0, 0x1.95d78ap+1, 0, 0x1.442716p+3),
         0x1p+0, 0x1.f8b38f6006bb3p+0},
        {Circuit(0x1.068c6ap+49, 0x1.47ae14p-6, 0x1.f1d91ap+81, 0, 0x1.7572bap+80, 0,
                 0x1.6540bp+86), 0x1.806d88f88508bp-2, 0x1.4d506e06fc5ccp+2},
        {Circuit(0x1.20acd6p+9, 0x1.47ae14p-6, 0x1.6f58f2p+15, 0x1.04d36p+16, 0x1.e49fd6p+13,
                 0x1.04d36p+16, 0x1.3b92fap+20), 0x1.caf12029e6fd4p-4, 0x1.3929cae13cd0dp+1},
        {Circuit(230, 0.02f, 0, 2, 0.5f, 2, 80), 0x1.032915fee592ap-3, 0x1.9f0dabc74889cp+1},
        {Circuit(230, 0.2f, 0.1f, 0.5f, 1.2f, 0.5f, 50), 0x1p+0, 0x1.6d4c9694b8feep+1},
        {Circuit(230, 0.02f, 1e6f, 1, 0.5f, 2, 80), 0x1.8f9c1e3dd150fp-8, 0x1.cad93a77e8cc8p+0},
        {Circuit(230, 1e-10f, 0.001f, 0.01f, 1e-8f, 0.01f, 10),
         0x1.0c3bf43494868p-21, 0x1.2970d3ce9567bp+11},
        // clang-format on
    };
    const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    for (const auto& [circuit, slip, torque] : rows) {
        const MotorCharacteristics motor(circuit);
        const BreakdownPoint whole = motor.Breakdown(), shortened = motor.Breakdown(6);
        EXPECT_EQ(std::vector({bits(whole.slip), bits(whole.torque_pu)}),
                  std::vector({bits(slip), bits(torque)}));
        EXPECT_EQ(SignificantDigits(shortened.slip, 6), SignificantDigits(slip, 6));
        EXPECT_EQ(SignificantDigits(shortened.torque_pu, 6), SignificantDigits(torque, 6));
    }
}

// Over a spread of name plates, warnings and fallbacks included.
TEST(BreakdownSearchTest, ShortenedSearchPrintsAsTheWholeOneOverManyNameplates) {
    std::mt19937 random(20240607);
    const auto between = [&](double low, double high) {
        return std::to_string(std::uniform_real_distribution<double>(low, high)(random));
    };
    for (int i = 0; i < 3000; ++i) {
        const MotorCharacteristics motor(
            Derived({between(0.2, 15), between(0.5, 5000), between(0.001, 0.7), between(0.6, 0.99),
                     between(0.6, 0.95), between(1, 12)}));
        const BreakdownPoint whole = motor.Breakdown(), shortened = motor.Breakdown(6);
        ASSERT_EQ(SignificantDigits(shortened.slip, 6), SignificantDigits(whole.slip, 6)) << i;
        ASSERT_EQ(SignificantDigits(shortened.torque_pu, 6), SignificantDigits(whole.torque_pu, 6))
            << i;
    }
}

// Bit for bit, where any NaN matches any NaN.
void ExpectLibraryQuotient(double a, std::complex<double> z) {
    const std::complex<double> want = a / z, got = RealOverComplex(a, z);
    for (const auto& [g, w] : {std::pair{got.real(), want.real()}, {got.imag(), want.imag()}}) {
        if (!std::isnan(g) || !std::isnan(w)) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(g), std::bit_cast<std::uint64_t>(w))
                << a << " / " << z;
        }
    }
}

// Mostly the circuit's range; now and then beyond where the library scales,
// zeros of either sign, and the edges the library handles itself.
TEST(RealOverComplexTest, GivesTheLibrarysQuotientBitForBit) {
#ifdef __FP_FAST_FMA
    // Here (AArch64) the library's division is compiled with fused
    // multiply-adds and rounds differently; RealOverComplex keeps its steps
    // apart so that its quotient is the x86-64 library's on every platform,
    // which the cross build's comparison of the batch output checks.
    GTEST_SKIP() << "the library's complex division fuses multiply-adds on this platform";
#endif
    std::mt19937_64 random(7);
    const auto magnitude = [&](double range) {
        const double power = std::uniform_real_distribution<double>(-range, range)(random);
        return (random() % 2 != 0 ? -1 : 1) * std::exp2(power);
    };
    for (int i = 0; i < 200000; ++i) {
        const double range = i % 10 == 0 ? 1100 : 150;
        double parts[3] = {magnitude(range), magnitude(range), magnitude(range)};
        if (i % 7 == 0) {
            parts[random() % 3] = random() % 2 != 0 ? 0.0 : -0.0;
        }
        ExpectLibraryQuotient(parts[0], {parts[1], parts[2]});
    }
    for (const std::complex<double> z :
         {std::complex<double>(0, 0), {-0.0, 0}, {NAN, 1}, {1, INFINITY}}) {
        ExpectLibraryQuotient(1, z);
    }
}

// The solver meets a target inside the range and falls back outside it.
TEST(RatioRangeTest, SolverMeetsExactlyTheTargetsInsideTheRange) {
    for (const auto& [ratio, met] :
         {std::pair{"1.6", false}, {"1.7", true}, {"5", true}, {"11.1", true}, {"20", false}}) {
        const TextNameplate::Fields plate{"1", "10", "0.02", "0.9", "0.8", ratio};
        const LockedRotorRatioRange range = AchievableRatioRange(Derived(plate).Nominal);
        const double k = std::stod(ratio);
        EXPECT_EQ(range.ratio_min < k && k <= range.ratio_max, met) << ratio;
        EXPECT_EQ(Derived(plate).RatioMet, met) << ratio;
    }
}

} // namespace
