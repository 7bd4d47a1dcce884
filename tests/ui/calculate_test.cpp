// Calculate shows the circuit on the diagram, in the simulator's rows and in
// per-unit against the typed bases; each base box is coloured by its own
// text, and nothing per-unit shows unless all three are valid. A number the
// conversion refuses ends the click where it arises, with an error box.
#include "motor_session.h"

namespace {

using Calculation = MainWindow;

TEST_F(Calculation, BaseBoxesKeepTheirColoursUntilTheNextCalculation) {
    Enter(*F().MVAEdit, "0");
    Enter(*F().FreqEdit, "");
    Calculate();
    ASSERT_EQ(BaseColours(), "YWY");
    Enter(*F().MVAEdit, "1");
    Enter(*F().FreqEdit, "50");
    EXPECT_EQ(BaseColours(), "YWY");
    Calculate();
    EXPECT_EQ(BaseColours(), "WWW");
    EXPECT_EQ(Shown(), At50);
}

struct BaseCase {
    const char* name;
    const char* mva;
    const char* kv;
    const char* freq;
    const char* colours;
    std::string perUnit; // with ZLabel; empty when a base is invalid
};

// 0.411444 H at the typed 33 Hz is 6.2831853 x 33 x 0.411444 = 85.3109
// ohm (85.3110 with the inductances' 6.283186).
const BaseCase BaseCases[] = {
    {"ZeroPower", "0", "1", "50", "YWW", "|||||"},
    {"SecondNumberMalformed", "1 x", "1", "50", "YWW", "|||||"},
    {"EmptyFrequency", "1", "1", "", "WWY", "|||||"},
    {"EmptyPowerAndVoltage", "", "", "50", "YYW", "|||||"},
    {"MalformedFrequency", "1", "2", "5..5", "WWY", "|||||"},
    {"BlanksOnlyVoltage", "1", "   ", "50", "WYW", "|||||"},
    {"NegativeVoltage", "1", "-2", "50", "WYW", "|||||"},
    {"EitherSeparatorAndATrailingPoint", "1", "1,0", "50.", "WWW",
     "   129.259 pu|   6.67712 pu|   4.70204 pu|    1.5508 pu|   6.67712 pu|base Z = 1.0 Ohm"},
    {"TwoNumbersUseTheFirst", "1", "2 3", "50", "WWW",
     "   32.3148 pu|   1.66928 pu|   1.17551 pu|  0.387699 pu|   1.66928 pu|base Z = 4.0 Ohm"},
    {"ReactancesUseTheTypedFrequency", "1", "1", "33", "WWW",
     "   85.3109 pu|    4.4069 pu|   4.70204 pu|    1.5508 pu|    4.4069 pu|base Z = 1.0 Ohm"}};

class BaseBoxes : public MainWindow, public ::testing::WithParamInterface<BaseCase> {};

TEST_P(BaseBoxes, ColourEachBoxAndShowPerUnitOnlyWhenAllAreValid) {
    Enter(*F().MVAEdit, GetParam().mva);
    Enter(*F().kVEdit, GetParam().kv);
    Enter(*F().FreqEdit, GetParam().freq);
    Calculate();
    EXPECT_EQ(BaseColours(), GetParam().colours);
    EXPECT_EQ(Shown(), Circuit50 + "|" + GetParam().perUnit);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseBoxes, ::testing::ValuesIn(BaseCases), RowName);

struct ErrorCase {
    const char* name;
    int inputRow;                    // the box: this input row, or when 0
    QLineEdit* TMotorForm::*baseBox; // this base box
    const char* text;
    const char* message;
};

const ErrorCase ErrorCases[] = {
    {"InputBeyondTheFloatRange", 1, nullptr, "999e36", "Floating point overflow."},
    {"InputExponentWithoutDigits", 4, nullptr, "e5", "'e5' is not a valid floating point value."},
    {"MalformedBasePower", 0, &TMotorForm::MVAEdit, "e5",
     "'e5' is not a valid floating point value."},
    {"BaseImpedanceBeyondTheFloatRange", 0, &TMotorForm::kVEdit, "1e20",
     "Floating point overflow."}};

class ErrorBoxes : public MainWindow, public ::testing::WithParamInterface<ErrorCase> {};

// An input box fails before any output is written; a base box after the
// circuit, before the base impedance, the per-unit values and the colours.
TEST_P(ErrorBoxes, EndTheClickWhereTheErrorArisesAndTheProgramGoesOn) {
    const ErrorCase& c = GetParam();
    QLineEdit& box = c.inputRow > 0 ? Input(c.inputRow) : *(F().*c.baseBox);
    const QString before = box.text();
    Calculate();
    Click(*F().Freq60);
    box.setText(QString::fromLatin1(c.text)); // no key, whose release clears the results
    Calculate();
    EXPECT_EQ(TakeBoxes(), std::vector{ErrorBox(c.message)});
    EXPECT_EQ(Shown(),
              (c.inputRow > 0 ? Circuit50 : Circuit60) + "|" + PerUnit50 + "|base Z = 1.0 Ohm");
    EXPECT_EQ(BaseColours(), "WWW");
    EXPECT_TRUE(F().ErrMemo->isHidden());
    box.setText(before);
    Calculate();
    EXPECT_EQ(Shown(), At60);
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorBoxes, ::testing::ValuesIn(ErrorCases), RowName);

TEST_F(Calculation, WarningsBeforeAFailingRowStayInTheHiddenBox) {
    Input(1).setText("0");
    Input(3).setText("e5");
    Calculate();
    EXPECT_EQ(TakeBoxes(), std::vector{ErrorBox("'e5' is not a valid floating point value.")});
    EXPECT_EQ(F().ErrMemo->toPlainText(), "too small nominal voltage");
    EXPECT_TRUE(F().ErrMemo->isHidden());
}

} // namespace
