// The motor model: from the six name-plate values to the per-phase T
// equivalent circuit (no iron-loss branch, equal stator and rotor
// self-inductances).
//
// Flow of one calculation:
//   CalcEquivalentCircuit -> CheckNameplate (reads the six inputs, repairs
//   out-of-range ones with a warning line each) -> SolveParameters (fixes Rs
//   and the nominal impedance, searches the self-reactance X whose circuit
//   draws the requested locked-rotor current, using TrialCircuit and
//   CircuitCurrents) -> reactances divided by the angular frequency.
// All quantities are 32-bit floats; arithmetic between stores is extended.
// The model raises nothing of its own: problems are warning lines. Only the
// number-text and floating-point errors of fp_errors.h pass through.
#pragma once

#include "complex.h"
#include "nameplate_source.h"
#include "warning_box.h"

#include <vector>

// Stator, rotor and magnetizing currents of the circuit Zs + (Zr/s || Zm)
// fed by (V, 0); only the rotor resistance is divided by the slip.
void CircuitCurrents(TComplex Zs, TComplex Zr, TComplex Zm, float V, float s, TComplex& Is,
                     TComplex& Ir, TComplex& Im);

// Builds the circuit of self-reactance X that reproduces the nominal
// impedance (Rs + Rp, Xp) at slip s, writes its elements, and returns its
// stator current with the rotor locked.
TComplex TrialCircuit(float V_ph, float Rs, float Rp, float Xp, float X, float s, float& RrOut,
                      float& XlsOut, float& XlrOut, float& XmOut);

// What the solver tried, for tests and diagnostics: every evaluation of the
// residual f(X) = |I_s(X)| - I_lr in order.
struct SolverTrace {
    struct Evaluation {
        float X;
        float f;
    };
    float X_min = 0;
    float X_start = 0;
    int SearchEvaluations = 0; // the start value and the bracketing search
    std::vector<Evaluation> Evaluations;
};

// The five circuit elements in ohms for the given per-phase nominal point.
// Appends one line to warnings when no X meets I_lr and returns false: the
// circuit is then the one without leakage. Raises nothing of its own. The
// inputs must lie in the ranges CheckNameplate guarantees.
bool SolveParameters(float V_ph, float eta, float pf, float I_n, float s, float I_lr,
                     WarningLines& warnings, float& Rs, float& Xls, float& Rr, float& Xlr,
                     float& Xm, SolverTrace* trace = nullptr);

// The result of one calculation, owned by its caller for one run.
struct TEquivalentCircuit {
    float RotorLeakage = 0;     // H
    float StatorLeakage = 0;    // H, always bit-identical to RotorLeakage
    float Magnetizing = 0;      // H
    float RotorResistance = 0;  // ohm, referred to the stator
    float StatorResistance = 0; // ohm
    WarningMemo& WarningBox;
    WarningControl& WarningOk;
};

// The ratio of line-to-line to phase voltage, at extended precision.
inline constexpr Extended Sqrt3 = 1.7320508075688772935274463415058723669L;

// The per-phase nominal point the solver works from, after every check.
struct PhaseNameplate {
    float V_ph; // V, phase to neutral
    float eta;  // efficiency
    float pf;   // power factor, lagging
    float I_n;  // A, nominal phase current
    float s;    // nominal slip
    float I_lr; // A, locked-rotor phase current asked for
    // The checked inputs that I_n and I_lr come from, for callers that show
    // what was used.
    float P_ph = 0; // W, power per phase
    float k = 0;    // locked-rotor current over nominal current
};

// Clears the warnings, then reads rows 1..6 of column 1 one by one, each
// just before its own check, repairing an out-of-range value with a
// substitute and one warning line.
PhaseNameplate CheckNameplateInputs(const NameplateSource& InputArray, WarningLines& warnings);

// CheckNameplateInputs, then SolveParameters on the result, whose result it
// returns. When nominal is given it receives the checked nominal point.
bool CheckNameplate(const NameplateSource& InputArray, WarningLines& warnings, float& Rs,
                    float& Xls, float& Rr, float& Xlr, float& Xm,
                    PhaseNameplate* nominal = nullptr);

// The circuit in ohms at the supply frequency and the nominal point it was
// solved for: what a check of the result against the name plate needs.
struct SolvedCircuit {
    PhaseNameplate Nominal{};
    float Rs = 0;
    float Xls = 0;
    float Rr = 0;
    float Xlr = 0;
    float Xm = 0;
    bool RatioMet = true; // false for the circuit without leakage
};

// The whole calculation: check, solve, show the warning box when it holds a
// line, and convert the reactances to inductances at frequency (Hz). When
// solved is given it also receives the circuit in ohms.
void CalcEquivalentCircuit(const NameplateSource& InputArray, TEquivalentCircuit& circuit,
                           float frequency, SolvedCircuit* solved = nullptr);
