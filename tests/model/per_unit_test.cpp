#include "format_value.h"
#include "fp_errors.h"
#include "model_test_support.h"
#include "per_unit.h"
#include "test_doubles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// Rows print as their names in test listings.
template <typename NamedRow>
requires requires(const NamedRow& r) {
    r.name;
}
void PrintTo(const NamedRow& r, std::ostream* os) {
    *os << r.name;
}

struct Circuit {
    RecordingMemo memo;
    RecordingControl ok;
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = ok};
    explicit Circuit(float frequency) {
        CalcEquivalentCircuit(TextNameplate(DefaultFields()), circuit, frequency);
    }
};

double ValueOf(const std::string& text) {
    EXPECT_EQ(text.substr(10), " pu");
    return std::stod(text.substr(0, 10));
}

TEST(PerUnitTest, DefaultBasesGiveOneOhmAndTheOhmicValues) {
    const Circuit c(50.0f);
    const PerUnitDisplay d = CalcPerUnit("1", "1", "50", c.circuit);
    ASSERT_TRUE(d.Shown);
    EXPECT_EQ(d.Zb, 1.0f);
    EXPECT_EQ(d.ZLabelText, "base Z = 1.0 Ohm");
    const char* expected[] = {"129.259", "6.67712", "4.70204", "1.55080", "6.67712"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(About(ValueOf(d.Texts[i]), expected[i])) << d.Texts[i];
    }
    // Each text is the display form of its value.
    EXPECT_EQ(d.Texts[2], FormatValue(c.circuit.StatorResistance) + " pu");
    EXPECT_EQ(d.Texts[1], d.Texts[4]);
}

TEST(PerUnitTest, ReactancesUseTheTypedFrequency) {
    const Circuit c(60.0f);
    const PerUnitDisplay d = CalcPerUnit("1", "1", "50", c.circuit);
    EXPECT_TRUE(About(ValueOf(d.Texts[0]), "107.716"));
    EXPECT_TRUE(About(ValueOf(d.Texts[2]), "4.70204"));
}

TEST(PerUnitTest, BaseImpedanceScalesEveryValue) {
    const Circuit c(50.0f);
    const PerUnitDisplay d = CalcPerUnit("2", "4", "50", c.circuit); // 16 / 2 = 8 ohm
    EXPECT_EQ(d.Zb, 8.0f);
    EXPECT_EQ(d.ZLabelText, "base Z = 8.0 Ohm");
    EXPECT_TRUE(About(ValueOf(d.Texts[3]), "0.193850"));
}

struct BaseCase {
    const char* name;
    const char* mva;
    const char* kv;
    const char* freq;
    bool mvaValid, kvValid, freqValid;
};

class BaseBoxTest : public testing::TestWithParam<BaseCase> {};

TEST_P(BaseBoxTest, EachBoxIsJudgedByItsOwnText) {
    const BaseCase& b = GetParam();
    const Circuit c(50.0f);
    const PerUnitDisplay d = CalcPerUnit(b.mva, b.kv, b.freq, c.circuit);
    EXPECT_EQ(d.Bases.MVA.Valid(), b.mvaValid);
    EXPECT_EQ(d.Bases.kV.Valid(), b.kvValid);
    EXPECT_EQ(d.Bases.Freq.Valid(), b.freqValid);
    const bool all = b.mvaValid && b.kvValid && b.freqValid;
    EXPECT_EQ(d.Shown, all);
    if (!all) {
        EXPECT_EQ(d.ZLabelText, "");
        for (const std::string& t : d.Texts) {
            EXPECT_EQ(t, "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, BaseBoxTest,
    testing::Values(BaseCase{"power_0", "0", "1", "50", false, true, true},
                    BaseCase{"negative_voltage", "1", "-1", "50", true, false, true},
                    BaseCase{"empty_frequency", "1", "1", "", true, true, false},
                    BaseCase{"blank_frequency", "1", "1", "   ", true, true, false},
                    BaseCase{"malformed_frequency", "1", "1", "5x", true, true, false},
                    BaseCase{"second_token_malformed", "1 x", "1", "50", false, true, true},
                    BaseCase{"two_numbers_use_the_first", "1 7", "1,0", "50.", true, true, true},
                    BaseCase{"all_bad", "", "a", "0", false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PerUnitTest, TwoNumbersUseTheFirst) {
    const Circuit c(50.0f);
    EXPECT_EQ(CalcPerUnit("1 7", "1", "50", c.circuit).Zb, 1.0f);
}

TEST(PerUnitTest, ErrorsArisingInTheArithmetic) {
    const Circuit c(50.0f);
    // Zb beyond the 32-bit range.
    EXPECT_THROW(CalcPerUnit("1e-30", "1e30", "50", c.circuit), FloatOverflowError);
    // Zb that rounds to 0: the first per-unit value divides by zero, after
    // the label text has been made.
    const PerUnitBases zero = ReadPerUnitBases("1", "1e-30", "50");
    ASSERT_TRUE(zero.AllValid());
    const float Zb = BaseImpedance(zero);
    EXPECT_EQ(Zb, 0.0f);
    EXPECT_EQ(BaseImpedanceText(Zb), "base Z = 0.0 Ohm");
    EXPECT_THROW(PerUnitValue(PerUnitQuantity::Magnetizing, c.circuit, 50, Zb),
                 FloatZeroDivideError);
    // A Zb so small that a per-unit value leaves the 32-bit range.
    EXPECT_THROW(CalcPerUnit("1", "1e-20", "50", c.circuit), FloatOverflowError);
    // A base text the conversion refuses.
    EXPECT_THROW(CalcPerUnit("1", "1", "E2", c.circuit), ConversionError);
}

} // namespace
