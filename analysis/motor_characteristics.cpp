#include "motor_characteristics.h"

#include "complex_quotient.h"

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
        s == 0 ? std::complex<double>{} : RealOverComplex(s, std::complex<double>(Rr_, s * Xlr_));
    const std::complex<double> Zp = RealOverComplex(1.0, Ym_ + Yr);
    Evaluation e;
    e.Is = RealOverComplex(V_ph_, Zs_ + Zp);
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
