#include "fp_errors.h"
#include "model_test_support.h"

namespace {

// The warnings of a check, which clears what an earlier run left.
Lines Check(const TextNameplate::Fields& fields, PhaseNameplate* nominal = nullptr) {
    RecordingMemo memo;
    memo.lines = {"left over from the last run"};
    const PhaseNameplate n = CheckNameplateInputs(TextNameplate(fields), memo);
    if (nominal != nullptr) {
        *nominal = n;
    }
    return memo.lines;
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
        {{"1", "10", "0.7", "0.5", "0.8", "5"},
         {" too large slip", "too large efficiency"},
         &P::eta,
         0.495f},
        {{"1", "10", "0.7", "0.3", "0.8", "5"},
         {" too large slip", "too small efficiency"},
         &P::eta,
         0.5f},
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
        SCOPED_TRACE(r.fields[0] + "|" + r.fields[1] + "|" + r.fields[2] + "|" + r.fields[3] + "|" +
                     r.fields[4] + "|" + r.fields[5]);
        PhaseNameplate n{};
        EXPECT_EQ(Check(r.fields, &n), r.lines);
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
    for (const TextNameplate::Fields& fields : {FieldsWith(1, "1e36"),
                                                FieldsWith(2, "2e36"),
                                                FieldsWith(6, "999e36"),
                                                {"0.0005", "1e36", "0.02", "0.5", "0.5", "5"},
                                                {"1", "1e30", "0.02", "0.9", "0.8", "9e36"}}) {
        EXPECT_THROW(Check(fields), FloatOverflowError) << fields[0] << " " << fields[1];
    }
}

// The inductances are the solver's reactances over 6.283186 (not 2 pi) times
// the frequency, or over 0.6283186 up to 0.1 Hz, stored; the resistances are
// the solver's. Without a warning line the box and button stay untouched.
TEST(CalcEquivalentCircuitTest, InductancesAtEachFrequency) {
    for (const auto& [frequency, Lm, Ll] : {std::tuple{50.0f, 0x1.a551ap-2f, 0x1.5c398p-6f},
                                            {60.0f, 0x1.5f195cp-2f, 0x1.222fecp-6f},
                                            {0.5f, 0x1.4927c6p+5f, 0x1.100cecp+1f},
                                            {0.0f, 0x1.9b71b6p+7f, 0x1.541026p+3f},
                                            {-5.0f, 0x1.9b71b6p+7f, 0x1.541026p+3f}}) {
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
    EXPECT_EQ(fallback.memo.lines.size(), 1u);
    EXPECT_EQ(fallback.memo.calls, kBoxThenOkShown);
    Calculation run;
    run.circuit.Magnetizing = 7;
    EXPECT_THROW(run.Run(FieldsWith(1, "-"), 50.0f), ConversionError);
    EXPECT_EQ(run.circuit.Magnetizing, 7.0f);
    EXPECT_TRUE(run.memo.calls.empty());
}

} // namespace
