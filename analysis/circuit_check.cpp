#include "circuit_check.h"

#include <cmath>

namespace {

double Modulus(TComplex z) {
    return std::hypot(static_cast<double>(z.Re), static_cast<double>(z.Im));
}

} // namespace

CircuitCurrentSet CurrentsAt(const SolvedCircuit& c, float slip) {
    CircuitCurrentSet i;
    CircuitCurrents(CMake(c.Rs, c.Xls), CMake(c.Rr, c.Xlr), CMake(0, c.Xm), c.Nominal.V_ph, slip,
                    i.Is, i.Ir, i.Im);
    return i;
}

NameplateCheck CheckAgainstNameplate(const SolvedCircuit& c) {
    const double s = c.Nominal.s;
    const CircuitCurrentSet nominal = CurrentsAt(c, c.Nominal.s);
    const CircuitCurrentSet locked = CurrentsAt(c, 1.0f);

    NameplateCheck check;
    check.In_A = Modulus(nominal.Is);
    check.pf = static_cast<double>(nominal.Is.Re) / check.In_A;
    // The only losses are the copper losses; the air-gap power less the
    // rotor copper loss is the mechanical output.
    const double input = static_cast<double>(c.Nominal.V_ph) * nominal.Is.Re;
    const double Ir = Modulus(nominal.Ir);
    const double airGap = Ir * Ir * c.Rr / s;
    check.efficiency = airGap * (1 - s) / input;
    check.Ilr_A = Modulus(locked.Is);
    check.Ilr_ratio = check.Ilr_A / check.In_A;
    return check;
}
