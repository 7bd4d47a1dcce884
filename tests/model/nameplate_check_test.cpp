#include "fp_errors.h"
#include "model_test_support.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The warnings of a check and the value it passes on for `used`.
struct Checked {
    Lines lines;
    PhaseNameplate nominal;
};

Checked Check(const TextNameplate::Fields& fields) {
    RecordingMemo memo;
    memo.lines = {"left over from the last run"};
    const PhaseNameplate nominal = CheckNameplateInputs(TextNameplate(fields), memo);
    return {memo.lines, nominal};
}

struct CheckRow {
    const char* name;
    int row;
    const char* text;
    Lines lines;
    float PhaseNameplate::*used = nullptr; // the substitute, where one is given
    float substitute = 0;
};

class NameplateCheckTest : public testing::TestWithParam<CheckRow> {};

TEST_P(NameplateCheckTest, AddsExactlyTheLineOfItsRowAndUsesTheSubstitute) {
    const CheckRow& c = GetParam();
    const Checked checked = Check(FieldsWith(c.row, c.text));
    EXPECT_EQ(checked.lines, c.lines);
    if (c.used != nullptr) {
        EXPECT_EQ(Bits(checked.nominal.*c.used), Bits(c.substitute));
    }
}

using P = PhaseNameplate;

// From slip 0.5 on, 1 - s leaves no room for the default efficiency.
const CheckRow kChecks[] = {
    {"voltage_0_0005_passes", 1, "0.0005", {}},
    {"voltage_0_0004_too_small", 1, "0.0004", {"too small nominal voltage"}, &P::V_ph, 0.28867513f},
    {"power_0_001_passes", 2, "0.001", {}},
    {"power_0_0009_too_small", 2, "0.0009", {" too small nominal power"}},
    {"slip_0_5_passes", 3, "0.5", {"too large efficiency"}, &P::s, 0.5f},
    {"slip_0_6_too_large", 3, "0.6", {" too large slip", "too large efficiency"}, &P::s, 0.5f},
    {"slip_0_001_passes", 3, "0.001", {}},
    {"slip_0_0009_too_small", 3, "0.0009", {"too small slip"}, &P::s, 0.0009765625f},
    {"efficiency_0_979_passes", 4, "0.979", {}},
    {"efficiency_0_98_too_large", 4, "0.98", {"too large efficiency"}, &P::eta, 0.975f},
    {"efficiency_0_4_too_small", 4, "0,4", {"too small efficiency"}, &P::eta, 0.5f},
    {"pf_0_999_passes", 5, "0.999", {}},
    {"pf_0_9991_too_large", 5, "0.9991", {"too large power factor"}, &P::pf, 0.99910003f},
    {"pf_1_too_large", 5, "1", {"too large power factor"}, &P::pf, 0.99910003f},
    {"pf_0_4_too_small", 5, "0.4", {" too small power factor pf "}, &P::pf, 0.5f},
    {"ratio_1_5_too_small", 6, "1.5", {"too small locked rotor current /nominal current"}},
    {"ratio_1_51_passes", 6, "1.51", {}},
    {"unreadable_ratio_reads_as_0", 6, "5 x", {"too small locked rotor current /nominal current"}},
};

INSTANTIATE_TEST_SUITE_P(Bounds, NameplateCheckTest, testing::ValuesIn(kChecks), RowName);

TEST(NameplateCheckTest, SixEmptyBoxesGiveSixLinesInRowOrder) {
    EXPECT_EQ(Check({"", "", "", "", "", "   "}).lines,
              (Lines{"too small nominal voltage", " too small nominal power", "too small slip",
                     "too small efficiency", " too small power factor pf ",
                     "too small locked rotor current /nominal current"}));
}

TEST(NameplateCheckTest, HalfSlipMakesEveryEfficiencyWarn) {
    TextNameplate::Fields fields = DefaultFields();
    fields[2] = "0.7";
    fields[3] = "0.5";
    const Checked raised = Check(fields);
    EXPECT_EQ(raised.lines, (Lines{" too large slip", "too large efficiency"}));
    // Lowered to 0.495, below the lower bound, with no second line.
    EXPECT_EQ(raised.nominal.eta, 0.495f);
    fields[3] = "0.3";
    EXPECT_EQ(Check(fields).nominal.eta, 0.5f);
    // 1 - s is kept exact until the margin is off: 0.96500003 if rounded first.
    fields[2] = "0.03";
    fields[3] = "0.99";
    EXPECT_EQ(Bits(Check(fields).nominal.eta), Bits(0.96499997f));
}

// A conversion error in row 4 ends the run: rows 1 to 3 have been checked,
// the solver is not called and the outputs are not written.
TEST(NameplateCheckTest, ConversionErrorEndsTheRunKeepingEarlierLines) {
    RecordingMemo memo;
    float Rs = -1, Xls = -1, Rr = -1, Xlr = -1, Xm = -1;
    try {
        CheckNameplate(TextNameplate({"0", "10", "0.9", "e5", "0.8", "5"}), memo, Rs, Xls, Rr, Xlr,
                       Xm);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'e5' is not a valid floating point value");
    }
    EXPECT_EQ(memo.lines, (Lines{"too small nominal voltage", " too large slip"}));
    EXPECT_EQ(Rs, -1.0f);
    EXPECT_EQ(Xm, -1.0f);
}

TEST(NameplateCheckTest, HugeInputsOverflowTheStore) {
    const TextNameplate::Fields overflowing[] = {
        FieldsWith(1, "1e36"),                         // fine as typed in kV, not as volts
        FieldsWith(2, "2e36"),                         // nor in kW as watts
        FieldsWith(6, "999e36"),                       // beyond the 32-bit range while read
        {"0.0005", "1e36", "0.02", "0.5", "0.5", "5"}, // the nominal current
        {"1", "1e30", "0.02", "0.9", "0.8", "9e36"},   // the locked-rotor current
    };
    for (const TextNameplate::Fields& fields : overflowing) {
        EXPECT_THROW(Check(fields), FloatOverflowError) << fields[0] << " " << fields[1];
    }
}

struct OmegaRow {
    float frequency;
    float omega; // 6.283186 (not 2 pi) times the frequency, stored; 0.6283186 up to 0.1 Hz
    const char* leakage;
    const char* magnetizing;
};

// The inductances are the solver's reactances over omega, the resistances
// its resistances; with no warning line the box and button stay untouched.
TEST(CalcEquivalentCircuitTest, DefaultNameplateAtEachFrequency) {
    for (const OmegaRow& r : {OmegaRow{50.0f, 314.15930176f, "0.0212539", "0.411444"},
                              OmegaRow{60.0f, 376.99114990f, "0.0177116", "0.342870"},
                              OmegaRow{0.0f, 0.6283186f, nullptr, nullptr},
                              OmegaRow{-5.0f, 0.6283186f, nullptr, nullptr}}) {
        SCOPED_TRACE(r.frequency);
        Calculation run;
        const TEquivalentCircuit& c = run.Run(DefaultFields(), r.frequency).circuit;
        const auto over = [&](float X) {
            return Bits(static_cast<float>(Wide(X) / Wide(r.omega)));
        };
        EXPECT_EQ(Bits(c.Magnetizing), over(run.solved.Xm));
        EXPECT_EQ(Bits(c.StatorLeakage), over(run.solved.Xls));
        EXPECT_EQ(Bits(c.RotorLeakage), over(run.solved.Xlr));
        EXPECT_EQ(Bits(c.RotorResistance), Bits(run.solved.Rr));
        EXPECT_EQ(Bits(c.StatorResistance), Bits(run.solved.Rs));
        if (r.leakage != nullptr) {
            ExpectAbout({{c.RotorLeakage, r.leakage},
                         {c.StatorLeakage, r.leakage},
                         {c.Magnetizing, r.magnetizing},
                         {c.RotorResistance, "1.55080"},
                         {c.StatorResistance, "4.70204"}});
        }
        EXPECT_TRUE(run.memo.calls.empty());
    }
}

// The box comes up before its button, which is drawn on top of it.
TEST(CalcEquivalentCircuitTest, ShowsTheBoxThenTheButtonWhenAnyLineIsWritten) {
    Calculation fallback; // the solver's line alone
    fallback.Run(FieldsWith(6, "20"), 50.0f);
    EXPECT_EQ(fallback.memo.lines.size(), 1u);
    EXPECT_EQ(fallback.memo.calls, kBoxThenOkShown);
    EXPECT_LT(std::fabs(fallback.circuit.StatorLeakage), 1e-6f);
}

TEST(CalcEquivalentCircuitTest, ErrorLeavesTheRecordAndTheBoxAlone) {
    Calculation run;
    run.circuit.Magnetizing = 7;
    EXPECT_THROW(run.Run(FieldsWith(1, "-"), 50.0f), ConversionError);
    EXPECT_EQ(run.circuit.Magnetizing, 7.0f);
    EXPECT_TRUE(run.memo.calls.empty());
}

} // namespace
