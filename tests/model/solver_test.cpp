// Complex arithmetic, circuit currents and the parameter solver.
#include "complex.h"
#include "fp_errors.h"
#include "model_test_support.h"

#include <limits>

namespace {

std::vector<uint32_t> BitsOf(TComplex z) {
    return {Bits(z.Re), Bits(z.Im)};
}

TEST(ComplexTest, OperationsOnSmallNumbersAreExact) {
    EXPECT_EQ(BitsOf(CMul({1, 2}, {3, 4})), BitsOf({-5, 10}));
    EXPECT_EQ(BitsOf(CDiv({1, 2}, {3, 4})), BitsOf({0.44f, 0.08f}));
    EXPECT_EQ(BitsOf(CSub({5, 1}, {2, 3})), BitsOf({3, -2}));
    EXPECT_EQ(BitsOf(CConj({2, 3})), BitsOf({2, -3}));
    EXPECT_EQ(CAbs({-3, -4}), Extended(5));
}

// Each component on its own, to the 32-bit 1e35; the modulus once the sum of
// the squares passes 1e35, to 1e35 in the 40-bit real.
TEST(ComplexTest, ProductQuotientAndModulusSaturate) {
    const float max = 1e35f;
    EXPECT_EQ(BitsOf(CMul({1e20f, 0}, {1e20f, 0})), BitsOf({max, 0}));
    EXPECT_EQ(BitsOf(CMul({1e20f, 1}, {-1e20f, 1})), BitsOf({-max, 0}));
    EXPECT_EQ(BitsOf(CMul({0, 1e20f}, {1e20f, 0})), BitsOf({0, max}));
    EXPECT_EQ(BitsOf(CDiv({1e30f, 1e30f}, {1e-30f, 0})), BitsOf({max, max}));
    EXPECT_EQ(CAbs({3e17f, 0}), static_cast<Extended>(3e17f));
    EXPECT_EQ(CAbs({4e17f, 0}), RoundToReal48(1e35L));
    EXPECT_LT(RoundToReal48(1e35L), Extended(1e35L));
}

// The threshold is the decimal 1e-35 itself: the 32-bit value nearest to it
// lies above, so only values at or below the decimal count as zero.
TEST(ComplexTest, DivisorIsZeroOnlyWhenBothComponentsAreWithin1eMinus35) {
    const float below = std::nextafter(1e-35f, 0.0f);
    EXPECT_EQ(BitsOf(CDiv({1, 0}, {0, 0})), BitsOf({0, 0}));
    EXPECT_EQ(BitsOf(CDiv({1, 0}, {below, -below})), BitsOf({0, 0}));
    EXPECT_NE(CDiv({1, 0}, {1e-35f, 0}).Re, 0.0f);
    EXPECT_NE(CDiv({1, 0}, {0, 2e-35f}).Im, 0.0f);
}

TEST(ComplexTest, Real48KeepsFortyBitsAndRoundsHalfwayAwayFromZero) {
    const Extended one = 1.0L;
    const Extended half = 0x1p-40L; // halfway between two 40-bit values
    EXPECT_EQ(RoundToReal48(one + half), one + 2 * half);
    EXPECT_EQ(RoundToReal48(-(one + half)), -(one + 2 * half));
    EXPECT_EQ(RoundToReal48(one + half - 0x1p-63L), one);
    EXPECT_EQ(RoundToReal48(0x1p-128L), 0x1p-128L);
    EXPECT_EQ(RoundToReal48(0x1.fffffp-129L), 0.0L);
}

TEST(ComplexTest, SumsDoNotSaturateButOverflowTheStore) {
    EXPECT_EQ(CAdd({1e35f, 0}, {1e35f, 0}).Re, 2e35f);
    const float big = std::numeric_limits<float>::max();
    EXPECT_THROW(CAdd({big, 0}, {big, 0}), FloatOverflowError);
    EXPECT_THROW(CSub({0, big}, {0, -big}), FloatOverflowError);
}

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
        // clang-format off
        // About 4.70204, 6.67712, 1.55080 and 129.259 ohm.
        {DefaultFields(), 0x1.2cee44p+2, 0x1.ab56p+2, 0x1.8d0106p+0, 0x1.02849ep+7, 7, {}},
        {FieldsWith(6, "2"), 0x1.2cee44p+2, 0x1.22b58p+4, 0x1.2ee922p+0, 0x1.85d3fep+8, 3, {}},
        {FieldsWith(6, "1.75"), 0x1.2cee44p+2, 0x1.48c18p+4, 0x1.1923acp+0, 0x1.219986p+10, 2, {}},
        {FieldsWith(6, "1.6"), 0x1.2cee44p+2, 0, 0x1.c378a2p+0, 0x1.afe46p+6, 21,
         {Fallback + "   11.1366"}},
        {FieldsWith(6, "20"), 0x1.2cee44p+2, 0, 0x1.c378a2p+0, 0x1.afe46p+6, 21,
         {Fallback + "   11.1366"}},
        {FieldsWith(6, "1.5"), 0x1.2cee44p+2, 0, 0x1.c378a2p+0, 0x1.afe46p+6, 21,
         {"too small locked rotor current /nominal current", Fallback + "   11.1366"}},
        // Efficiency raised to the limit of half slip: no stator resistance.
        {{"1", "10", "0.5", "0.4", "0.8", "5"}, 0, 0, 0x1.900004p+4, 0x1.0aaaacp+6, 21,
         {"too small efficiency", Fallback + "    1.7088"}},
        {{"0.4", "0.75", "0.05", "0.83", "0.82", "5"},
         0x1.e14068p+3, 0x1.2cc26p+3, 0x1.f22bap+2, 0x1.e2188cp+7, 7, {}},
        {{"6.6", "630", "0.007", "0.959", "0.83", "5"},
         0x1.9065ep+0, 0x1.62534p+2, 0x1.9f49b2p-2, 0x1.ec931p+6, 6, {}},
        // clang-format on
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

// The solved circuit draws its nominal current at the nominal slip; an
// overflow of the magnetizing voltage V - Is Zs comes after the stator
// current is delivered.
TEST(CircuitTest, CurrentsOfTheBranches) {
    TComplex a{}, b{}, c{};
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
