// Equivalent-circuit evaluation and the parameter solver.
#include "motor_model.h"

#include "format_value.h"

#include <cmath>
#include <string>

namespace {

// Per-phase nominal quantities the solver keeps fixed while it varies X.
struct NominalPoint {
    float V_ph;
    float Rs;
    float Rp;
    float Xp;
    float s;
    float I_lr;
};

struct TrialOutputs {
    float& Rr;
    float& Xls;
    float& Xlr;
    float& Xm;
};

// Residual of a trial self-reactance: locked-rotor current minus target.
// Overwrites the caller's circuit elements with the circuit of this X.
TComplex TrialCircuitIn(float V_ph, float Rs, float Rp, float Xp, float X, float s, float& RrOut,
                        float& XlsOut, float& XlrOut, float& XmOut);

float Residual(const NominalPoint& n, float X, const TrialOutputs& out, Real48& modulus,
               SolverTrace* trace) {
    const TComplex Is =
        TrialCircuitIn(n.V_ph, n.Rs, n.Rp, n.Xp, X, n.s, out.Rr, out.Xls, out.Xlr, out.Xm);
    modulus = CAbs(Is);
    const float f = StoreSingle(modulus - Wide(n.I_lr));
    if (trace != nullptr) {
        trace->Evaluations.push_back({X, f});
    }
    return f;
}

// The part of CircuitCurrents that the solver reads, up to the magnetizing
// voltage, whose 32-bit store can overflow. The stator current is delivered
// before that, so a caller that catches the overflow holds it already. The
// two branch currents divided out of the voltage can neither fail nor be
// read by the solver, so its trial circuits stop here.
struct RotorSide {
    TComplex t; // the rotor branch at slip s
    TComplex E;
};

[[gnu::always_inline]] inline RotorSide StatorCurrent(TComplex Zs, TComplex Zr, TComplex Zm,
                                                      float V, float s, TComplex& Is) {
    const TComplex t = CMake(StoreSingle(CheckedDivide(Wide(Zr.Re), Wide(s))), Zr.Im);
    const TComplex P = CMul(t, Zm);
    const TComplex Q = CAdd(t, Zm);
    const TComplex Zp = CDiv(P, Q);
    const TComplex Z = CAdd(Zs, Zp);
    const TComplex supply = CMake(V, 0);
    Is = CDiv(supply, Z);
    const TComplex U = CMul(Is, Zs);
    return RotorSide{t, CSub(supply, U)};
}

// TrialCircuit inside a calculation, whose environment is already set.
TComplex TrialCircuitIn(float V_ph, float Rs, float Rp, float Xp, float X, float s, float& RrOut,
                        float& XlsOut, float& XlrOut, float& XmOut) {
    const double d = StoreDouble(Wide(X) - Wide(Xp));
    const double q = StoreDouble(Wide(X) * d + CheckedDivide((Wide(X) * Wide(Rp)) * Wide(Rp), d));
    const float Xm = StoreSingle(Sqrt(Extended(q)));
    XmOut = Xm;
    const float Xl = StoreSingleSum(X, -Xm);
    XlsOut = Xl;
    XlrOut = Xl;
    const float Rr = StoreSingle(CheckedDivide((Wide(Rp) * Wide(X)) * Wide(s), d));
    RrOut = Rr;

    const TComplex Zm = CMake(0, Xm);
    const TComplex Zr = CMake(Rr, Xl);
    const TComplex Zs = CMake(Rs, Xl);
    TComplex Is;
    StatorCurrent(Zs, Zr, Zm, V_ph, 1.0f, Is);
    return Is;
}

bool SolveParametersIn(float V_ph, float eta, float pf, float I_n, float s, float I_lr,
                       WarningLines& warnings, float& Rs, float& Xls, float& Rr, float& Xlr,
                       float& Xm, SolverTrace* trace);

} // namespace

void CircuitCurrents(TComplex Zs, TComplex Zr, TComplex Zm, float V, float s, TComplex& Is,
                     TComplex& Ir, TComplex& Im) {
    const FloatEnvironmentScope environment;
    const RotorSide side = StatorCurrent(Zs, Zr, Zm, V, s, Is);
    Ir = CDiv(side.E, side.t);
    Im = CDiv(side.E, Zm);
}

TComplex TrialCircuit(float V_ph, float Rs, float Rp, float Xp, float X, float s, float& RrOut,
                      float& XlsOut, float& XlrOut, float& XmOut) {
    const FloatEnvironmentScope environment;
    return TrialCircuitIn(V_ph, Rs, Rp, Xp, X, s, RrOut, XlsOut, XlrOut, XmOut);
}

bool SolveParameters(float V_ph, float eta, float pf, float I_n, float s, float I_lr,
                     WarningLines& warnings, float& Rs, float& Xls, float& Rr, float& Xlr,
                     float& Xm, SolverTrace* trace) {
    const FloatEnvironmentScope environment;
    return SolveParametersIn(V_ph, eta, pf, I_n, s, I_lr, warnings, Rs, Xls, Rr, Xlr, Xm, trace);
}

namespace {

bool SolveParametersIn(float V_ph, float eta, float pf, float I_n, float s, float I_lr,
                       WarningLines& warnings, float& Rs, float& Xls, float& Rr, float& Xlr,
                       float& Xm, SolverTrace* trace) {
    constexpr Extended StartFraction = 0.1L;
    constexpr float StartFloor = 10.0f;
    constexpr int SearchSteps = 20;
    constexpr float HalvingFactor = 0.5f;
    constexpr float GrowthFactor = 1.5f;
    constexpr int RefinementSteps = 10;
    constexpr Extended FlatBracket = 1e-6L; // amperes

    // The nominal current lags the voltage.
    const float Ia = StoreSingle(Wide(I_n) * Wide(pf));
    const float Iq = StoreSingle(-Wide(I_n) * Sqrt(1.0L - Wide(pf) * Wide(pf)));

    // Power balance at the nominal point: the only losses are copper losses.
    Rs = StoreSingle(CheckedDivide(
        (Wide(V_ph) * Wide(pf)) * (1.0L - CheckedDivide(Wide(eta), 1.0L - Wide(s))), Wide(I_n)));

    const TComplex Zin = CDiv(CMake(V_ph, 0), CMake(Ia, Iq));
    const NominalPoint nominal{V_ph, Rs, StoreSingle(Wide(Zin.Re) - Wide(Rs)), Zin.Im, s, I_lr};
    const float Rp = nominal.Rp;
    const float Xp = nominal.Xp;

    // Below X_min the leakage reactances would be negative.
    const float X_min = StoreSingle(CheckedDivide(Wide(Rp) * Wide(Rp), Wide(Xp)) + Wide(Xp));
    float X_start = StoreSingle(CheckedDivide(Wide(V_ph), StartFraction * Wide(I_n)));
    if (Wide(StartFloor) * Wide(X_min) > Wide(X_start)) {
        X_start = StoreSingle(Wide(StartFloor) * Wide(X_min));
    }
    if (trace != nullptr) {
        trace->X_min = X_min;
        trace->X_start = X_start;
    }

    const TrialOutputs out{Rr, Xls, Xlr, Xm};
    Real48 modulus = 0;
    float X = X_start;
    float f = Residual(nominal, X, out, modulus, trace);

    // A side whose X is still 0 has not been found.
    float X_P = 0;
    float f_P = 0;
    float X_N = 0;
    float f_N = 0;
    if (f < 0) {
        X_N = X;
        f_N = f;
        for (int step = 0; step < SearchSteps; ++step) {
            X = StoreSingle((Wide(X) - Wide(X_min)) * Wide(HalvingFactor) + Wide(X_min));
            f = Residual(nominal, X, out, modulus, trace);
            if (f >= 0) {
                X_P = X;
                f_P = f;
                break;
            }
            X_N = X;
            f_N = f;
        }
    } else {
        X_P = X;
        f_P = f;
        for (int step = 0; step < SearchSteps; ++step) {
            X = StoreSingle((Wide(X) - Wide(X_min)) * Wide(GrowthFactor) + Wide(X_min));
            f = Residual(nominal, X, out, modulus, trace);
            if (f > 0) {
                X_P = X;
                f_P = f;
            } else {
                X_N = X;
                f_N = f;
                break;
            }
        }
    }
    if (trace != nullptr) {
        trace->SearchEvaluations = static_cast<int>(trace->Evaluations.size());
    }

    if (X_P > 0 && X_N > 0) {
        // Regula falsi for a fixed number of steps: there is no convergence
        // test, so the result depends only on the inputs.
        for (int step = 0; step < RefinementSteps; ++step) {
            const float delta = StoreSingleSum(f_N, -f_P);
            if (Abs(Wide(delta)) > FlatBracket) {
                X = StoreSingle((Wide(f_N) * Wide(X_P) - Wide(f_P) * Wide(X_N)) / Wide(delta));
            } else {
                X = StoreSingle((Wide(X_P) + Wide(X_N)) * 0.5L);
            }
            f = Residual(nominal, X, out, modulus, trace);
            if (f > 0) {
                X_P = X;
                f_P = f;
            } else {
                X_N = X;
                f_N = f;
            }
        }
        return true;
    }

    // No bracket: deliver the circuit without leakage and name its own ratio.
    X = X_min;
    Residual(nominal, X, out, modulus, trace);
    const float ratio = StoreSingle(CheckedDivide(modulus, Wide(I_n)));
    warnings.AppendLine("cannot solve parameters. Ilocked/Inom. = " + FormatValue(ratio));
    return false;
}

} // namespace
