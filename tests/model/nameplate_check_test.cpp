#include "fp_errors.h"
#include "model_test_support.h"
#include "per_unit.h"

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

// The default name plate, calculated at the frequency given.
const TEquivalentCircuit& Circuit(float frequency) {
    static Calculation at50, at60;
    return (frequency == 50.0f ? at50 : at60).Run(DefaultFields(), frequency).circuit;
}

PerUnitTexts Show(const char* mva, const char* kv, const char* freq, float circuitFrequency = 50) {
    PerUnitTexts texts;
    WritePerUnitDisplay(ReadPerUnitBases(mva, kv, freq), Circuit(circuitFrequency), texts);
    return texts;
}

// In display order: magnetizing, stator leakage, stator and rotor resistance,
// rotor leakage. The reactances come back at the typed frequency with 2 pi to
// eight digits, not the factor the inductances were made with: one unit in
// the last place off the solver's 129.259 ohm at 50 Hz.
TEST(PerUnitTest, TextsOnTheTypedBases) {
    const PerUnitTexts ohms = Show("1", "1", "50");
    EXPECT_EQ(ohms.baseImpedance, "base Z = 1.0 Ohm");
    EXPECT_EQ(ohms.perUnit,
              (std::array<std::string, 5>{"   129.259 pu", "   6.67712 pu", "   4.70204 pu",
                                          "    1.5508 pu", "   6.67712 pu"}));
    EXPECT_EQ(Show("1", "1", "50", 60).perUnit[0], "   107.716 pu");
    const PerUnitTexts scaled = Show("2", "4", "50");
    EXPECT_EQ(scaled.baseImpedance, "base Z = 8.0 Ohm");
    EXPECT_EQ(scaled.perUnit[3], "  0.193850 pu");
    EXPECT_EQ(Show("0.5", "0.4", "50").baseImpedance, "base Z = 0.320000 Ohm");
    const float pu[] = {0x1.02849cp+4f, 0x1.ab55fcp-1f, 0x1.2cee44p-1f, 0x1.8d0106p-3f};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Bits(PerUnitValue(PerUnitDisplayOrder[i], Circuit(50), 50, 8)), Bits(pu[i]));
    }
    EXPECT_EQ(Bits(PerUnitValue(PerUnitQuantity::RotorLeakage, Circuit(50), 60, 8)),
              Bits(0x1.0066cap+0f));
}

// Each box is judged by the first number of its own text; with any one
// invalid, every text is empty.
TEST(PerUnitTest, BaseBoxes) {
    const struct {
        const char *mva, *kv, *freq;
        bool mvaValid, kvValid, freqValid;
    } rows[] = {
        {"0", "1", "50", false, true, true},   {"1", "-1", "50", true, false, true},
        {"1", "1", "", true, true, false},     {"1", "1", "5x", true, true, false},
        {"1 x", "1", "50", false, true, true}, {"1 7", "1,0", "50.", true, true, true},
        {"", "a", "0", false, false, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.mva) + "|" + r.kv + "|" + r.freq);
        const PerUnitBases bases = ReadPerUnitBases(r.mva, r.kv, r.freq);
        EXPECT_EQ(bases.MVA.Valid(), r.mvaValid);
        EXPECT_EQ(bases.kV.Valid(), r.kvValid);
        EXPECT_EQ(bases.Freq.Valid(), r.freqValid);
        const PerUnitTexts t = Show(r.mva, r.kv, r.freq);
        EXPECT_EQ(t.baseImpedance + t.perUnit[4],
                  r.mvaValid && r.kvValid && r.freqValid ? "base Z = 1.0 Ohm   6.67712 pu" : "");
    }
}

// An error ends the display where it arises; what was written stays: Zb
// beyond the 32-bit range, nothing; Zb rounding to 0, the label; a Zb so small
// that the first value leaves the range, the label only.
TEST(PerUnitTest, ErrorsArisingInTheArithmetic) {
    const auto show = [](const char* mva, const char* kv, PerUnitTexts& texts) {
        WritePerUnitDisplay(ReadPerUnitBases(mva, kv, "50"), Circuit(50), texts);
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
