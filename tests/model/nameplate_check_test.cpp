#include "fp_errors.h"
#include "model_test_support.h"
#include "motor_model.h"
#include "test_doubles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
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

using Lines = std::vector<std::string>;

Lines WarningsOf(const TextNameplate::Fields& fields) {
    RecordingMemo memo;
    memo.lines = {"left over from the last run"};
    CheckNameplateInputs(TextNameplate(fields), memo);
    return memo.lines;
}

struct CheckCase {
    const char* name;
    int row;
    const char* text;
    Lines lines;
};

class NameplateCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(NameplateCheckTest, AddsExactlyTheLineOfItsRow) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(WarningsOf(FieldsWith(c.row, c.text)), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, NameplateCheckTest,
    testing::Values(
        CheckCase{"voltage_0_0005_passes", 1, "0.0005", {}},
        CheckCase{"voltage_0_0004_too_small", 1, "0.0004", {"too small nominal voltage"}},
        CheckCase{"power_0_001_passes", 2, "0.001", {}},
        CheckCase{"power_0_0009_too_small", 2, "0.0009", {" too small nominal power"}},
        // From slip 0.5 on, 1 - s leaves no room for the default efficiency.
        CheckCase{"slip_0_5_passes", 3, "0.5", {"too large efficiency"}},
        CheckCase{"slip_0_6_too_large", 3, "0.6", {" too large slip", "too large efficiency"}},
        CheckCase{"slip_0_001_passes", 3, "0.001", {}},
        CheckCase{"slip_0_0009_too_small", 3, "0.0009", {"too small slip"}},
        CheckCase{"efficiency_0_979_passes", 4, "0.979", {}},
        CheckCase{"efficiency_0_98_too_large", 4, "0.98", {"too large efficiency"}},
        CheckCase{"efficiency_0_4_too_small", 4, "0,4", {"too small efficiency"}},
        CheckCase{"power_factor_0_999_passes", 5, "0.999", {}},
        CheckCase{"power_factor_0_9991_too_large", 5, "0.9991", {"too large power factor"}},
        CheckCase{"power_factor_0_4_too_small", 5, "0.4", {" too small power factor pf "}},
        CheckCase{
            "ratio_1_5_too_small", 6, "1.5", {"too small locked rotor current /nominal current"}},
        CheckCase{"ratio_1_51_passes", 6, "1.51", {}},
        CheckCase{"unreadable_ratio_reads_as_0",
                  6,
                  "5 x",
                  {"too small locked rotor current /nominal current"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NameplateCheckTest, SixEmptyBoxesGiveSixLinesInRowOrder) {
    EXPECT_EQ(WarningsOf({"", "", "", "", "", "   "}),
              (Lines{"too small nominal voltage", " too small nominal power", "too small slip",
                     "too small efficiency", " too small power factor pf ",
                     "too small locked rotor current /nominal current"}));
}

TEST(NameplateCheckTest, HalfSlipMakesEveryEfficiencyWarn) {
    TextNameplate::Fields fields = DefaultFields();
    fields[2] = "0.7";
    fields[3] = "0.5";
    EXPECT_EQ(WarningsOf(fields), (Lines{" too large slip", "too large efficiency"}));
    RecordingMemo memo;
    // Raised to 0.495, below the lower bound, with no second line.
    EXPECT_EQ(CheckNameplateInputs(TextNameplate(fields), memo).eta, 0.495f);
    fields[3] = "0.3";
    EXPECT_EQ(CheckNameplateInputs(TextNameplate(fields), memo).eta, 0.5f);
}

struct SubstituteCase {
    const char* name;
    int row;
    const char* typed;
    float PhaseNameplate::*field;
    float substitute;
};

class SubstituteTest : public testing::TestWithParam<SubstituteCase> {};

TEST_P(SubstituteTest, UsesTheFixedSubstitute) {
    const SubstituteCase& c = GetParam();
    RecordingMemo memo;
    const PhaseNameplate n = CheckNameplateInputs(TextNameplate(FieldsWith(c.row, c.typed)), memo);
    EXPECT_EQ(Bits(n.*c.field), Bits(c.substitute));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SubstituteTest,
    testing::Values(SubstituteCase{"voltage", 1, "0", &PhaseNameplate::V_ph, 0.28867513f},
                    SubstituteCase{"slip_small", 3, "0.0009", &PhaseNameplate::s, 0.0009765625f},
                    SubstituteCase{"slip_large", 3, "2", &PhaseNameplate::s, 0.5f},
                    SubstituteCase{"efficiency_large", 4, "0.98", &PhaseNameplate::eta, 0.975f},
                    SubstituteCase{"power_factor_large", 5, "1", &PhaseNameplate::pf, 0.99910003f},
                    SubstituteCase{"power_factor_small", 5, "0", &PhaseNameplate::pf, 0.5f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NameplateCheckTest, PowerSubstituteGivesTheSameCurrentAsTypingIt) {
    RecordingMemo memo;
    const PhaseNameplate repaired = CheckNameplateInputs(TextNameplate(FieldsWith(2, "0")), memo);
    // 0.333333 W per phase as typed in kW for three phases.
    const float I_n = static_cast<float>(
        Wide(0.33333299f) / ((Wide(repaired.V_ph) * Wide(repaired.pf)) * Wide(repaired.eta)));
    EXPECT_EQ(Bits(repaired.I_n), Bits(I_n));
    // The ratio 1.5 is applied to the current.
    const PhaseNameplate ratio = CheckNameplateInputs(TextNameplate(FieldsWith(6, "0")), memo);
    EXPECT_EQ(Bits(ratio.I_lr), Bits(static_cast<float>(Wide(ratio.I_n) * 1.5L)));
}

// A conversion error in row 4 ends the run: rows 1 to 3 have been checked,
// the solver is not called and the outputs are not written.
TEST(NameplateCheckTest, ConversionErrorEndsTheRunKeepingEarlierLines) {
    TextNameplate::Fields fields = {"0", "10", "0.9", "e5", "0.8", "5"};
    RecordingMemo memo;
    float Rs = -1, Xls = -1, Rr = -1, Xlr = -1, Xm = -1;
    try {
        CheckNameplate(TextNameplate(fields), memo, Rs, Xls, Rr, Xlr, Xm);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'e5' is not a valid floating point value");
    }
    EXPECT_EQ(memo.lines, (Lines{"too small nominal voltage", " too large slip"}));
    EXPECT_EQ(Rs, -1.0f);
    EXPECT_EQ(Xm, -1.0f);
}

TEST(NameplateCheckTest, HugeInputsOverflowTheStore) {
    RecordingMemo memo;
    // 1e36 kV is fine as typed but not as volts.
    EXPECT_THROW(CheckNameplateInputs(TextNameplate(FieldsWith(1, "1e36")), memo),
                 FloatOverflowError);
    EXPECT_THROW(CheckNameplateInputs(TextNameplate(FieldsWith(2, "2e36")), memo),
                 FloatOverflowError);
    // A typed number beyond the 32-bit range fails while it is read.
    EXPECT_THROW(CheckNameplateInputs(TextNameplate(FieldsWith(6, "999e36")), memo),
                 FloatOverflowError);
    // The nominal current of a huge power at a tiny voltage.
    EXPECT_THROW(
        CheckNameplateInputs(TextNameplate({"0.0005", "1e36", "0.02", "0.5", "0.5", "5"}), memo),
        FloatOverflowError);
    // The current ratio has no upper bound, but the locked-rotor current does.
    EXPECT_THROW(
        CheckNameplateInputs(TextNameplate({"1", "1e30", "0.02", "0.9", "0.8", "9e36"}), memo),
        FloatOverflowError);
}

struct Calculated {
    RecordingMemo memo;
    RecordingControl ok;
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = ok};
};

TEST(CalcEquivalentCircuitTest, DefaultNameplateAt50And60Hz) {
    Calculated at50;
    CalcEquivalentCircuit(TextNameplate(DefaultFields()), at50.circuit, 50.0f);
    const TEquivalentCircuit& c = at50.circuit;
    EXPECT_TRUE(About(c.RotorLeakage, "0.0212539"));
    EXPECT_EQ(Bits(c.RotorLeakage), Bits(c.StatorLeakage));
    EXPECT_TRUE(About(c.Magnetizing, "0.411444"));
    EXPECT_TRUE(About(c.RotorResistance, "1.55080"));
    EXPECT_TRUE(About(c.StatorResistance, "4.70204"));
    EXPECT_TRUE(at50.memo.control.calls.empty());
    EXPECT_TRUE(at50.ok.calls.empty());

    Calculated at60;
    CalcEquivalentCircuit(TextNameplate(DefaultFields()), at60.circuit, 60.0f);
    EXPECT_TRUE(About(at60.circuit.RotorLeakage, "0.0177116"));
    EXPECT_EQ(Bits(at60.circuit.RotorLeakage), Bits(at60.circuit.StatorLeakage));
    EXPECT_TRUE(About(at60.circuit.Magnetizing, "0.342870"));
    EXPECT_EQ(Bits(at60.circuit.RotorResistance), Bits(c.RotorResistance));
    EXPECT_EQ(Bits(at60.circuit.StatorResistance), Bits(c.StatorResistance));
}

TEST(CalcEquivalentCircuitTest, AngularFrequencyIsTakenWithTheModelsConstant) {
    // Reactance over the stored 314.15930176 rad/s (50 Hz) or 0.6283186 at or below 0.1 Hz.
    Calculated a;
    CalcEquivalentCircuit(TextNameplate(DefaultFields()), a.circuit, 50.0f);
    Calculated b;
    CalcEquivalentCircuit(TextNameplate(DefaultFields()), b.circuit, 0.1f);
    Calculated c;
    CalcEquivalentCircuit(TextNameplate(DefaultFields()), c.circuit, -5.0f);
    EXPECT_EQ(static_cast<float>(6.283186L * 50), 314.15930176f);
    EXPECT_EQ(Bits(b.circuit.Magnetizing), Bits(c.circuit.Magnetizing));
    // 50 Hz is 500 times 0.1 Hz up to rounding.
    EXPECT_NEAR(b.circuit.Magnetizing / a.circuit.Magnetizing, 500.0f, 0.001f);
}

TEST(CalcEquivalentCircuitTest, ShowsTheBoxThenTheButtonWhenAnyLineIsWritten) {
    Calculated fallback; // the solver's line alone
    CalcEquivalentCircuit(TextNameplate(FieldsWith(6, "20")), fallback.circuit, 50.0f);
    EXPECT_EQ(fallback.memo.lines.size(), 1u);
    EXPECT_EQ(fallback.memo.control.calls, (Lines{"front", "show"}));
    EXPECT_EQ(fallback.ok.calls, (Lines{"front", "show"}));
    EXPECT_LT(std::fabs(fallback.circuit.StatorLeakage), 1e-6f);
}

TEST(CalcEquivalentCircuitTest, ErrorLeavesTheRecordAndTheBoxAlone) {
    Calculated run;
    run.circuit.Magnetizing = 7;
    EXPECT_THROW(CalcEquivalentCircuit(TextNameplate(FieldsWith(1, "-")), run.circuit, 50.0f),
                 ConversionError);
    EXPECT_EQ(run.circuit.Magnetizing, 7.0f);
    EXPECT_TRUE(run.memo.control.calls.empty());
}

} // namespace
