#include "format_value.h"
#include "fp_errors.h"
#include "model_test_support.h"
#include "per_unit.h"

#include <string>

namespace {

// The default name plate, calculated at the frequency given.
const TEquivalentCircuit& Circuit(float frequency) {
    static Calculation at50, at60;
    Calculation& run = frequency == 50.0f ? at50 : at60;
    return run.Run(DefaultFields(), frequency).circuit;
}

// What the display routine writes for three base texts.
struct Display {
    PerUnitBases bases;
    PerUnitTexts texts;
};

Display Show(const char* mva, const char* kv, const char* freq, const TEquivalentCircuit& c) {
    Display d;
    d.bases = ReadPerUnitBases(mva, kv, freq);
    WritePerUnitDisplay(d.bases, c, d.texts);
    return d;
}

double ValueOf(const std::string& text) {
    EXPECT_EQ(text.substr(10), " pu");
    return std::stod(text.substr(0, 10));
}

TEST(PerUnitTest, DefaultBasesGiveOneOhmAndTheOhmicValues) {
    const Display d = Show("1", "1", "50", Circuit(50.0f));
    EXPECT_EQ(d.texts.baseImpedance, "base Z = 1.0 Ohm");
    const char* expected[] = {"129.259", "6.67712", "4.70204", "1.55080", "6.67712"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(About(ValueOf(d.texts.perUnit[i]), expected[i])) << d.texts.perUnit[i];
    }
    // Each text is the display form of its value.
    EXPECT_EQ(d.texts.perUnit[2], FormatValue(Circuit(50.0f).StatorResistance) + " pu");
    EXPECT_EQ(d.texts.perUnit[1], d.texts.perUnit[4]);
}

TEST(PerUnitTest, ReactancesUseTheTypedFrequencyAndAllScaleWithTheBase) {
    const Display d = Show("1", "1", "50", Circuit(60.0f));
    EXPECT_TRUE(About(ValueOf(d.texts.perUnit[0]), "107.716"));
    EXPECT_TRUE(About(ValueOf(d.texts.perUnit[2]), "4.70204"));
    const Display scaled = Show("2", "4", "50", Circuit(50.0f)); // 16 / 2 ohm
    EXPECT_EQ(scaled.texts.baseImpedance, "base Z = 8.0 Ohm");
    EXPECT_TRUE(About(ValueOf(scaled.texts.perUnit[3]), "0.193850"));
}

struct BaseRow {
    const char* name;
    const char* mva;
    const char* kv;
    const char* freq;
    bool mvaValid, kvValid, freqValid;
};

class BaseBoxTest : public testing::TestWithParam<BaseRow> {};

TEST_P(BaseBoxTest, EachBoxIsJudgedByItsOwnText) {
    const BaseRow& b = GetParam();
    const Display d = Show(b.mva, b.kv, b.freq, Circuit(50.0f));
    EXPECT_EQ(d.bases.MVA.Valid(), b.mvaValid);
    EXPECT_EQ(d.bases.kV.Valid(), b.kvValid);
    EXPECT_EQ(d.bases.Freq.Valid(), b.freqValid);
    if (b.mvaValid && b.kvValid && b.freqValid) {
        // Of the first number of each text.
        EXPECT_EQ(d.texts.baseImpedance, "base Z = 1.0 Ohm");
    } else {
        EXPECT_EQ(d.texts.baseImpedance, "");
        for (const std::string& t : d.texts.perUnit) {
            EXPECT_EQ(t, "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, BaseBoxTest,
    testing::Values(BaseRow{"power_0", "0", "1", "50", false, true, true},
                    BaseRow{"negative_voltage", "1", "-1", "50", true, false, true},
                    BaseRow{"empty_frequency", "1", "1", "", true, true, false},
                    BaseRow{"malformed_frequency", "1", "1", "5x", true, true, false},
                    BaseRow{"second_token_malformed", "1 x", "1", "50", false, true, true},
                    BaseRow{"two_numbers_use_the_first", "1 7", "1,0", "50.", true, true, true},
                    BaseRow{"all_bad", "", "a", "0", false, false, false}),
    RowName);

// An error ends the display where it arises; what was written stays.
TEST(PerUnitTest, ErrorsArisingInTheArithmetic) {
    const TEquivalentCircuit& c = Circuit(50.0f);
    const auto show = [&](const char* mva, const char* kv, PerUnitTexts& texts) {
        WritePerUnitDisplay(ReadPerUnitBases(mva, kv, "50"), c, texts);
    };
    // Zb beyond the 32-bit range: nothing written.
    PerUnitTexts none;
    none.baseImpedance = "kept";
    EXPECT_THROW(show("1e-30", "1e30", none), FloatOverflowError);
    EXPECT_EQ(none.baseImpedance, "kept");
    // Zb that rounds to 0: the label, then a division by zero.
    PerUnitTexts zero;
    EXPECT_THROW(show("1", "1e-30", zero), FloatZeroDivideError);
    EXPECT_EQ(zero.baseImpedance, "base Z = 0.0 Ohm");
    // A Zb so small that the first per-unit value leaves the 32-bit range.
    PerUnitTexts tiny;
    EXPECT_THROW(show("1", "1e-20", tiny), FloatOverflowError);
    EXPECT_EQ(tiny.baseImpedance, "base Z = 0.0 Ohm");
    EXPECT_EQ(tiny.perUnit[0], "");
    // A base text the conversion refuses.
    EXPECT_THROW(ReadPerUnitBases("1", "1", "E2"), ConversionError);
}

} // namespace
