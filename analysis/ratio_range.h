// The locked-rotor current ratios a checked name plate admits. Every
// self-reactance X >= X_min gives a circuit that meets the nominal current,
// power factor and efficiency (TrialCircuit); only its locked-rotor current
// |I_s(X)| changes with X, and the ratio |I_s(X)| / I_n sweeps an interval.
// A target outside it is one the solver cannot meet.
#pragma once

#include "motor_model.h"

struct LockedRotorRatioRange {
    // The limit as X grows without bound, V_ph / (I_n |(Rs + s Rp) + j Xp|);
    // approached, never attained.
    double ratio_min = 0;
    // The greatest ratio over X >= X_min. It lies slightly above X_min, so it
    // exceeds the ratio of the circuit without leakage that the solver falls
    // back to.
    double ratio_max = 0;
};

// In double precision from the checked 32-bit values; the nominal point must
// lie in the ranges CheckNameplateInputs guarantees.
LockedRotorRatioRange AchievableRatioRange(const PhaseNameplate& nominal);
