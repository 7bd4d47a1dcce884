// What a derived circuit implies away from its rated point: torque, stator
// current and power factor at any slip, and its breakdown (pull-out) point.
// Per phase, star equivalent, rotor referred to the stator; electrical
// quantities only, since the circuit has no iron, friction or stray loss.
// The torque is taken as the air-gap power |I_r|^2 Rr'/s, to which it is
// proportional at every slip, so ratios of torques need no pole count.
// Double precision: these are checks of a result, not the result itself.
#pragma once

#include "motor_model.h"

#include <complex>
#include <stdexcept>

struct CharacteristicPoint {
    double torque_pu = 0;    // torque over the torque at the rated slip
    double current_pu = 0;   // |I_s| over the circuit's own |I_s| at the rated slip
    double power_factor = 0; // cos of the angle between I_s and the phase voltage
};

struct BreakdownPoint {
    double slip = 1; // in (0, 1]; 1 when the torque still rises at standstill
    double torque_pu = 0;
};

// A circuit that draws no torque or no finite current at its rated slip.
class CharacteristicsError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

// What the closed form tells of the torque curve; breakdown.cpp.
struct TorqueShape;

class MotorCharacteristics {
public:
    // The rated point is the circuit's nominal slip; throws
    // CharacteristicsError when the circuit cannot serve as a reference there.
    explicit MotorCharacteristics(const SolvedCircuit& circuit);

    double RatedSlip() const { return ratedSlip_; }

    // For 0 <= s <= 1; at s = 0, synchronous speed, the rotor carries no
    // current and the torque is 0.
    CharacteristicPoint At(double s) const;

    // The torque maximum over 0 < s <= 1, to 1e-6 relative in slip.
    BreakdownPoint Breakdown() const;

    // Breakdown() as far as its slip and torque printed with `digits`
    // significant digits (SignificantDigits) depend on it: both print as
    // Breakdown()'s do, though later digits may differ, and the search may
    // stop sooner.
    BreakdownPoint Breakdown(int digits) const;

private:
    struct Evaluation {
        double airGapPower = 0; // W per phase
        std::complex<double> Is;
    };
    Evaluation Evaluate(double s) const;
    double AirGapPower(double s) const { return Evaluate(s).airGapPower; }
    // The search for the breakdown point: breakdown.cpp.
    TorqueShape Shape() const;
    int BestGridPoint(const TorqueShape& shape, double du) const;

    double V_ph_;
    std::complex<double> Zs_;
    double Rr_;
    double Xlr_;
    std::complex<double> Ym_; // admittance of the magnetizing branch
    double ratedSlip_;
    double ratedAirGapPower_ = 0;
    double ratedCurrent_ = 0;
};
