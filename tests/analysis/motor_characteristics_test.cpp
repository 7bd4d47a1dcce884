#include "motor_characteristics.h"
#include "solved_circuits.h"
#include "text_nameplate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

namespace {

using Complex = std::complex<double>;

// The torque curve through the Thevenin equivalent of the supply, the stator
// branch and the magnetizing branch, as seen by the rotor branch.
struct Thevenin {
    explicit Thevenin(const SolvedCircuit& c) : Rr(c.Rr), Xlr(c.Xlr), ratedSlip(c.Nominal.s) {
        const Complex Zs(c.Rs, c.Xls);
        const Complex Zm(0, c.Xm);
        const Complex Vth = static_cast<double>(c.Nominal.V_ph) * Zm / (Zs + Zm);
        const Complex Zth = Zs * Zm / (Zs + Zm);
        V2 = std::norm(Vth);
        Rth = Zth.real();
        X = Zth.imag() + Xlr;
    }
    double AirGapPower(double s) const {
        const double r = Rr / s;
        return V2 * r / ((Rth + r) * (Rth + r) + X * X);
    }
    // Where d/dr of r / ((Rth + r)^2 + X^2) vanishes, r = Rr'/s.
    double BreakdownSlip() const { return Rr / std::hypot(Rth, X); }
    double TorquePu(double s) const { return AirGapPower(s) / AirGapPower(ratedSlip); }

    double Rr, Xlr, ratedSlip;
    double V2 = 0, Rth = 0, X = 0;
};

void ExpectClosedForm(const SolvedCircuit& circuit) {
    const MotorCharacteristics motor(circuit);
    const Thevenin thevenin(circuit);
    const double sb = std::min(thevenin.BreakdownSlip(), 1.0);
    const BreakdownPoint breakdown = motor.Breakdown();
    EXPECT_NEAR(breakdown.slip, sb, 1e-6 * sb) << "closed form " << thevenin.BreakdownSlip();
    // The torque is flat at its maximum: far tighter than the slip.
    EXPECT_NEAR(breakdown.torque_pu, thevenin.TorquePu(sb), 1e-10 * thevenin.TorquePu(sb));
    EXPECT_NEAR(motor.At(1).torque_pu, thevenin.TorquePu(1), 1e-12 * thevenin.TorquePu(1));
    // Any slip of the curve, not only the special points.
    for (const double s : {0.7, 0.3, 0.05}) {
        EXPECT_NEAR(motor.At(s).torque_pu, thevenin.TorquePu(s), 1e-12 * thevenin.TorquePu(s))
            << "s = " << s;
    }
    const CharacteristicPoint rated = motor.At(motor.RatedSlip());
    EXPECT_NEAR(rated.torque_pu, 1, 1e-12);
    EXPECT_NEAR(rated.current_pu, 1, 1e-12);
}

const TextNameplate::Fields DefaultPlate{"1", "10", "0.02", "0.9", "0.8", "5"};

TEST(MotorCharacteristicsTest, DefaultNameplateMeetsTheClosedFormAndReproducesItself) {
    const SolvedCircuit circuit = Derived(DefaultPlate);
    ExpectClosedForm(circuit);
    // The circuit in double precision against the name plate the model
    // solved it for in 32-bit floats.
    const MotorCharacteristics motor(circuit);
    EXPECT_NEAR(motor.At(motor.RatedSlip()).power_factor, 0.8, 1e-5);
    EXPECT_NEAR(motor.At(1).current_pu, 5, 5e-5);
}

struct CircuitCase {
    const char* name;
    SolvedCircuit circuit;
};

class ClosedFormTest : public testing::TestWithParam<CircuitCase> {};

TEST_P(ClosedFormTest, BreakdownMeetsTheTheveninClosedForm) {
    ExpectClosedForm(GetParam().circuit);
}

INSTANTIATE_TEST_SUITE_P(
    Circuits, ClosedFormTest,
    testing::Values(
        CircuitCase{"large_motor_low_slip", Circuit(3464, 0.006f, 0.02f, 0.4f, 0.018f, 0.4f, 20)},
        // The circuit the solver falls back on when the current ratio
        // cannot be met.
        CircuitCase{"no_leakage", Circuit(577.35f, 0.02f, 4.702f, 0, 1.7636f, 0, 107.97f)},
        CircuitCase{"no_stator_resistance", Circuit(230, 0.03f, 0, 2, 0.9f, 2, 60)},
        CircuitCase{"breakdown_just_below_standstill", Circuit(230, 0.1f, 0, 1, 1.9502f, 1, 99)},
        CircuitCase{"breakdown_beyond_standstill", Circuit(100, 0.2f, 1, 1, 10, 1, 50)},
        CircuitCase{"tiny_breakdown_slip", Circuit(6000, 2e-6f, 0.001f, 1, 1e-5f, 1, 200)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MotorCharacteristicsTest, SynchronousSpeedHasNoTorqueAndOnlyTheMagnetizingCurrent) {
    const SolvedCircuit c = Circuit(577.35f, 0.02f, 4.702f, 6.677f, 1.5508f, 6.677f, 129.26f);
    const MotorCharacteristics motor(c);
    const CharacteristicPoint idle = motor.At(0);
    EXPECT_EQ(idle.torque_pu, 0.0);
    const Complex Z(c.Rs, static_cast<double>(c.Xls) + c.Xm);
    EXPECT_NEAR(idle.power_factor, c.Rs / std::abs(Z), 1e-14);
}

TEST(MotorCharacteristicsTest, ARotorWithoutResistanceHasNoRatedTorque) {
    EXPECT_THROW(MotorCharacteristics(Circuit(230, 0.03f, 0.5f, 2, 0, 2, 60)),
                 CharacteristicsError);
}

} // namespace
