#include "misfit.h"

#include <cmath>

namespace {

constexpr double Epsilon32 = 0x1p-24; // half a unit in the last place, relative
// Observed misfits stay within about five of these steps; eight leaves room.
constexpr double ResolutionSteps = 8;
constexpr double LargestImpedance = 1e11;   // its cube nears the 1e35 saturation
constexpr double SmallestImpedance = 1e-12; // its cube nears the denormals
constexpr double LargestCurrent = 1e17;     // its square nears the 1e35 saturation
constexpr Extended FlatBracket = 1e-6L;     // amperes, as in the solver

double Modulus(TComplex z) {
    return std::hypot(static_cast<double>(z.Re), static_cast<double>(z.Im));
}

double Relative(double actual, double wanted) {
    return std::fabs(actual - wanted) / std::fabs(wanted);
}

TComplex StatorCurrent(const SolvedCircuit& c, float slip) {
    TComplex Is{}, Ir{}, Im{};
    CircuitCurrents(CMake(c.Rs, c.Xls), CMake(c.Rr, c.Xlr), CMake(0, c.Xm), c.Nominal.V_ph, slip,
                    Is, Ir, Im);
    return Is;
}

double SelfReactance(const SolvedCircuit& c) {
    return static_cast<double>(c.Xm) + c.Xls;
}

// X over the nominal impedance: how much the rounding of X weighs.
double Reach(const SolvedCircuit& c) {
    return SelfReactance(c) * c.Nominal.I_n / c.Nominal.V_ph;
}

// Replays the bracket: did any refinement step find it flatter than the
// solver's threshold?
bool TookMidpoint(const SolverTrace& trace) {
    const std::size_t search = static_cast<std::size_t>(trace.SearchEvaluations);
    float fP = 0, fN = 0;
    bool haveP = false, haveN = false;
    for (std::size_t i = 0; i < trace.Evaluations.size(); ++i) {
        const float f = trace.Evaluations[i].f;
        if (i >= search && haveP && haveN &&
            std::fabs(static_cast<Extended>(static_cast<float>(Wide(fN) - Wide(fP)))) <=
                FlatBracket) {
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

} // namespace

Misfit MeasureMisfit(const SolvedCircuit& c, float k) {
    const TComplex nominal = StatorCurrent(c, c.Nominal.s);
    const TComplex locked = StatorCurrent(c, 1.0f);
    const double current = Modulus(nominal);
    Misfit m;
    m.current = Relative(current, c.Nominal.I_n);
    m.powerFactor = Relative(nominal.Re / current, c.Nominal.pf);
    m.lockedRatio = Relative(Modulus(locked) / c.Nominal.I_n, k);
    return m;
}

const char* NameOf(MisfitCause cause) {
    switch (cause) {
    case MisfitCause::Range:
        return "beyond the guard range";
    case MisfitCause::Resolution:
        return "32-bit resolution of X";
    case MisfitCause::FlatBracket:
        return "bracket flatter than 1e-6 A";
    case MisfitCause::TenSteps:
        return "ten refinement steps";
    default:
        return "UNEXPLAINED";
    }
}

bool BeyondGuardRange(const PhaseNameplate& n, double selfReactance) {
    const double impedance = static_cast<double>(n.V_ph) / n.I_n;
    const double largest = std::fmax(impedance, selfReactance);
    const double smallest = std::fmin(impedance, selfReactance);
    return largest > LargestImpedance || smallest < SmallestImpedance || n.I_lr > LargestCurrent;
}

MisfitCause CauseOfNominalMisfit(const SolvedCircuit& c, double error) {
    if (BeyondGuardRange(c.Nominal, SelfReactance(c))) {
        return MisfitCause::Range;
    }
    if (error <= ResolutionSteps * Epsilon32 * Reach(c)) {
        return MisfitCause::Resolution;
    }
    return MisfitCause::Unexplained;
}

MisfitCause CauseOfLockedMisfit(const SolvedCircuit& c, const SolverTrace& trace, double error) {
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
    if (trace.Evaluations.empty()) {
        return MisfitCause::Unexplained;
    }
    const double lastResidual = std::fabs(trace.Evaluations.back().f) / c.Nominal.I_lr;
    if (std::fabs(error - lastResidual) > 1e-5 * (1 + error)) {
        return MisfitCause::Unexplained;
    }
    return TookMidpoint(trace) ? MisfitCause::FlatBracket : MisfitCause::TenSteps;
}
