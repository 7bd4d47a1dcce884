// Name-plate input check and the conversion of the solved reactances into
// inductances.
#include "motor_model.h"

#include <cmath>

namespace {

// Bounds are the decimal values at extended precision: a 32-bit value just
// above a decimal bound counts as above it.
constexpr Extended MinPhaseVoltage = 0.5L / Sqrt3;
constexpr Extended MinPhasePower = 0.333333L;
constexpr Extended MaxSlip = 0.5L;
constexpr Extended MinSlip = 0.0009765625L; // 2^-10
constexpr Extended EfficiencyMargin = 0.005L;
constexpr Extended MinEfficiency = 0.5L;
constexpr Extended MaxPowerFactor = 0.9991L;
constexpr Extended MinPowerFactor = 0.5L;
constexpr Extended MinCurrentRatio = 1.5L;

constexpr int32_t VoltageRow = 1;
constexpr int32_t PowerRow = 2;
constexpr int32_t SlipRow = 3;
constexpr int32_t EfficiencyRow = 4;
constexpr int32_t PowerFactorRow = 5;
constexpr int32_t CurrentRatioRow = 6;

} // namespace

PhaseNameplate CheckNameplateInputs(const NameplateSource& InputArray, WarningLines& warnings) {
    const FloatEnvironmentScope environment;
    warnings.Clear();

    // Each row is read just before its own test, so a read error leaves the
    // lines of the rows above in the box.
    float V_ph = StoreSingle(Wide(InputArray.GetData(VoltageRow, 1)) * 1000.0L / Sqrt3);
    if (Wide(V_ph) < MinPhaseVoltage) {
        warnings.AppendLine("too small nominal voltage");
        V_ph = StoreSingle(MinPhaseVoltage);
    }

    float P_ph = StoreSingle(Wide(InputArray.GetData(PowerRow, 1)) * 1000.0L * (1.0L / 3.0L));
    if (Wide(P_ph) < MinPhasePower) {
        warnings.AppendLine(" too small nominal power");
        P_ph = StoreSingle(MinPhasePower);
    }

    float s = InputArray.GetData(SlipRow, 1);
    if (Wide(s) > MaxSlip) {
        warnings.AppendLine(" too large slip");
        s = StoreSingle(MaxSlip);
    } else if (Wide(s) < MinSlip) {
        warnings.AppendLine("too small slip");
        s = StoreSingle(MinSlip);
    }

    float eta = InputArray.GetData(EfficiencyRow, 1);
    if (Wide(eta) >= 1.0L - Wide(s)) {
        warnings.AppendLine("too large efficiency");
        eta = StoreSingle((1.0L - Wide(s)) - EfficiencyMargin);
    } else if (Wide(eta) < MinEfficiency) {
        warnings.AppendLine("too small efficiency");
        eta = StoreSingle(MinEfficiency);
    }

    float pf = InputArray.GetData(PowerFactorRow, 1);
    if (Wide(pf) > MaxPowerFactor) {
        warnings.AppendLine("too large power factor");
        pf = StoreSingle(MaxPowerFactor);
    } else if (Wide(pf) < MinPowerFactor) {
        warnings.AppendLine(" too small power factor pf ");
        pf = StoreSingle(MinPowerFactor);
    }

    float k = InputArray.GetData(CurrentRatioRow, 1);
    if (Wide(k) <= MinCurrentRatio) {
        warnings.AppendLine("too small locked rotor current /nominal current");
        k = StoreSingle(MinCurrentRatio);
    }

    const float I_n = StoreSingle(Wide(P_ph) / ((Wide(V_ph) * Wide(pf)) * Wide(eta)));
    const float I_lr = StoreSingle(Wide(I_n) * Wide(k));

    return PhaseNameplate{V_ph, eta, pf, I_n, s, I_lr, P_ph, k};
}

bool CheckNameplate(const NameplateSource& InputArray, WarningLines& warnings, float& Rs,
                    float& Xls, float& Rr, float& Xlr, float& Xm, PhaseNameplate* nominal) {
    const FloatEnvironmentScope environment;
    const PhaseNameplate n = CheckNameplateInputs(InputArray, warnings);
    if (nominal != nullptr) {
        *nominal = n;
    }
    return SolveParameters(n.V_ph, n.eta, n.pf, n.I_n, n.s, n.I_lr, warnings, Rs, Xls, Rr, Xlr, Xm);
}

void CalcEquivalentCircuit(const NameplateSource& InputArray, TEquivalentCircuit& circuit,
                           float frequency, SolvedCircuit* solved) {
    const FloatEnvironmentScope environment;
    // Not 2*pi: the reactances have always been converted with this value.
    constexpr Extended TwoPi = 6.283186L;
    constexpr Extended LowestFrequency = 0.1L;
    constexpr Extended LowFrequencyOmega = 0.6283186L;

    float Rs = 0;
    float Xls = 0;
    float Rr = 0;
    float Xlr = 0;
    float Xm = 0;
    PhaseNameplate nominal{};
    const bool ratioMet =
        CheckNameplate(InputArray, circuit.WarningBox, Rs, Xls, Rr, Xlr, Xm, &nominal);
    if (solved != nullptr) {
        *solved = SolvedCircuit{nominal, Rs, Xls, Rr, Xlr, Xm, ratioMet};
    }

    // Only shown here, never hidden: hiding is the OK button's business.
    if (circuit.WarningBox.LineCount() >= 1) {
        circuit.WarningBox.BringToFront();
        circuit.WarningBox.SetVisible(true);
        circuit.WarningOk.BringToFront();
        circuit.WarningOk.SetVisible(true);
    }

    const float omega = Wide(frequency) > LowestFrequency ? StoreSingle(TwoPi * Wide(frequency))
                                                          : StoreSingle(LowFrequencyOmega);
    circuit.Magnetizing = StoreSingle(Wide(Xm) / Wide(omega));
    circuit.StatorLeakage = StoreSingle(Wide(Xls) / Wide(omega));
    circuit.RotorLeakage = StoreSingle(Wide(Xlr) / Wide(omega));
    circuit.RotorResistance = Rr;
    circuit.StatorResistance = Rs;
}
