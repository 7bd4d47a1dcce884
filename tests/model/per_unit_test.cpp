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

double ValueOf(const std::string& text) {
    EXPECT_EQ(text.substr(10), " pu");
    return std::stod(text.substr(0, 10));
}

TEST(PerUnitTest, DefaultBasesGiveOneOhmAndTheOhmicValues) {
    const PerUnitDisplay d = CalcPerUnit("1", "1", "50", Circuit(50.0f));
    ASSERT_TRUE(d.Shown);
    EXPECT_EQ(d.Zb, 1.0f);
    EXPECT_EQ(d.ZLabelText, "base Z = 1.0 Ohm");
    const char* expected[] = {"129.259", "6.67712", "4.70204", "1.55080", "6.67712"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(About(ValueOf(d.Texts[i]), expected[i])) << d.Texts[i];
    }
    // Each text is the display form of its value.
    EXPECT_EQ(d.Texts[2], FormatValue(Circuit(50.0f).StatorResistance) + " pu");
    EXPECT_EQ(d.Texts[1], d.Texts[4]);
}

TEST(PerUnitTest, ReactancesUseTheTypedFrequencyAndAllScaleWithTheBase) {
    const PerUnitDisplay d = CalcPerUnit("1", "1", "50", Circuit(60.0f));
    EXPECT_TRUE(About(ValueOf(d.Texts[0]), "107.716"));
    EXPECT_TRUE(About(ValueOf(d.Texts[2]), "4.70204"));
    const PerUnitDisplay scaled = CalcPerUnit("2", "4", "50", Circuit(50.0f)); // 16 / 2 ohm
    EXPECT_EQ(scaled.Zb, 8.0f);
    EXPECT_EQ(scaled.ZLabelText, "base Z = 8.0 Ohm");
    EXPECT_TRUE(About(ValueOf(scaled.Texts[3]), "0.193850"));
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
    const PerUnitDisplay d = CalcPerUnit(b.mva, b.kv, b.freq, Circuit(50.0f));
    EXPECT_EQ(d.Bases.MVA.Valid(), b.mvaValid);
    EXPECT_EQ(d.Bases.kV.Valid(), b.kvValid);
    EXPECT_EQ(d.Bases.Freq.Valid(), b.freqValid);
    const bool all = b.mvaValid && b.kvValid && b.freqValid;
    EXPECT_EQ(d.Shown, all);
    if (all) {
        EXPECT_EQ(d.Zb, 1.0f); // of the first number of each text
    } else {
        EXPECT_EQ(d.ZLabelText, "");
        for (const std::string& t : d.Texts) {
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

TEST(PerUnitTest, ErrorsArisingInTheArithmetic) {
    const TEquivalentCircuit& c = Circuit(50.0f);
    // Zb beyond the 32-bit range.
    EXPECT_THROW(CalcPerUnit("1e-30", "1e30", "50", c), FloatOverflowError);
    // Zb that rounds to 0: the first per-unit value divides by zero, after
    // the label text has been made.
    const PerUnitBases zero = ReadPerUnitBases("1", "1e-30", "50");
    ASSERT_TRUE(zero.AllValid());
    const float Zb = BaseImpedance(zero);
    EXPECT_EQ(Zb, 0.0f);
    EXPECT_EQ(BaseImpedanceText(Zb), "base Z = 0.0 Ohm");
    EXPECT_THROW(PerUnitValue(PerUnitQuantity::Magnetizing, c, 50, Zb), FloatZeroDivideError);
    // A Zb so small that a per-unit value leaves the 32-bit range.
    EXPECT_THROW(CalcPerUnit("1", "1e-20", "50", c), FloatOverflowError);
    // A base text the conversion refuses.
    EXPECT_THROW(CalcPerUnit("1", "1", "E2", c), ConversionError);
}

} // namespace
