#include "machine_per_unit.h"
#include "ratio_range.h"
#include "significant_digits.h"
#include "solved_circuits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The ratio the solver's fallback line names, or 0 when it met the target.
double FallbackRatio(const TextNameplate::Fields& plate) {
    std::vector<std::string> lines;
    if (Derived(plate, &lines).RatioMet) {
        return 0;
    }
    return std::stod(lines.back().substr(lines.back().find('=') + 1));
}

// Six significant digits, as %g writes them. The maximum lies above X_min: it
// exceeds the ratio of the circuit without leakage, the fallback named for an
// unreachable target.
TEST(RatioRangeTest, MatchesTheWorkedFiguresAndExceedsTheFallback) {
    const struct {
        TextNameplate::Fields plate;
        const char *ratio_min, *ratio_max;
        double fallback;
    } rows[] = {
        {{"1", "10", "0.02", "0.9", "0.8", "100"}, "1.65205", "11.141", 11.1366},
        {{"0.4", "0.75", "0.05", "0.83", "0.82", "100"}, "1.69752", "6.17864", 6.16572},
        {{"6.6", "630", "0.007", "0.959", "0.83", "100"}, "1.78955", "27.2144", 27.2134},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.plate[0] + " kV");
        const LockedRotorRatioRange range = AchievableRatioRange(Derived(r.plate).Nominal);
        EXPECT_EQ(SignificantDigits(range.ratio_min, 6), r.ratio_min);
        EXPECT_EQ(SignificantDigits(range.ratio_max, 6), r.ratio_max);
        EXPECT_EQ(FallbackRatio(r.plate), r.fallback);
        EXPECT_GT(range.ratio_max, r.fallback);
    }
}

// The solver meets a target inside the range and falls back outside it.
TEST(RatioRangeTest, SolverMeetsExactlyTheTargetsInsideTheRange) {
    for (const auto& [ratio, met] :
         {std::pair{"1.6", false}, {"1.7", true}, {"5", true}, {"11.1", true}, {"20", false}}) {
        const TextNameplate::Fields plate{"1", "10", "0.02", "0.9", "0.8", ratio};
        const LockedRotorRatioRange range = AchievableRatioRange(Derived(plate).Nominal);
        const double k = std::stod(ratio);
        EXPECT_EQ(range.ratio_min < k && k <= range.ratio_max, met) << ratio;
        EXPECT_EQ(FallbackRatio(plate) == 0, met) << ratio;
    }
}

// The default name plate worked by hand: V_ph = 1000/sqrt(3) V, I_n = 10 kW /
// (3 V_ph 0.9 0.8), so Z_base = V_ph / I_n = 1000^2 0.72 / 10^4 = 72 ohm and
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
