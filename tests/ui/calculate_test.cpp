// A click on Calculate shows the circuit three times over: on the diagram,
// in the rows for the simulator and in per-unit.
#include "motor_session.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using Calculate = MainWindow;

TEST_F(Calculate, DefaultsAtFiftyHertzShowTheCircuitOnTheDiagramInTheRowsAndPerUnit) {
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
    EXPECT_TRUE(F().ErrMemo->isHidden());
    EXPECT_TRUE(F().OKBut->isHidden());
}

TEST_F(Calculate, DefaultsAtSixtyHertzShowSmallerInductancesAndTheSameResistances) {
    W().Click(*F().Freq60);
    ASSERT_TRUE(F().Freq60->isChecked());
    ASSERT_FALSE(F().Freq50->isChecked());
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt60Hz());
}

TEST_F(Calculate, ChoosingTheOtherFrequencyChangesNothingUntilTheNextCalculation) {
    W().Calculate();
    W().Click(*F().Freq60);
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt60Hz());
    W().Click(*F().Freq50);
    EXPECT_EQ(W().Shown(), DefaultResultsAt60Hz());
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(Calculate, EachCalculationOverwritesTheResultsOfTheLastOne) {
    W().Enter(W().Input(1), "2");
    W().Calculate();
    const ShownResults atTwoKilovolts = W().Shown();
    ASSERT_NE(atTwoKilovolts.diagram, DefaultResultsAt50Hz().diagram);
    W().Enter(W().Input(1), "1");
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(Calculate, KeepOnTopButtonTogglesTheWindowAboveAllOthers) {
    W().Click(*F().TopBut);
    EXPECT_TRUE(F().TopBut->isChecked());
    EXPECT_TRUE(F().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(F().isVisible());
    ASSERT_TRUE(W().ShowActive());
    W().Click(*F().TopBut);
    EXPECT_FALSE(F().TopBut->isChecked());
    EXPECT_FALSE(F().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(F().isVisible());
}

} // namespace
