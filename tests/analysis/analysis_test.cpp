#include "circuit_check.h"
#include "complex_quotient.h"
#include "machine_per_unit.h"
#include "motor_characteristics.h"
#include "ratio_range.h"
#include "significant_digits.h"
#include "solved_circuits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Complex = std::complex<double>;

// The torque curve through the Thevenin equivalent of the supply, the stator
// branch and the magnetizing branch, as seen by the rotor branch.
struct Thevenin {
    explicit Thevenin(const SolvedCircuit& c) : Rr(c.Rr), ratedSlip(c.Nominal.s) {
        const Complex Zs(c.Rs, c.Xls), Zm(0, c.Xm);
        const Complex Zth = Zs * Zm / (Zs + Zm);
        V2 = std::norm(static_cast<double>(c.Nominal.V_ph) * Zm / (Zs + Zm));
        Rth = Zth.real();
        X = Zth.imag() + c.Xlr;
    }
    double AirGapPower(double s) const {
        const double r = Rr / s;
        return V2 * r / ((Rth + r) * (Rth + r) + X * X);
    }
    // Where d/dr of r / ((Rth + r)^2 + X^2) vanishes, r = Rr'/s.
    double BreakdownSlip() const { return std::min(Rr / std::hypot(Rth, X), 1.0); }
    double TorquePu(double s) const { return AirGapPower(s) / AirGapPower(ratedSlip); }

    double Rr, ratedSlip, V2 = 0, Rth = 0, X = 0;
};

// The torque is flat at its maximum: far tighter than the slip.
TEST(MotorCharacteristicsTest, BreakdownAndTorqueMeetTheTheveninClosedForm) {
    const SolvedCircuit circuits[] = {
        Derived({"1", "10", "0.02", "0.9", "0.8", "5"}),
        Circuit(3464, 0.006f, 0.02f, 0.4f, 0.018f, 0.4f, 20),
        Circuit(577.35f, 0.02f, 4.702f, 0, 1.7636f, 0, 107.97f), // the fallback: no leakage
        Circuit(230, 0.1f, 0, 1, 1.9502f, 1, 99),                // breakdown just below standstill
        Circuit(100, 0.2f, 1, 1, 10, 1, 50),                     // and beyond it
    };
    for (const SolvedCircuit& c : circuits) {
        SCOPED_TRACE(c.Rr);
        const MotorCharacteristics motor(c);
        const Thevenin thevenin(c);
        const double sb = thevenin.BreakdownSlip();
        const BreakdownPoint breakdown = motor.Breakdown();
        EXPECT_NEAR(breakdown.slip, sb, 1e-6 * sb);
        EXPECT_NEAR(breakdown.torque_pu, thevenin.TorquePu(sb), 1e-10 * thevenin.TorquePu(sb));
        for (const double s : {1.0, 0.7, 0.3, 0.05}) {
            EXPECT_NEAR(motor.At(s).torque_pu, thevenin.TorquePu(s), 1e-12 * thevenin.TorquePu(s))
                << "s = " << s;
        }
        const CharacteristicPoint rated = motor.At(motor.RatedSlip());
        EXPECT_NEAR(rated.torque_pu, 1, 1e-12);
        EXPECT_NEAR(rated.current_pu, 1, 1e-12);
    }
}

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

// The ratio the solver's fallback line names, or 0 when it met the target.
double FallbackRatio(const TextNameplate::Fields& plate) {
    std::vector<std::string> lines;
    const bool met = Derived(plate, &lines).RatioMet;
    return met ? 0 : std::stod(lines.back().substr(lines.back().find('=') + 1));
}

// Six significant digits, as %g writes them. The maximum lies above X_min: it
// exceeds the ratio of the circuit without leakage, the fallback named for an
// unreachable target.
TEST(RatioRangeTest, MatchesTheWorkedFiguresAndExceedsTheFallback) {
    const std::tuple<TextNameplate::Fields, const char*, const char*, double> rows[] = {
        {{"1", "10", "0.02", "0.9", "0.8", "100"}, "1.65205", "11.141", 11.1366},
        {{"0.4", "0.75", "0.05", "0.83", "0.82", "100"}, "1.69752", "6.17864", 6.16572},
        {{"6.6", "630", "0.007", "0.959", "0.83", "100"}, "1.78955", "27.2144", 27.2134},
    };
    for (const auto& [plate, ratio_min, ratio_max, fallback] : rows) {
        SCOPED_TRACE(plate[0] + " kV");
        const LockedRotorRatioRange range = AchievableRatioRange(Derived(plate).Nominal);
        EXPECT_EQ(SignificantDigits(range.ratio_min, 6), ratio_min);
        EXPECT_EQ(SignificantDigits(range.ratio_max, 6), ratio_max);
        EXPECT_EQ(FallbackRatio(plate), fallback);
        EXPECT_GT(range.ratio_max, fallback);
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
        EXPECT_EQ(FallbackRatio(plate) == 0, met) << ratio;
    }
}

// The default name plate worked by hand: V_ph = 1000/sqrt(3) V, I_n = 10 kW /
// (3 V_ph 0.9 0.8), so Z_base = V_ph / I_n = 1000^2 0.72 / 10^4 = 72 ohm and
// S_base = 10 kW / 0.72. Rs = Z_base 0.8 (1 - 0.9/0.98) exactly; the other
// elements are the solver's ohms (about 1.55080, 6.67712 and 129.259) over
// 72. The 32-bit stores of the calculation leave about 1e-7 relative.
TEST(MachinePerUnitTest, DefaultNameplateOnItsOwnRating) {
    const MachinePerUnit pu = PerUnitOnRating(Derived({"1", "10", "0.02", "0.9", "0.8", "5"}));
    EXPECT_NEAR(pu.Z_base_ohm, 72.000, 72e-6);
    EXPECT_NEAR(pu.S_base_VA, 1e4 / 0.72, 1e-2);
    EXPECT_NEAR(pu.V_base_V, 1000, 1e-3);
    EXPECT_NEAR(pu.Rs, 0.8 * (1 - 0.9 / 0.98), 1e-7);
    EXPECT_NEAR(pu.Rr, 1.55080 / 72, 1e-6);
    EXPECT_NEAR(pu.Xls, 6.67712 / 72, 1e-6);
    EXPECT_NEAR(pu.Xm, 129.259 / 72, 1e-5);
    EXPECT_EQ(pu.Xlr, pu.Xls);
}

} // namespace
