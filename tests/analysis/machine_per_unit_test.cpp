#include "machine_per_unit.h"
#include "solved_circuits.h"

#include <gtest/gtest.h>

namespace {

// The default name plate, 1 kV, 10 kW, slip 0.02, efficiency 0.9, power
// factor 0.8, worked by hand: V_ph = 1000/sqrt(3) V, I_n = 10 kW / (3 V_ph
// 0.9 0.8), so Z_base = V_ph / I_n = 1000^2 0.72 / 10^4 = 72 ohm and
// S_base = 10 kW / 0.72. Rs = Z_base 0.8 (1 - 0.9/0.98) exactly; the other
// elements are the solver's ohms (about 1.55080, 6.67712 and 129.259) over
// 72. The 32-bit stores of the calculation leave about 1e-7 relative.
TEST(MachinePerUnitTest, DefaultNameplateOnItsOwnRating) {
    const MachinePerUnit pu = PerUnitOnRating(Derived({"1", "10", "0.02", "0.9", "0.8", "5"}));
    EXPECT_NEAR(pu.Z_base_ohm, 72.000, 72e-6);
    EXPECT_NEAR(pu.S_base_VA, 1e4 / 0.72, 1e-2);
    EXPECT_NEAR(pu.V_base_V, 1000, 1e-3);
    EXPECT_NEAR(pu.Rs, 0.8 * (1 - 0.9 / 0.98), 1e-7);
    EXPECT_NEAR(pu.Rr, 1.55080 / 72, 1e-6);
    EXPECT_NEAR(pu.Xls, 6.67712 / 72, 1e-6);
    EXPECT_NEAR(pu.Xm, 129.259 / 72, 1e-5);
    EXPECT_EQ(pu.Xlr, pu.Xls);
}

} // namespace
