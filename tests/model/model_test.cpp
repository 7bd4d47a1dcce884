#include "bits.h"
#include "complex.h"
#include "fp_errors.h"
#include "motor_model.h"
#include "per_unit.h"
#include "text_nameplate.h"
#include "warning_doubles.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The name plate a new window starts with.
TextNameplate::Fields DefaultFields() {
    return {"1", "10", "0.02", "0.9", "0.8", "5"};
}

TextNameplate::Fields FieldsWith(int row, std::string text) {
    TextNameplate::Fields fields = DefaultFields();
    fields[static_cast<std::size_t>(row - 1)] = std::move(text);
    return fields;
}

// One whole calculation, with a stand-in for the warning box and its button.
struct Calculation {
    RecordingMemo memo;
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = memo.ok};
    SolvedCircuit solved;

    Calculation& Run(const TextNameplate::Fields& fields, float frequency) {
        CalcEquivalentCircuit(TextNameplate(fields), circuit, frequency, &solved);
        return *this;
    }
};

std::vector<uint32_t> BitsOf(TComplex z) {
    return {Bits(z.Re), Bits(z.Im)};
}

// Products and quotients saturate each component at the 32-bit 1e35, the
// modulus at 1e35 in the 40-bit real once the sum of the squares passes it;
// sums do not saturate but overflow the store. A divisor is zero only when
// both components lie at or below the decimal 1e-35, below the float nearest
// it. The 40-bit real rounds halfway away from zero and holds nothing below
// 2^-128.
TEST(ComplexTest, GuardsAndRounding) {
    const float max = 1e35f, below = std::nextafter(1e-35f, 0.0f);
    EXPECT_EQ(BitsOf(CMul({1e20f, 0}, {1e20f, 0})), BitsOf({max, 0}));
    EXPECT_EQ(BitsOf(CMul({1e20f, 1}, {-1e20f, 1})), BitsOf({-max, 0}));
    EXPECT_EQ(BitsOf(CDiv({1e30f, 1e30f}, {1e-30f, 0})), BitsOf({max, max}));
    EXPECT_EQ(CAbs({3e17f, 0}), static_cast<Extended>(3e17f));
    EXPECT_EQ(CAbs({4e17f, 0}), RoundToReal48(1e35L));
    EXPECT_LT(RoundToReal48(1e35L), Extended(1e35L));
    EXPECT_EQ(CAdd({1e35f, 0}, {1e35f, 0}).Re, 2e35f);
    EXPECT_THROW(CAdd({0, 3e38f}, {0, 3e38f}), FloatOverflowError);
    EXPECT_EQ(BitsOf(CDiv({1, 0}, {below, -below})), BitsOf({0, 0}));
    EXPECT_NE(CDiv({1, 0}, {1e-35f, 0}).Re, 0.0f);
    EXPECT_NE(CDiv({1, 0}, {0, 2e-35f}).Im, 0.0f);
    const Extended one = 1.0L, half = 0x1p-40L; // halfway between two 40-bit values
    EXPECT_EQ(RoundToReal48(-(one + half)), -(one + 2 * half));
    EXPECT_EQ(RoundToReal48(one + half - 0x1p-63L), one);
    EXPECT_EQ(RoundToReal48(0x1p-128L) + RoundToReal48(0x1.fffffp-129L), Extended(0x1p-128L));
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

// An overflow of the magnetizing voltage V - Is Zs comes after the stator
// current is delivered.
TEST(CircuitTest, StatorCurrentIsDeliveredBeforeTheVoltageOverflows) {
    const TComplex Zs{-1, 0}, Zr{3, 0}, Zm{0, 1000}, unwritten{7, 7};
    const float V = std::numeric_limits<float>::max();
    TComplex Is = unwritten, Ir = unwritten, Im = unwritten;
    EXPECT_THROW(CircuitCurrents(Zs, Zr, Zm, V, 1.0f, Is, Ir, Im), FloatOverflowError);
    const TComplex expected = CDiv(CMake(V, 0), CAdd(Zs, CDiv(CMul(Zr, Zm), CAdd(Zr, Zm))));
    EXPECT_EQ(std::vector({Bits(Is.Re), Bits(Is.Im), Bits(Ir.Re), Bits(Im.Im)}),
              std::vector({Bits(expected.Re), Bits(expected.Im), Bits(7.0f), Bits(7.0f)}));
}

// The warnings of a check, which clears what an earlier run left.
PhaseNameplate Check(const TextNameplate::Fields& fields, Lines& lines) {
    RecordingMemo memo;
    memo.lines = {"left over from the last run"};
    const PhaseNameplate n = CheckNameplateInputs(TextNameplate(fields), memo);
    lines = memo.lines;
    return n;
}

using P = PhaseNameplate;

// Each row on and beside its bounds: exactly its own line, and the substitute
// it is given. From slip 0.5 on, 1 - s leaves no room for the default
// efficiency, and a raised one lies below the lower bound, without a second line; 1 - s is kept
// exact until the margin is off (0.96500003 if rounded first); an unreadable ratio reads as 0.
TEST(NameplateCheckTest, BoundsLinesAndSubstitutes) {
    const struct {
        TextNameplate::Fields fields;
        Lines lines;
        float PhaseNameplate::*used = nullptr;
        float substitute = 0;
    } rows[] = {
        {FieldsWith(1, "0.0005"), {}},
        {FieldsWith(1, "0.0004"), {"too small nominal voltage"}, &P::V_ph, 0.28867513f},
        {FieldsWith(2, "0.001"), {}},
        {FieldsWith(2, "0.0009"), {" too small nominal power"}, &P::P_ph, 0.333333f},
        {FieldsWith(3, "0.5"), {"too large efficiency"}, &P::s, 0.5f},
        {FieldsWith(3, "0.6"), {" too large slip", "too large efficiency"}, &P::s, 0.5f},
        {FieldsWith(3, "0.001"), {}},
        {FieldsWith(3, "0.0009"), {"too small slip"}, &P::s, 0.0009765625f},
        {FieldsWith(4, "0.979"), {}},
        {FieldsWith(4, "0.98"), {"too large efficiency"}, &P::eta, 0.975f},
        {FieldsWith(4, "0,4"), {"too small efficiency"}, &P::eta, 0.5f},
        // clang-format off
        {{"1", "10", "0.7", "0.5", "0.8", "5"}, {" too large slip", "too large efficiency"},
         &P::eta, 0.495f},
        {{"1", "10", "0.7", "0.3", "0.8", "5"}, {" too large slip", "too small efficiency"},
         &P::eta, 0.5f},
        // clang-format on
        {{"1", "10", "0.03", "0.99", "0.8", "5"}, {"too large efficiency"}, &P::eta, 0.96499997f},
        {FieldsWith(5, "0.999"), {}},
        {FieldsWith(5, "0.9991"), {"too large power factor"}, &P::pf, 0.99910003f},
        {FieldsWith(5, "1"), {"too large power factor"}, &P::pf, 0.99910003f},
        {FieldsWith(5, "0.4"), {" too small power factor pf "}, &P::pf, 0.5f},
        {FieldsWith(6, "1.5"), {"too small locked rotor current /nominal current"}, &P::k, 1.5f},
        {FieldsWith(6, "1.51"), {}},
        {FieldsWith(6, "5 x"), {"too small locked rotor current /nominal current"}, &P::k, 1.5f},
        {{"", "", "", "", "", "   "},
         {"too small nominal voltage", " too small nominal power", "too small slip",
          "too small efficiency", " too small power factor pf ",
          "too small locked rotor current /nominal current"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.fields));
        Lines lines;
        const PhaseNameplate n = Check(r.fields, lines);
        EXPECT_EQ(lines, r.lines);
        if (r.used != nullptr) {
            EXPECT_EQ(Bits(n.*r.used), Bits(r.substitute));
        }
    }
}

// A conversion error in row 4 ends the run: rows 1 to 3 have been checked,
// the solver is not called and the outputs are not written. Huge inputs
// overflow the 32-bit stores: a voltage or power fine as typed in kV or kW,
// not as volts or watts, a ratio beyond the range while read, the nominal and
// the locked-rotor current.
TEST(NameplateCheckTest, ErrorsEndTheRun) {
    RecordingMemo memo;
    float Rs = -1, Xls = -1, Rr = -1, Xlr = -1, Xm = -1;
    EXPECT_THROW(CheckNameplate(TextNameplate({"0", "10", "0.9", "e5", "0.8", "5"}), memo, Rs, Xls,
                                Rr, Xlr, Xm),
                 ConversionError);
    EXPECT_EQ(memo.lines, (Lines{"too small nominal voltage", " too large slip"}));
    EXPECT_EQ(Rs + Xm, -2.0f);
    for (const TextNameplate::Fields& fields :
         {FieldsWith(1, "1e36"), FieldsWith(2, "2e36"), FieldsWith(6, "999e36"),
          TextNameplate::Fields{"0.0005", "1e36", "0.02", "0.5", "0.5", "5"},
          TextNameplate::Fields{"1", "1e30", "0.02", "0.9", "0.8", "9e36"}}) {
        EXPECT_THROW(Check(fields, memo.lines), FloatOverflowError)
            << fields[0] << " " << fields[1];
    }
}

// The inductances are the solver's reactances over 6.283186 (not 2 pi) times
// the frequency, or over 0.6283186 up to 0.1 Hz, stored; the resistances are
// the solver's. Without a warning line the box and button stay untouched.
TEST(CalcEquivalentCircuitTest, InductancesAtEachFrequency) {
    for (const auto& [frequency, Lm, Ll] : {std::tuple{50.0f, 0x1.a551ap-2f, 0x1.5c398p-6f},
                                            {60.0f, 0x1.5f195cp-2f, 0x1.222fecp-6f},
                                            {0.5f, 0x1.4927c6p+5f, 0x1.100cecp+1f},
                                            {0.0f, 0x1.9b71b6p+7f, 0x1.541026p+3f}}) {
        SCOPED_TRACE(frequency);
        Calculation run;
        const TEquivalentCircuit& c = run.Run(DefaultFields(), frequency).circuit;
        EXPECT_EQ(
            std::vector({Bits(c.Magnetizing), Bits(c.StatorLeakage), Bits(c.RotorLeakage),
                         Bits(c.RotorResistance), Bits(c.StatorResistance)}),
            std::vector({Bits(Lm), Bits(Ll), Bits(Ll), Bits(run.solved.Rr), Bits(run.solved.Rs)}));
        EXPECT_TRUE(run.memo.calls.empty());
    }
}

// The box comes up before its button, which is drawn on top of it; an error
// leaves the record and the box alone.
TEST(CalcEquivalentCircuitTest, ShowsTheBoxThenTheButtonWhenAnyLineIsWritten) {
    Calculation fallback;
    fallback.Run(FieldsWith(6, "20"), 50.0f);
    EXPECT_EQ(fallback.memo.calls, kBoxThenOkShown);
    Calculation run;
    run.circuit.Magnetizing = 7;
    EXPECT_THROW(run.Run(FieldsWith(1, "-"), 50.0f), ConversionError);
    EXPECT_EQ(run.circuit.Magnetizing, 7.0f);
    EXPECT_TRUE(run.memo.calls.empty());
}

// The default name plate, calculated at 50 Hz.
const TEquivalentCircuit& Circuit() {
    static Calculation at50;
    return at50.Run(DefaultFields(), 50.0f).circuit;
}

PerUnitTexts Show(const char* mva, const char* kv, const char* freq) {
    PerUnitTexts texts;
    WritePerUnitDisplay(ReadPerUnitBases(mva, kv, freq), Circuit(), texts);
    return texts;
}

// In display order: magnetizing, stator leakage, stator and rotor resistance,
// rotor leakage. The reactances come back at the typed frequency with 2 pi to
// eight digits, not the factor the inductances were made with: one unit in
// the last place off the solver's 129.259 ohm at 50 Hz.
TEST(PerUnitTest, TextsOnTheTypedBases) {
    const PerUnitTexts scaled = Show("2", "4", "50");
    EXPECT_EQ(scaled.baseImpedance, "base Z = 8.0 Ohm");
    EXPECT_EQ(scaled.perUnit[3], "  0.193850 pu");
    EXPECT_EQ(Show("0.5", "0.4", "50").baseImpedance, "base Z = 0.320000 Ohm");
    const float pu[] = {0x1.02849cp+4f, 0x1.ab55fcp-1f, 0x1.2cee44p-1f, 0x1.8d0106p-3f};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Bits(PerUnitValue(PerUnitDisplayOrder[i], Circuit(), 50, 8)), Bits(pu[i]));
    }
    EXPECT_EQ(Bits(PerUnitValue(PerUnitQuantity::RotorLeakage, Circuit(), 60, 8)),
              Bits(0x1.0066cap+0f));
}

// An error ends the display where it arises; what was written stays: Zb
// beyond the 32-bit range, nothing; Zb rounding to 0, the label; a Zb so small
// that the first value leaves the range, the label only.
TEST(PerUnitTest, ErrorsArisingInTheArithmetic) {
    const auto show = [](const char* mva, const char* kv, PerUnitTexts& texts) {
        WritePerUnitDisplay(ReadPerUnitBases(mva, kv, "50"), Circuit(), texts);
    };
    PerUnitTexts none, zero, tiny;
    none.baseImpedance = "kept";
    EXPECT_THROW(show("1e-30", "1e30", none), FloatOverflowError);
    EXPECT_EQ(none.baseImpedance, "kept");
    EXPECT_THROW(show("1", "1e-30", zero), FloatZeroDivideError);
    EXPECT_EQ(zero.baseImpedance, "base Z = 0.0 Ohm");
    EXPECT_THROW(show("1", "1e-20", tiny), FloatOverflowError);
    EXPECT_EQ(tiny.baseImpedance + tiny.perUnit[0], "base Z = 0.0 Ohm");
    EXPECT_THROW(ReadPerUnitBases("1", "1", "E2"), ConversionError);
}

} // namespace
