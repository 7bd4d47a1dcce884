// Releasing any key but Up and Right wipes every result off the window.
#include "motor_session.h"

#include "edit_array.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct ReleaseCase {
    const char* name;
    Qt::Key key;
    bool keeps;
};

void PrintTo(const ReleaseCase& c, std::ostream* os) {
    *os << c.name;
}

const ReleaseCase ReleaseCases[] = {
    {"Up", Qt::Key_Up, true},          {"Right", Qt::Key_Right, true},
    {"Left", Qt::Key_Left, false},     {"Down", Qt::Key_Down, false},
    {"Tab", Qt::Key_Tab, false},       {"Digit", Qt::Key_7, false},
    {"Shift", Qt::Key_Shift, false},   {"Return", Qt::Key_Return, false},
    {"Letter", Qt::Key_Q, false},      {"FunctionKey", Qt::Key_F5, false},
    {"Delete", Qt::Key_Delete, false}, {"Home", Qt::Key_Home, false},
};

class KeyRelease : public MainWindow, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(KeyRelease, ReleaseInAnInputBoxKeepsOrClearsTheResults) {
    W().Calculate();
    W().ClickInto(W().Input(3));
    ASSERT_EQ(W().Shown(), DefaultResultsAt50Hz());

    W().Press(GetParam().key);
    W().Release(GetParam().key);
    EXPECT_EQ(W().Shown(), GetParam().keeps ? DefaultResultsAt50Hz() : ClearedResults());
}

TEST_P(KeyRelease, ReleaseInABaseBoxKeepsOrClearsTheResults) {
    W().Calculate();
    W().ClickInto(*F().kVEdit);
    W().Press(GetParam().key);
    W().Release(GetParam().key);
    EXPECT_EQ(W().Shown(), GetParam().keeps ? DefaultResultsAt50Hz() : ClearedResults());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyRelease, ::testing::ValuesIn(ReleaseCases),
                         [](const auto& info) { return std::string(info.param.name); });

using ResultsClearing = MainWindow;

TEST_F(ResultsClearing, DigitIsTypedOnThePressAndTheResultsGoOnTheRelease) {
    W().Calculate();
    W().ClickInto(W().Input(3));
    W().Press(Qt::Key_7);
    EXPECT_EQ(W().Input(3).text().toStdString(), "0,027");
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
    W().Release(Qt::Key_7);
    EXPECT_EQ(W().Shown(), ClearedResults());
}

TEST_F(ResultsClearing, UpMovesToTheRowAboveAndKeepsTheResults) {
    W().Calculate();
    W().ClickInto(W().Input(3));
    W().Tap(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), &W().Input(2));
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(ResultsClearing, ClearingLeavesTheWarningBoxAsItIs) {
    W().Enter(W().Input(6), "20");
    W().Calculate();
    const QString warning = F().ErrMemo->toPlainText();
    W().ClickInto(W().Input(3));
    W().Tap(Qt::Key_Left);
    EXPECT_EQ(W().Shown(), ClearedResults());
    EXPECT_TRUE(F().ErrMemo->isVisible());
    EXPECT_EQ(F().ErrMemo->toPlainText(), warning);
}

TEST_F(ResultsClearing, StartUpCaptionOfTheBaseImpedanceGoesWithTheFirstRelease) {
    W().ClickInto(*F().MVAEdit);
    W().Tap(Qt::Key_Left);
    EXPECT_EQ(F().ZLabel->text().toStdString(), "");
}

} // namespace
