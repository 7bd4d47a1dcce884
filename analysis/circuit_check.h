// How well a derived circuit reproduces its name plate: what it draws at the
// nominal slip and with the rotor locked, from the model's own circuit
// evaluation. Per phase, star equivalent, rotor referred to the stator.
#pragma once

#include "motor_model.h"

// The circuit's stator, rotor and magnetizing currents at a slip, in amperes
// with the phase voltage as reference: CircuitCurrents on its elements, so
// bit for bit what the solver saw.
struct CircuitCurrentSet {
    TComplex Is{};
    TComplex Ir{};
    TComplex Im{};
};
CircuitCurrentSet CurrentsAt(const SolvedCircuit& circuit, float slip);

struct NameplateCheck {
    double In_A = 0;       // |I_s| at the nominal slip
    double pf = 0;         // cos of the angle between I_s and the phase voltage
    double efficiency = 0; // mechanical output over electrical input
    double Ilr_ratio = 0;  // |I_s| locked over |I_s| nominal
    double Ilr_A = 0;      // |I_s| locked
};

// Throws the model's floating-point errors for circuits beyond its range.
NameplateCheck CheckAgainstNameplate(const SolvedCircuit& circuit);
