#include "model_test_support.h"
#include "motor_model.h"
#include "test_doubles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Rows print as their names in test listings.
template <typename NamedRow>
requires requires(const NamedRow& r) {
    r.name;
}
void PrintTo(const NamedRow& r, std::ostream* os) {
    *os << r.name;
}

uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}

const std::string FallbackPrefix = "cannot solve parameters. Ilocked/Inom. = ";

struct Solved {
    PhaseNameplate nominal{};
    float Rs = 0, Xls = 0, Rr = 0, Xlr = 0, Xm = 0;
    SolverTrace trace;
    std::vector<std::string> lines;
};

Solved Solve(const TextNameplate::Fields& fields) {
    Solved r;
    RecordingMemo memo;
    r.nominal = CheckNameplateInputs(TextNameplate(fields), memo);
    const PhaseNameplate& n = r.nominal;
    SolveParameters(n.V_ph, n.eta, n.pf, n.I_n, n.s, n.I_lr, memo, r.Rs, r.Xls, r.Rr, r.Xlr, r.Xm,
                    &r.trace);
    r.lines = memo.lines;
    return r;
}

TEST(SolverTest, DefaultNameplateFollowsTheHalvingSearchAndTenRefinementSteps) {
    const Solved r = Solve(DefaultFields());
    EXPECT_TRUE(About(r.nominal.V_ph, "577.35"));
    EXPECT_TRUE(About(r.nominal.I_n, "8.0188"));
    EXPECT_TRUE(About(r.nominal.I_lr, "40.094"));
    EXPECT_TRUE(About(r.trace.X_min, "107.97"));
    EXPECT_TRUE(About(r.trace.X_start, "1079.7"));

    const auto& e = r.trace.Evaluations;
    ASSERT_EQ(r.trace.SearchEvaluations, 7);
    ASSERT_EQ(e.size(), 17u);
    EXPECT_TRUE(About(e[0].f, "-25.98"));
    const char* halving[] = {"593.85", "350.91", "229.44", "168.71", "138.34"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(About(e[static_cast<std::size_t>(i) + 1].X, halving[i])) << "step " << i + 1;
        EXPECT_LT(e[static_cast<std::size_t>(i) + 1].f, 0.0f);
    }
    EXPECT_TRUE(About(e[6].X, "123.16"));
    EXPECT_TRUE(About(e[6].f, "15.89"));
    // The refinement approaches from one side: every step lands below the target.
    for (std::size_t i = 7; i < e.size(); ++i) {
        EXPECT_LE(e[i].f, 0.0f) << "refinement step " << i - 6;
    }
    EXPECT_TRUE(About(e.back().X, "135.94"));
    EXPECT_LT(std::fabs(e.back().f), 1e-4f);

    EXPECT_TRUE(r.lines.empty());
    EXPECT_TRUE(About(r.Rs, "4.70204"));
    EXPECT_TRUE(About(r.Rr, "1.55080"));
    EXPECT_TRUE(About(r.Xls, "6.67712"));
    EXPECT_EQ(Bits(r.Xls), Bits(r.Xlr));
    EXPECT_TRUE(About(r.Xm, "129.259"));
}

struct RatioCase {
    const char* name;
    const char* ratio;
    int searchEvaluations; // start value included
    const char* Rr;
    const char* Xl;
    const char* Xm;
};

class SolvedRatioTest : public testing::TestWithParam<RatioCase> {};

TEST_P(SolvedRatioTest, BracketsAndRefines) {
    const RatioCase& c = GetParam();
    const Solved r = Solve(FieldsWith(6, c.ratio));
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.trace.SearchEvaluations, c.searchEvaluations);
    EXPECT_EQ(r.trace.Evaluations.size(), static_cast<std::size_t>(c.searchEvaluations) + 10);
    EXPECT_TRUE(About(r.Rr, c.Rr));
    EXPECT_TRUE(About(r.Xls, c.Xl));
    EXPECT_EQ(Bits(r.Xls), Bits(r.Xlr));
    EXPECT_TRUE(About(r.Xm, c.Xm));
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, SolvedRatioTest,
    testing::Values(RatioCase{"ratio_2_halves_twice", "2", 3, "1.183", "18.17", "389.8"},
                    RatioCase{"ratio_1_75_grows_once", "1.75", 2, "1.098", "20.55", "1158"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SolverTest, RatioOneSevenFiveStartsAboveTheTargetAndMovesAway) {
    const Solved r = Solve(FieldsWith(6, "1.75"));
    ASSERT_GE(r.trace.Evaluations.size(), 2u);
    EXPECT_TRUE(About(r.trace.Evaluations[0].f, "0.080"));
    EXPECT_TRUE(About(r.trace.Evaluations[1].X, "1566"));
    EXPECT_LE(r.trace.Evaluations[1].f, 0.0f);
}

struct FallbackCase {
    const char* name;
    TextNameplate::Fields fields;
    std::vector<std::string> lines;
};

class FallbackTest : public testing::TestWithParam<FallbackCase> {};

TEST_P(FallbackTest, DeliversTheCircuitWithoutLeakageAndNamesItsRatio) {
    const FallbackCase& c = GetParam();
    const Solved r = Solve(c.fields);
    EXPECT_EQ(r.lines, c.lines);
    EXPECT_EQ(r.trace.Evaluations.size(), 22u);
    EXPECT_EQ(r.trace.Evaluations.back().X, r.trace.X_min);
    EXPECT_TRUE(About(r.Rs, "4.702"));
    EXPECT_TRUE(About(r.Rr, "1.764"));
    EXPECT_LT(std::fabs(r.Xls), 1e-4f);
    EXPECT_EQ(Bits(r.Xls), Bits(r.Xlr));
    EXPECT_TRUE(About(r.Xm, "107.97"));
}

const std::string Ratio11 = FallbackPrefix + "   11.1366";

INSTANTIATE_TEST_SUITE_P(
    Targets, FallbackTest,
    testing::Values(FallbackCase{"ratio_20_too_high", FieldsWith(6, "20"), {Ratio11}},
                    FallbackCase{"ratio_1_6_too_low", FieldsWith(6, "1.6"), {Ratio11}},
                    FallbackCase{"ratio_1_5_raised_first",
                                 FieldsWith(6, "1.5"),
                                 {"too small locked rotor current /nominal current", Ratio11}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SolverTest, RatioOneSixGrowsTwentyTimesWithoutBracket) {
    const Solved r = Solve(FieldsWith(6, "1.6"));
    EXPECT_TRUE(About(r.trace.Evaluations[0].f, "1.28"));
    for (std::size_t i = 0; i <= 20; ++i) {
        EXPECT_GT(r.trace.Evaluations[i].f, 0.0f) << "evaluation " << i;
    }
    EXPECT_NEAR(r.trace.Evaluations[20].X, 3.2e6f, 0.1e6f);
}

TEST(SolverTest, HalfSlipWithEfficiencyRaisedToTheLimitHasNoStatorResistance) {
    TextNameplate::Fields fields = DefaultFields();
    fields[2] = "0.5";
    fields[3] = "0.4";
    const Solved r = Solve(fields);
    EXPECT_EQ(Bits(r.Rs), 0u);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "too small efficiency");
    ASSERT_EQ(r.lines[1].rfind(FallbackPrefix, 0), 0u) << r.lines[1];
    const std::string ratio = r.lines[1].substr(FallbackPrefix.size());
    EXPECT_EQ(ratio.size(), 10u);
    EXPECT_TRUE(About(std::stod(ratio), "1.7088"));
}

TEST(CircuitTest, TrialCircuitOfTheDefaultSolution) {
    const Solved solved = Solve(DefaultFields());
    const PhaseNameplate& n = solved.nominal;
    // The nominal impedance parts the solver derived for this name plate.
    const float Rp = 52.898f;
    const float Xp = 43.200f;
    float Rr = 0, Xls = 0, Xlr = 0, Xm = 0;
    const TComplex Is = TrialCircuit(n.V_ph, solved.Rs, Rp, Xp, 135.936f, n.s, Rr, Xls, Xlr, Xm);
    EXPECT_TRUE(About(Rr, "1.5508"));
    EXPECT_TRUE(About(Xls, "6.677"));
    EXPECT_EQ(Bits(Xls), Bits(Xlr));
    EXPECT_TRUE(About(Xm, "129.26"));
    EXPECT_TRUE(About(Is.Re, "16.995"));
    EXPECT_TRUE(About(Is.Im, "-36.313"));
    EXPECT_TRUE(About(static_cast<double>(CAbs(Is)), "40.09"));

    // The leakage is sensitive to X.
    TrialCircuit(n.V_ph, solved.Rs, Rp, Xp, 135.94f, n.s, Rr, Xls, Xlr, Xm);
    EXPECT_TRUE(About(Xls, "6.678"));
}

TEST(CircuitTest, TheSolvedCircuitDrawsTheNominalCurrentAtNominalSlip) {
    const Solved r = Solve(DefaultFields());
    TComplex Is{}, Ir{}, Im{};
    CircuitCurrents({r.Rs, r.Xls}, {r.Rr, r.Xlr}, {0, r.Xm}, r.nominal.V_ph, r.nominal.s, Is, Ir,
                    Im);
    EXPECT_TRUE(About(Is.Re, "6.415"));
    EXPECT_TRUE(About(Is.Im, "-4.811"));
    EXPECT_TRUE(About(static_cast<double>(CAbs(Is)), "8.0188"));
    EXPECT_TRUE(About(Ir.Re, "6.571"));
    EXPECT_TRUE(About(Ir.Im, "-0.827"));
    EXPECT_TRUE(About(Im.Re, "-0.156"));
    EXPECT_TRUE(About(Im.Im, "-3.985"));
}

TEST(CircuitTest, LowerBoundOfXGivesNoLeakage) {
    const Solved solved = Solve(DefaultFields());
    const PhaseNameplate& n = solved.nominal;
    float Rr = 0, Xls = 0, Xlr = 0, Xm = 0;
    const TComplex Is = TrialCircuit(n.V_ph, solved.Rs, 52.898f, 43.200f, solved.trace.X_min, n.s,
                                     Rr, Xls, Xlr, Xm);
    EXPECT_LT(std::fabs(Xls), 0.01f);
    EXPECT_TRUE(About(Xm, "107.97"));
    EXPECT_TRUE(About(Rr, "1.7636"));
    EXPECT_TRUE(About(static_cast<double>(CAbs(Is)), "89.30"));
}

TEST(CircuitTest, SlipDividesOnlyTheRotorResistance) {
    TComplex a{}, b{}, c{}, d{}, e{}, f{};
    // At slip 0.5 a rotor branch (1, 2) behaves as (2, 2) at slip 1.
    CircuitCurrents({1, 1}, {1, 2}, {0, 50}, 100, 0.5f, a, b, c);
    CircuitCurrents({1, 1}, {2, 2}, {0, 50}, 100, 1.0f, d, e, f);
    EXPECT_EQ(Bits(a.Re), Bits(d.Re));
    EXPECT_EQ(Bits(a.Im), Bits(d.Im));
    EXPECT_EQ(Bits(b.Im), Bits(e.Im));
}

} // namespace
