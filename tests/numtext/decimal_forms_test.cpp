#include "decimal_forms.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Ties that an exactly representable float meets are rounded away from zero.
TEST(GeneralForm, RoundsExactTiesUp) {
    EXPECT_EQ(GeneralForm(1.0625f, 0, 4), "1.063");
    EXPECT_EQ(GeneralForm(1234.125f, 0, 6), "1234.13");
    EXPECT_EQ(GeneralForm(2.5f, 0, 1), "3");
    EXPECT_EQ(GeneralForm(0.125f, 0, 2), "0.13");
}

TEST(GeneralForm, RoundsOnTheExactValueNotAShorterOne) {
    // 0.45f is 0.4499999880...: below the tie.
    EXPECT_EQ(GeneralForm(0.45f, 0, 1), "0.4");
    // 0.35f is 0.3499999940...
    EXPECT_EQ(GeneralForm(0.35f, 0, 1), "0.3");
    // 1.45f is 1.4500000477...: above it.
    EXPECT_EQ(GeneralForm(1.45f, 0, 2), "1.5");
    // 2.675f is 2.6749999523...
    EXPECT_EQ(FixedForm(2.675f, 0, 2), "2.67");
}

TEST(GeneralForm, DropsTrailingZeros) {
    EXPECT_EQ(GeneralForm(12.5f, 0, 6), "12.5");
    EXPECT_EQ(GeneralForm(100.0f, 0, 6), "100");
    EXPECT_EQ(GeneralForm(0.5f, 0, 6), "0.5");
}

TEST(GeneralForm, ChoosesExponentFormLikePercentG) {
    EXPECT_EQ(GeneralForm(1e-4f, 0, 4), "0.0001");
    EXPECT_EQ(GeneralForm(0.00001234f, 0, 4), "1.234E-5");
    EXPECT_EQ(GeneralForm(1234.0f, 0, 4), "1234");
    EXPECT_EQ(GeneralForm(12345.0f, 0, 4), "1.235E4");
    EXPECT_EQ(GeneralForm(99999.9921875f, 0, 6), "100000");
    EXPECT_EQ(GeneralForm(999999.9375f, 0, 6), "1E6");
    EXPECT_EQ(GeneralForm(1e20f, 0, 4), "1E20");
    EXPECT_EQ(GeneralForm(3e-30f, 0, 4), "3E-30");
}

TEST(GeneralForm, PadsToWidthAndNeverCuts) {
    EXPECT_EQ(GeneralForm(5.0f, 7, 6), "      5");
    EXPECT_EQ(GeneralForm(123.456789f, 3, 6), "123.457");
    EXPECT_EQ(GeneralForm(0.0f, 3, 6), "  0");
}

TEST(FixedForm, WritesExactlyTheDecimalsAsked) {
    EXPECT_EQ(FixedForm(0.0078125f, 0, 6), "0.007813");
    EXPECT_EQ(FixedForm(123.5f, 0, 6), "123.500000");
    EXPECT_EQ(FixedForm(0.9999996f, 0, 6), "1.000000");
    EXPECT_EQ(FixedForm(0.0000004f, 0, 6), "0.000000");
    EXPECT_EQ(FixedForm(0.0000006f, 0, 6), "0.000001");
    EXPECT_EQ(FixedForm(0.00000001f, 0, 6), "0.000000");
    EXPECT_EQ(FixedForm(0.0f, 0, 6), "0.000000");
    EXPECT_EQ(FixedForm(1e10f, 0, 2), "10000000000.00");
    EXPECT_EQ(FixedForm(0.5f, 10, 6), "  0.500000");
}

} // namespace
