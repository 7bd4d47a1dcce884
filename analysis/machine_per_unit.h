// The circuit in per-unit on the machine's own rating, as simulators that take
// machine data on its rating want it; not the window's per-unit view, whose
// bases the user types.
//
// Bases: power S = 3 V_ph I_n, the rated apparent input power P / (eta pf);
// voltage the line-to-line voltage sqrt(3) V_ph; impedance V_ph / I_n, the
// magnitude of the nominal input impedance per phase. The reactances are
// those at the supply frequency, the solver's ohms.
#pragma once

#include "motor_model.h"

struct MachinePerUnit {
    double S_base_VA = 0;
    double V_base_V = 0; // line to line
    double Z_base_ohm = 0;
    double Rs = 0;
    double Rr = 0; // referred to the stator
    double Xls = 0;
    double Xlr = 0;
    double Xm = 0;
};

// In double precision from the calculation's 32-bit values.
MachinePerUnit PerUnitOnRating(const SolvedCircuit& circuit);

// The name plate's voltage and power in the units it is typed in, from the
// checked per-phase values: what the calculation used after substitutes.
struct LineRating {
    float voltage_kV = 0; // line to line
    float power_kW = 0;   // all three phases
};

// Each rounded once to 32 bits from an extended-precision product.
LineRating LineRatingOf(const PhaseNameplate& nameplate);
