// A number the conversion refuses or that leaves the 32-bit range ends the
// click where it arises; a modal box tells the user, and the program goes on.
#include "motor_session.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <string>

namespace {

// The one box the last click raised, as the user saw it.
::testing::AssertionResult ShowedOneErrorBox(ModalBoxes& modal, const std::string& text) {
    const std::vector<SeenBox> boxes = modal.Take();
    if (boxes.size() != 1) {
        return ::testing::AssertionFailure() << boxes.size() << " modal boxes";
    }
    const SeenBox& box = boxes.front();
    if (!box.IsErrorBox() || box.text.toStdString() != text) {
        return ::testing::AssertionFailure()
               << "box \"" << box.title.toStdString() << "\": \"" << box.text.toStdString()
               << "\", icon " << box.icon << ", buttons " << box.buttons.toInt();
    }
    return ::testing::AssertionSuccess();
}

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
     "Floating point overflow."},
};

class ErrorBox : public MainWindow, public ::testing::WithParamInterface<ErrorCase> {};

// An input box fails before any output is written; a base box fails after
// the circuit is written, before the base impedance, the per-unit values
// and the colours are.
TEST_P(ErrorBox, EndsTheClickWhereTheErrorArisesAndTheProgramGoesOn) {
    const ErrorCase& c = GetParam();
    QLineEdit& box = c.inputRow > 0 ? W().Input(c.inputRow) : *(F().*c.baseBox);
    const QString before = box.text();
    W().Calculate();
    W().Click(*F().Freq60);
    // Set without keys, whose release would clear the results.
    box.setText(QString::fromLatin1(c.text));
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox(Boxes(), c.message));

    ShownResults expected = DefaultResultsAt50Hz();
    if (c.inputRow == 0) {
        expected.diagram = DefaultResultsAt60Hz().diagram;
        expected.rows = DefaultResultsAt60Hz().rows;
    }
    EXPECT_EQ(W().Shown(), expected);
    EXPECT_EQ(W().BaseColours(), "WWW");
    EXPECT_TRUE(F().ErrMemo->isHidden());

    box.setText(before);
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt60Hz());
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorBox, ::testing::ValuesIn(ErrorCases), RowName);

using ErrorAfterWarnings = MainWindow;

TEST_F(ErrorAfterWarnings, WarningsBeforeTheFailingRowStayInTheHiddenBox) {
    W().Input(1).setText(QStringLiteral("0"));
    W().Input(3).setText(QStringLiteral("e5"));
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox(Boxes(), "'e5' is not a valid floating point value."));
    EXPECT_EQ(F().ErrMemo->toPlainText().toStdString(), "too small nominal voltage");
    EXPECT_TRUE(F().ErrMemo->isHidden());
}

} // namespace
