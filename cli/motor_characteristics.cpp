#include "motor_characteristics.h"

#include <algorithm>
#include <cmath>

namespace {

bool PositiveAndFinite(double x) {
    return x > 0 && std::isfinite(x);
}

} // namespace

MotorCharacteristics::MotorCharacteristics(const SolvedCircuit& c)
    : V_ph_(c.Nominal.V_ph), Zs_(c.Rs, c.Xls), Rr_(c.Rr), Xlr_(c.Xlr),
      Ym_(1.0 / std::complex<double>(0, c.Xm)), ratedSlip_(c.Nominal.s) {
    const Evaluation rated = Evaluate(ratedSlip_);
    ratedAirGapPower_ = rated.airGapPower;
    ratedCurrent_ = std::abs(rated.Is);
    if (!PositiveAndFinite(ratedAirGapPower_) || !PositiveAndFinite(ratedCurrent_)) {
        throw CharacteristicsError("the circuit draws no torque at its rated slip");
    }
}

MotorCharacteristics::Evaluation MotorCharacteristics::Evaluate(double s) const {
    // The rotor branch as an admittance, s / (Rr' + j s X_lr), stays finite
    // down to s = 0, where the rotor branch is open.
    const std::complex<double> Yr =
        s == 0 ? std::complex<double>{} : s / std::complex<double>(Rr_, s * Xlr_);
    const std::complex<double> Zp = 1.0 / (Ym_ + Yr);
    Evaluation e;
    e.Is = V_ph_ / (Zs_ + Zp);
    const std::complex<double> E = V_ph_ - e.Is * Zs_;
    // Re(E conj(I_r)) with I_r = E Yr: the power into Rr'/s, the only
    // resistance of the rotor branch.
    e.airGapPower = std::norm(E) * Yr.real();
    return e;
}

CharacteristicPoint MotorCharacteristics::At(double s) const {
    const Evaluation e = Evaluate(s);
    const double Is = std::abs(e.Is);
    return {.torque_pu = e.airGapPower / ratedAirGapPower_,
            .current_pu = Is / ratedCurrent_,
            .power_factor = e.Is.real() / Is};
}

BreakdownPoint MotorCharacteristics::Breakdown() const {
    // The search runs in u = ln s: a fixed width in u is a fixed relative
    // width in slip, and the torque maximum of a large, low-slip motor is as
    // easy to bracket as that of a small one.
    constexpr int StepsPerDecade = 10;
    constexpr int Decades = 12; // down to s = 1e-12
    constexpr int Steps = StepsPerDecade * Decades;
    const double du = -std::log(10.0) / StepsPerDecade;
    const auto torque = [this](double u) { return AirGapPower(std::exp(u)); };

    // A coarse scan brackets the maximum between the neighbours of the best
    // grid point, so a torque curve with more than one hump would still give
    // its highest one.
    int best = 0;
    double bestTorque = torque(0);
    for (int i = 1; i <= Steps; ++i) {
        const double t = torque(i * du);
        if (t > bestTorque) {
            best = i;
            bestTorque = t;
        }
    }
    double lo = std::min(best + 1, Steps) * du;
    double hi = std::max(best - 1, 0) * du;

    // Golden section, a and b the two inner points, to a width far below
    // 1e-6 in u. Near the flat top, rounding noise in the torque rather than
    // the width sets the accuracy: about 1e-8 relative in slip.
    const double shrink = (std::sqrt(5.0) - 1) / 2;
    double a = hi - shrink * (hi - lo);
    double b = lo + shrink * (hi - lo);
    double ta = torque(a);
    double tb = torque(b);
    while (hi - lo > 1e-8) {
        if (ta < tb) {
            lo = a;
            a = b;
            ta = tb;
            b = lo + shrink * (hi - lo);
            tb = torque(b);
        } else {
            hi = b;
            b = a;
            tb = ta;
            a = hi - shrink * (hi - lo);
            ta = torque(a);
        }
    }
    const double s = std::exp((lo + hi) / 2);
    // A torque still rising at standstill has its maximum on the end s = 1.
    if (AirGapPower(1) >= AirGapPower(s)) {
        return {.slip = 1, .torque_pu = At(1).torque_pu};
    }
    return {.slip = s, .torque_pu = At(s).torque_pu};
}
