#include "model_test_support.h"

#include "fp_errors.h"

#include <limits>
#include <string>
#include <vector>

namespace {

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
    ExpectAbout({{r.nominal.V_ph, "577.35"},
                 {r.nominal.I_n, "8.0188"},
                 {r.nominal.I_lr, "40.094"},
                 {r.trace.X_min, "107.97"},
                 {r.trace.X_start, "1079.7"}});
    const auto& e = r.trace.Evaluations;
    ASSERT_EQ(r.trace.SearchEvaluations, 7);
    ASSERT_EQ(e.size(), 17u);
    ExpectAbout({{e[0].f, "-25.98"}, {e[6].f, "15.89"}, {e.back().X, "135.94"}});
    const char* halving[] = {"593.85", "350.91", "229.44", "168.71", "138.34", "123.16"};
    for (std::size_t i = 1; i <= 6; ++i) {
        EXPECT_TRUE(About(e[i].X, halving[i - 1])) << "step " << i;
        EXPECT_EQ(e[i].f < 0, i < 6) << "step " << i;
    }
    // The refinement approaches from one side: every step lands below the target.
    for (std::size_t i = 7; i < e.size(); ++i) {
        EXPECT_LE(e[i].f, 0.0f) << "refinement step " << i - 6;
    }
    EXPECT_LT(std::fabs(e.back().f), 1e-4f);
    EXPECT_TRUE(r.lines.empty());
    ExpectAbout({{r.Rs, "4.70204"}, {r.Rr, "1.55080"}, {r.Xls, "6.67712"}, {r.Xm, "129.259"}});
    EXPECT_EQ(Bits(r.Xls), Bits(r.Xlr));
}

struct RatioRow {
    const char* name;
    const char* ratio;
    int searchEvaluations; // start value included
    const char* Rr;
    const char* Xl;
    const char* Xm;
};

class SolvedRatioTest : public testing::TestWithParam<RatioRow> {};

TEST_P(SolvedRatioTest, BracketsAndRefines) {
    const RatioRow& c = GetParam();
    const Solved r = Solve(FieldsWith(6, c.ratio));
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.trace.SearchEvaluations, c.searchEvaluations);
    EXPECT_EQ(r.trace.Evaluations.size(), static_cast<std::size_t>(c.searchEvaluations) + 10);
    ExpectAbout({{r.Rr, c.Rr}, {r.Xls, c.Xl}, {r.Xm, c.Xm}});
    EXPECT_EQ(Bits(r.Xls), Bits(r.Xlr));
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, SolvedRatioTest,
    testing::Values(RatioRow{"ratio_2_halves_twice", "2", 3, "1.183", "18.17", "389.8"},
                    RatioRow{"ratio_1_75_grows_once", "1.75", 2, "1.098", "20.55", "1158"}),
    RowName);

// Ratio 1.75 starts above the target and moves away from X_min; ratio 1.6
// moves away twenty times without finding a bracket.
TEST(SolverTest, SearchesAwayFromTheLowerBoundWhenStartingAboveTheTarget) {
    const auto& e = Solve(FieldsWith(6, "1.75")).trace.Evaluations;
    ExpectAbout({{e[0].f, "0.080"}, {e[1].X, "1566"}});
    EXPECT_LE(e[1].f, 0.0f);

    const auto& g = Solve(FieldsWith(6, "1.6")).trace.Evaluations;
    EXPECT_TRUE(About(g[0].f, "1.28"));
    for (std::size_t i = 0; i <= 20; ++i) {
        EXPECT_GT(g[i].f, 0.0f) << "evaluation " << i;
    }
    EXPECT_NEAR(g[20].X, 3.2e6f, 0.1e6f);
}

struct FallbackRow {
    const char* name;
    TextNameplate::Fields fields;
    std::vector<std::string> lines;
};

class FallbackTest : public testing::TestWithParam<FallbackRow> {};

TEST_P(FallbackTest, DeliversTheCircuitWithoutLeakageAndNamesItsRatio) {
    const Solved r = Solve(GetParam().fields);
    EXPECT_EQ(r.lines, GetParam().lines);
    EXPECT_EQ(r.trace.Evaluations.size(), 22u);
    EXPECT_EQ(r.trace.Evaluations.back().X, r.trace.X_min);
    ExpectAbout({{r.Rs, "4.702"}, {r.Rr, "1.764"}, {r.Xm, "107.97"}});
    EXPECT_LT(std::fabs(r.Xls), 1e-4f);
    EXPECT_EQ(Bits(r.Xls), Bits(r.Xlr));
}

// Four blanks between the equals sign and the digits of 11.13655.
const std::string Ratio11 = FallbackPrefix + "   11.1366";

INSTANTIATE_TEST_SUITE_P(
    Targets, FallbackTest,
    testing::Values(FallbackRow{"ratio_20_too_high", FieldsWith(6, "20"), {Ratio11}},
                    FallbackRow{"ratio_1_6_too_low", FieldsWith(6, "1.6"), {Ratio11}},
                    FallbackRow{"ratio_1_5_raised_first",
                                FieldsWith(6, "1.5"),
                                {"too small locked rotor current /nominal current", Ratio11}}),
    RowName);

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

TEST(CircuitTest, TrialCircuitsOfTheDefaultNameplate) {
    const Solved solved = Solve(DefaultFields());
    const PhaseNameplate& n = solved.nominal;
    // The nominal impedance parts the solver derives for this name plate.
    const float Rp = 52.898f;
    const float Xp = 43.200f;
    float Rr = 0, Xls = 0, Xlr = 0, Xm = 0;
    const TComplex Is = TrialCircuit(n.V_ph, solved.Rs, Rp, Xp, 135.936f, n.s, Rr, Xls, Xlr, Xm);
    ExpectAbout({{Rr, "1.5508"},
                 {Xls, "6.677"},
                 {Xm, "129.26"},
                 {Is.Re, "16.995"},
                 {Is.Im, "-36.313"},
                 {static_cast<double>(CAbs(Is)), "40.09"}});
    EXPECT_EQ(Bits(Xls), Bits(Xlr));
    // The leakage is sensitive to X.
    TrialCircuit(n.V_ph, solved.Rs, Rp, Xp, 135.94f, n.s, Rr, Xls, Xlr, Xm);
    EXPECT_TRUE(About(Xls, "6.678"));
    // At the lower bound of X there is no leakage.
    const TComplex atMin =
        TrialCircuit(n.V_ph, solved.Rs, Rp, Xp, solved.trace.X_min, n.s, Rr, Xls, Xlr, Xm);
    EXPECT_LT(std::fabs(Xls), 0.01f);
    ExpectAbout({{Xm, "107.97"}, {Rr, "1.7636"}, {static_cast<double>(CAbs(atMin)), "89.30"}});
}

TEST(CircuitTest, TheSolvedCircuitDrawsTheNominalCurrentAtNominalSlip) {
    const Solved r = Solve(DefaultFields());
    TComplex Is{}, Ir{}, Im{};
    CircuitCurrents({r.Rs, r.Xls}, {r.Rr, r.Xlr}, {0, r.Xm}, r.nominal.V_ph, r.nominal.s, Is, Ir,
                    Im);
    ExpectAbout({{Is.Re, "6.415"},
                 {Is.Im, "-4.811"},
                 {static_cast<double>(CAbs(Is)), "8.0188"},
                 {Ir.Re, "6.571"},
                 {Ir.Im, "-0.827"},
                 {Im.Re, "-0.156"},
                 {Im.Im, "-3.985"}});
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

// A stator branch of -1 ohm in front of a parallel branch of about 3 ohm
// turns the stator voltage against the supply: the magnetizing voltage
// V - Is * Zs overflows for V at the 32-bit limit.
TEST(CircuitTest, StatorCurrentIsDeliveredBeforeTheMagnetizingVoltageOverflows) {
    const float V = std::numeric_limits<float>::max();
    const TComplex Zs{-1, 0}, Zr{3, 0}, Zm{0, 1000};
    const TComplex unwritten{7, 7};
    TComplex Is = unwritten, Ir = unwritten, Im = unwritten;
    EXPECT_THROW(CircuitCurrents(Zs, Zr, Zm, V, 1.0f, Is, Ir, Im), FloatOverflowError);
    // Steps 1 to 6 by hand, at slip 1.
    const TComplex expected = CDiv(CMake(V, 0), CAdd(Zs, CDiv(CMul(Zr, Zm), CAdd(Zr, Zm))));
    EXPECT_EQ(Bits(Is.Re), Bits(expected.Re));
    EXPECT_EQ(Bits(Is.Im), Bits(expected.Im));
    EXPECT_EQ(Bits(Ir.Re), Bits(unwritten.Re));
    EXPECT_EQ(Bits(Im.Re), Bits(unwritten.Re));
}

} // namespace
