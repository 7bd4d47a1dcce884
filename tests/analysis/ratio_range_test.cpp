#include "ratio_range.h"
#include "significant_digits.h"
#include "solved_circuits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view SolverLinePrefix = "cannot solve parameters. Ilocked/Inom. = ";

// The ratio the solver's fallback line names, or 0 when it met the target.
double FallbackRatio(const TextNameplate::Fields& plate) {
    WarningLineList lines;
    Derived(plate, lines);
    for (const std::string& line : lines.Lines()) {
        if (line.starts_with(SolverLinePrefix)) {
            return std::stod(line.substr(SolverLinePrefix.size()));
        }
    }
    return 0;
}

struct RangeRow {
    const char* name;
    TextNameplate::Fields plate;
    // Six significant digits, as %g writes them.
    const char* ratio_min;
    const char* ratio_max;
    double fallback; // what the fallback line names
};

class RatioRangeTest : public testing::TestWithParam<RangeRow> {};

// The maximum lies above X_min: it exceeds what the circuit without leakage
// gives, the fallback named for an unreachable target.
TEST_P(RatioRangeTest, MatchesTheWorkedFiguresAndExceedsTheFallback) {
    const RangeRow& row = GetParam();
    const LockedRotorRatioRange range = AchievableRatioRange(Derived(row.plate).Nominal);
    EXPECT_EQ(SignificantDigits(range.ratio_min, 6), row.ratio_min);
    EXPECT_EQ(SignificantDigits(range.ratio_max, 6), row.ratio_max);
    TextNameplate::Fields unreachable = row.plate;
    unreachable[5] = "100";
    EXPECT_EQ(FallbackRatio(unreachable), row.fallback);
    EXPECT_GT(range.ratio_max, row.fallback);
}

const RangeRow kRanges[] = {
    {"default_1kV_10kW", {"1", "10", "0.02", "0.9", "0.8", "5"}, "1.65205", "11.141", 11.1366},
    {"small_0_4kV_0_75kW",
     {"0.4", "0.75", "0.05", "0.83", "0.82", "5"},
     "1.69752",
     "6.17864",
     6.16572},
    {"large_6_6kV_630kW",
     {"6.6", "630", "0.007", "0.959", "0.83", "5"},
     "1.78955",
     "27.2144",
     27.2134},
};
INSTANTIATE_TEST_SUITE_P(Nameplates, RatioRangeTest, testing::ValuesIn(kRanges), RowName);

struct TargetRow {
    const char* name;
    const char* ratio;
    bool met;
};

class RatioTargetTest : public testing::TestWithParam<TargetRow> {};

// The solver meets a target inside the range and falls back outside it.
TEST_P(RatioTargetTest, SolverMeetsExactlyTheTargetsInsideTheRange) {
    const TargetRow& row = GetParam();
    const TextNameplate::Fields plate{"1", "10", "0.02", "0.9", "0.8", row.ratio};
    const LockedRotorRatioRange range = AchievableRatioRange(Derived(plate).Nominal);
    const double k = std::stod(row.ratio);
    EXPECT_EQ(range.ratio_min < k && k <= range.ratio_max, row.met);
    EXPECT_EQ(FallbackRatio(plate) == 0, row.met);
}

const TargetRow kTargets[] = {
    {"below_the_range", "1.6", false},
    {"just_above_ratio_min", "1.7", true},
    {"default", "5", true},
    {"just_below_ratio_max", "11.1", true},
    {"above_the_range", "20", false},
};
INSTANTIATE_TEST_SUITE_P(DefaultPlate, RatioTargetTest, testing::ValuesIn(kTargets), RowName);

} // namespace
