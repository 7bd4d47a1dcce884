// How far a solved circuit misses the name plate it was solved for, and the
// reason when it is one the model's design accepts: its 32-bit stores, the
// guards of its complex arithmetic, or its fixed number of solver steps.
#pragma once

#include "circuit_check.h"
#include "motor_model.h"

#include <cmath>

struct Misfit {
    double current = 0;     // |I_s| at the nominal slip against I_n, relative
    double powerFactor = 0; // cos of I_s at the nominal slip against pf, relative
    double lockedRatio = 0; // |I_s| with the rotor locked over I_n against k, relative
};

// The limits of the model's design that account for a misfit.
enum class MisfitCause {
    Range,       // saturations of CMul, CDiv and CAbs, or denormals
    Resolution,  // the leakage X - X_m of two 32-bit values of about X
    FlatBracket, // residuals within 1e-6 A: the refinement takes midpoints
    TenSteps,    // ten regula falsi steps approaching from one side end short
    Unexplained,
};

inline const char* NameOf(MisfitCause cause) {
    constexpr const char* Names[] = {"beyond the guard range", "32-bit resolution of X",
                                     "bracket flatter than 1e-6 A", "ten refinement steps",
                                     "UNEXPLAINED"};
    return Names[static_cast<int>(cause)];
}

namespace misfit_detail {

constexpr double Epsilon32 = 0x1p-24; // half a unit in the last place, relative
// Observed misfits stay within about five of these steps; eight leaves room.
constexpr double ResolutionSteps = 8;
constexpr double LargestImpedance = 1e11;   // its cube nears the 1e35 saturation
constexpr double SmallestImpedance = 1e-12; // its cube nears the denormals
constexpr double LargestCurrent = 1e17;     // its square nears the 1e35 saturation
constexpr Extended FlatBracket = 1e-6L;     // amperes, as in the solver

inline double Relative(double actual, double wanted) {
    return std::fabs(actual - wanted) / std::fabs(wanted);
}

inline double SelfReactance(const SolvedCircuit& c) {
    return static_cast<double>(c.Xm) + c.Xls;
}

// X over the nominal impedance: how much the rounding of X weighs.
inline double Reach(const SolvedCircuit& c) {
    return SelfReactance(c) * c.Nominal.I_n / c.Nominal.V_ph;
}

// Replays the bracket: did any refinement step find it flatter than the
// solver's threshold?
inline bool TookMidpoint(const SolverTrace& trace) {
    const auto search = static_cast<std::size_t>(trace.SearchEvaluations);
    float fP = 0, fN = 0;
    bool haveP = false, haveN = false;
    for (std::size_t i = 0; i < trace.Evaluations.size(); ++i) {
        const float f = trace.Evaluations[i].f;
        if (i >= search && haveP && haveN &&
            Abs(static_cast<Extended>(static_cast<float>(Wide(fN) - Wide(fP)))) <= FlatBracket) {
            return true;
        }
        if (f > 0 || (i < search && f == 0)) {
            fP = f;
            haveP = true;
        } else {
            fN = f;
            haveN = true;
        }
    }
    return false;
}

} // namespace misfit_detail

// From the model's own circuit evaluation; may raise the floating-point
// errors for circuits beyond its range.
inline Misfit MeasureMisfit(const SolvedCircuit& c, float k) {
    using misfit_detail::Relative;
    const NameplateCheck check = CheckAgainstNameplate(c);
    return {Relative(check.In_A, c.Nominal.I_n), Relative(check.pf, c.Nominal.pf),
            Relative(check.Ilr_A / c.Nominal.I_n, k)};
}

// Whether a nominal point lies where the complex guards act.
inline bool BeyondGuardRange(const PhaseNameplate& n, double selfReactance) {
    using namespace misfit_detail;
    const double impedance = static_cast<double>(n.V_ph) / n.I_n;
    return std::fmax(impedance, selfReactance) > LargestImpedance ||
           std::fmin(impedance, selfReactance) < SmallestImpedance || n.I_lr > LargestCurrent;
}

// Why the nominal current or power factor is off by error.
inline MisfitCause CauseOfNominalMisfit(const SolvedCircuit& c, double error) {
    using namespace misfit_detail;
    if (BeyondGuardRange(c.Nominal, SelfReactance(c))) {
        return MisfitCause::Range;
    }
    return error <= ResolutionSteps * Epsilon32 * Reach(c) ? MisfitCause::Resolution
                                                           : MisfitCause::Unexplained;
}

// Why the locked-rotor ratio is off by error, from the solver's trace.
inline MisfitCause CauseOfLockedMisfit(const SolvedCircuit& c, const SolverTrace& trace,
                                       double error) {
    using namespace misfit_detail;
    if (BeyondGuardRange(c.Nominal, SelfReactance(c))) {
        return MisfitCause::Range;
    }
    // The locked-rotor impedance is about 1/k of the nominal one.
    const double k = static_cast<double>(c.Nominal.I_lr) / c.Nominal.I_n;
    if (error <= ResolutionSteps * Epsilon32 * Reach(c) * k) {
        return MisfitCause::Resolution;
    }
    // Otherwise the delivered circuit must be the last one tried, missing by
    // exactly that trial's residual.
    if (trace.Evaluations.empty() || std::fabs(error - std::fabs(trace.Evaluations.back().f) /
                                                           c.Nominal.I_lr) > 1e-5 * (1 + error)) {
        return MisfitCause::Unexplained;
    }
    return TookMidpoint(trace) ? MisfitCause::FlatBracket : MisfitCause::TenSteps;
}
