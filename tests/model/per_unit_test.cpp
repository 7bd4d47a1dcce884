#include "fp_errors.h"
#include "model_test_support.h"
#include "per_unit.h"

namespace {

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
        const PerUnitTexts texts = Show(r.mva, r.kv, r.freq);
        const bool valid = r.mvaValid && r.kvValid && r.freqValid;
        EXPECT_EQ(texts.baseImpedance, valid ? "base Z = 1.0 Ohm" : "");
        EXPECT_EQ(texts.perUnit[4], valid ? "   6.67712 pu" : "");
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
