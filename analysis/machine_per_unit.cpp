#include "machine_per_unit.h"

#include "fp_store.h"

#include <cmath>

MachinePerUnit PerUnitOnRating(const SolvedCircuit& c) {
    const double V_ph = c.Nominal.V_ph;
    const double I_n = c.Nominal.I_n;
    MachinePerUnit pu;
    pu.S_base_VA = 3 * V_ph * I_n;
    pu.V_base_V = std::sqrt(3.0) * V_ph;
    pu.Z_base_ohm = V_ph / I_n;
    pu.Rs = c.Rs / pu.Z_base_ohm;
    pu.Rr = c.Rr / pu.Z_base_ohm;
    pu.Xls = c.Xls / pu.Z_base_ohm;
    pu.Xlr = c.Xlr / pu.Z_base_ohm;
    pu.Xm = c.Xm / pu.Z_base_ohm;
    return pu;
}

LineRating LineRatingOf(const PhaseNameplate& n) {
    return {StoreSingle(Wide(n.V_ph) * Sqrt3 / 1000.0L),
            StoreSingle(Wide(n.P_ph) * 3.0L / 1000.0L)};
}
