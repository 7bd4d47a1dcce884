#include "circuit_check.h"

#include <cmath>

namespace {

struct Currents {
    TComplex Is{};
    TComplex Ir{};
    TComplex Im{};
};

Currents At(const SolvedCircuit& c, float slip) {
    Currents i;
    CircuitCurrents(CMake(c.Rs, c.Xls), CMake(c.Rr, c.Xlr), CMake(0, c.Xm), c.Nominal.V_ph, slip,
                    i.Is, i.Ir, i.Im);
    return i;
}

double Modulus(TComplex z) {
    return std::hypot(static_cast<double>(z.Re), static_cast<double>(z.Im));
}

} // namespace

NameplateCheck CheckAgainstNameplate(const SolvedCircuit& c) {
    const double s = c.Nominal.s;
    const Currents nominal = At(c, c.Nominal.s);
    const Currents locked = At(c, 1.0f);

    NameplateCheck check;
    check.In_A = Modulus(nominal.Is);
    check.pf = static_cast<double>(nominal.Is.Re) / check.In_A;
    // The only losses are the copper losses; the air-gap power less the
    // rotor copper loss is the mechanical output.
    const double input = static_cast<double>(c.Nominal.V_ph) * nominal.Is.Re;
    const double Ir = Modulus(nominal.Ir);
    const double airGap = Ir * Ir * c.Rr / s;
    check.efficiency = airGap * (1 - s) / input;
    check.Ilr_ratio = Modulus(locked.Is) / check.In_A;
    return check;
}
