#include "model_test_support.h"

#include "fp_errors.h"

#include <limits>

namespace {

const std::string Fallback = "cannot solve parameters. Ilocked/Inom. = ";

// The circuit solved for a checked name plate, bit for bit, with the warning
// lines and how many evaluations the bracketing search took (the start value
// included): it halves the distance to X_min while the locked-rotor current
// is short of the target and grows it by half while it exceeds it, twenty
// steps at most; then ten regula falsi steps, or else the circuit at X_min
// without leakage, whose own ratio the line names (four blanks before 11.1366).
TEST(SolverTest, SolvesEachNameplateBitForBit) {
    const struct {
        TextNameplate::Fields fields;
        float Rs, Xl, Rr, Xm;
        int search;
        Lines lines;
    } rows[] = {
        // About 4.70204, 6.67712, 1.55080 and 129.259 ohm.
        {DefaultFields(), 0x1.2cee44p+2, 0x1.ab56p+2, 0x1.8d0106p+0, 0x1.02849ep+7, 7, {}},
        {FieldsWith(6, "2"), 0x1.2cee44p+2, 0x1.22b58p+4, 0x1.2ee922p+0, 0x1.85d3fep+8, 3, {}},
        {FieldsWith(6, "1.75"), 0x1.2cee44p+2, 0x1.48c18p+4, 0x1.1923acp+0, 0x1.219986p+10, 2, {}},
        {FieldsWith(6, "1.6"),
         0x1.2cee44p+2,
         0,
         0x1.c378a2p+0,
         0x1.afe46p+6,
         21,
         {Fallback + "   11.1366"}},
        {FieldsWith(6, "20"),
         0x1.2cee44p+2,
         0,
         0x1.c378a2p+0,
         0x1.afe46p+6,
         21,
         {Fallback + "   11.1366"}},
        {FieldsWith(6, "1.5"),
         0x1.2cee44p+2,
         0,
         0x1.c378a2p+0,
         0x1.afe46p+6,
         21,
         {"too small locked rotor current /nominal current", Fallback + "   11.1366"}},
        // Efficiency raised to the limit of half slip: no stator resistance.
        {{"1", "10", "0.5", "0.4", "0.8", "5"},
         0,
         0,
         0x1.900004p+4,
         0x1.0aaaacp+6,
         21,
         {"too small efficiency", Fallback + "    1.7088"}},
        {{"0.4", "0.75", "0.05", "0.83", "0.82", "5"},
         0x1.e14068p+3,
         0x1.2cc26p+3,
         0x1.f22bap+2,
         0x1.e2188cp+7,
         7,
         {}},
        {{"6.6", "630", "0.007", "0.959", "0.83", "5"},
         0x1.9065ep+0,
         0x1.62534p+2,
         0x1.9f49b2p-2,
         0x1.ec931p+6,
         6,
         {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.fields[0] + " kV, ratio " + r.fields[5]);
        RecordingMemo memo;
        const PhaseNameplate n = CheckNameplateInputs(TextNameplate(r.fields), memo);
        float Rs = -1, Xls = -1, Rr = -1, Xlr = -1, Xm = -1;
        SolverTrace trace;
        const bool met = SolveParameters(n.V_ph, n.eta, n.pf, n.I_n, n.s, n.I_lr, memo, Rs, Xls, Rr,
                                         Xlr, Xm, &trace);
        EXPECT_EQ(std::vector({Bits(Rs), Bits(Xls), Bits(Xlr), Bits(Rr), Bits(Xm)}),
                  std::vector({Bits(r.Rs), Bits(r.Xl), Bits(r.Xl), Bits(r.Rr), Bits(r.Xm)}));
        EXPECT_EQ(memo.lines, r.lines);
        EXPECT_EQ(met, r.lines.empty() || r.lines.back().find(Fallback) != 0);
        EXPECT_EQ(trace.SearchEvaluations, r.search);
        EXPECT_EQ(trace.Evaluations.size(), static_cast<std::size_t>(r.search) + (met ? 10 : 1));
    }
}

// Every refinement step of the default name plate lands below the target:
// the regula falsi approaches from one side.
TEST(SolverTest, DefaultNameplateBracketsThenRefinesFromBelow) {
    RecordingMemo memo;
    const PhaseNameplate n = CheckNameplateInputs(TextNameplate(DefaultFields()), memo);
    float Rs, Xls, Rr, Xlr, Xm;
    SolverTrace trace;
    SolveParameters(n.V_ph, n.eta, n.pf, n.I_n, n.s, n.I_lr, memo, Rs, Xls, Rr, Xlr, Xm, &trace);
    EXPECT_EQ(Bits(trace.X_min), Bits(0x1.afe46p+6f));     // about 107.97 ohm
    EXPECT_EQ(Bits(trace.X_start), Bits(0x1.0deebcp+10f)); // V_ph / (0.1 I_n)
    const auto& e = trace.Evaluations;
    for (std::size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i].f < 0, i != 6) << "evaluation " << i;
    }
    EXPECT_LT(std::fabs(e.back().f), 1e-4f);
}

// With the rotor branch at slip 1 of (1, 2) ohm behaving as (2, 2) at slip 0.5,
// the solved circuit drawing its nominal current, and an overflow of the
// magnetizing voltage V - Is Zs after the stator current is delivered.
TEST(CircuitTest, CurrentsOfTheBranches) {
    TComplex a{}, b{}, c{}, d{}, e{}, f{};
    CircuitCurrents({1, 1}, {1, 2}, {0, 50}, 100, 0.5f, a, b, c);
    CircuitCurrents({1, 1}, {2, 2}, {0, 50}, 100, 1.0f, d, e, f);
    EXPECT_EQ(std::vector({Bits(a.Re), Bits(a.Im), Bits(b.Im)}),
              std::vector({Bits(d.Re), Bits(d.Im), Bits(e.Im)}));

    const SolvedCircuit s = Calculation().Run(DefaultFields(), 50).solved;
    CircuitCurrents({s.Rs, s.Xls}, {s.Rr, s.Xlr}, {0, s.Xm}, s.Nominal.V_ph, s.Nominal.s, a, b, c);
    EXPECT_NEAR(static_cast<double>(CAbs(a)), s.Nominal.I_n, 1e-5 * s.Nominal.I_n);
    EXPECT_NEAR(a.Re / static_cast<double>(CAbs(a)), 0.8, 1e-5);
    EXPECT_NEAR(static_cast<double>(CAbs(CAdd(b, c))), s.Nominal.I_n, 1e-5 * s.Nominal.I_n);

    const TComplex Zs{-1, 0}, Zr{3, 0}, Zm{0, 1000}, unwritten{7, 7};
    const float V = std::numeric_limits<float>::max();
    TComplex Is = unwritten, Ir = unwritten, Im = unwritten;
    EXPECT_THROW(CircuitCurrents(Zs, Zr, Zm, V, 1.0f, Is, Ir, Im), FloatOverflowError);
    const TComplex expected = CDiv(CMake(V, 0), CAdd(Zs, CDiv(CMul(Zr, Zm), CAdd(Zr, Zm))));
    EXPECT_EQ(std::vector({Bits(Is.Re), Bits(Is.Im), Bits(Ir.Re), Bits(Im.Im)}),
              std::vector({Bits(expected.Re), Bits(expected.Im), Bits(7.0f), Bits(7.0f)}));
}

} // namespace
