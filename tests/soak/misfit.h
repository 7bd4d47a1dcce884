// How far a solved circuit misses the name plate it was solved for, and the
// reason when it is one the model's design accepts: its 32-bit stores, the
// guards of its complex arithmetic, or its fixed number of solver steps.
#pragma once

#include "motor_model.h"

struct Misfit {
    double current = 0;     // |I_s| at the nominal slip against I_n, relative
    double powerFactor = 0; // cos of I_s at the nominal slip against pf, relative
    double lockedRatio = 0; // |I_s| with the rotor locked over I_n against k, relative
};

// From the model's own circuit evaluation; may raise the floating-point
// errors for circuits beyond its range.
Misfit MeasureMisfit(const SolvedCircuit& circuit, float k);

enum class MisfitCause {
    // Impedances whose triple products pass 1e35 (saturated by CMul and
    // CDiv) or fall among the denormals, or a current whose square passes
    // 1e35 (saturated by CAbs).
    Range,
    // The leakage X - X_m is the difference of two 32-bit values of about X:
    // with X far above the nominal impedance it moves in steps of that
    // impedance's 1e-4 and more.
    Resolution,
    // Residuals closer than 1e-6 A make the refinement take midpoints: for a
    // motor of microamperes ten steps are far too few.
    FlatBracket,
    // Ten regula falsi steps that approach from one side end short.
    TenSteps,
    Unexplained,
};

const char* NameOf(MisfitCause cause);

// Why the nominal current or power factor is off by error.
MisfitCause CauseOfNominalMisfit(const SolvedCircuit& circuit, double error);

// Why the locked-rotor ratio is off by error, from the solver's trace.
MisfitCause CauseOfLockedMisfit(const SolvedCircuit& circuit, const SolverTrace& trace,
                                double error);

// Whether a nominal point lies where the complex guards act.
bool BeyondGuardRange(const PhaseNameplate& nominal, double selfReactance);
