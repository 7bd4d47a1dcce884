// A click on Calculate shows the circuit three times over: on the diagram,
// in the rows for the simulator and in per-unit against the typed base
// power, base voltage and frequency. Each base box is coloured by its own
// text alone, and nothing per-unit shows unless all three are valid.
#include "motor_session.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using Calculate = MainWindow;

TEST_F(Calculate, ShowsTheCircuitAtTheFrequencyChosenWhenClicked) {
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
    EXPECT_TRUE(F().ErrMemo->isHidden());
    EXPECT_TRUE(F().OKBut->isHidden());
    W().Click(*F().Freq60);
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt60Hz());
    W().Click(*F().Freq50);
    EXPECT_EQ(W().Shown(), DefaultResultsAt60Hz());
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(Calculate, BaseBoxesKeepTheirColoursUntilTheNextCalculation) {
    W().Enter(*F().MVAEdit, "0");
    W().Enter(*F().FreqEdit, "");
    W().Calculate();
    ASSERT_EQ(W().BaseColours(), "YWY");
    W().Enter(*F().MVAEdit, "1");
    W().Enter(*F().FreqEdit, "50");
    EXPECT_EQ(W().BaseColours(), "YWY");
    W().Calculate();
    EXPECT_EQ(W().BaseColours(), "WWW");
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

struct BaseCase {
    const char* name;
    const char* mva;
    const char* kv;
    const char* freq;
    const char* colours; // as BaseColours gives them
    // Empty when a base box is invalid, and then all five per-unit boxes are.
    const char* zLabel;
    const char* magnetizingPu;
    const char* statorResistancePu;
};

// 4.70204 ohm against a base of 4 ohm is 1.17551 pu; 0.411444 H at the
// typed 33 Hz is 6.2831853 x 33 x 0.411444 = 85.3109 ohm (85.3110 with the
// inductances' 6.283186).
const BaseCase BaseCases[] = {
    {"ZeroPower", "0", "1", "50", "YWW", "", "", ""},
    {"EmptyFrequency", "1", "1", "", "WWY", "", "", ""},
    {"EmptyPowerAndVoltage", "", "", "50", "YYW", "", "", ""},
    {"MalformedFrequencyWithValidVoltage", "1", "2", "5..5", "WWY", "", "", ""},
    {"BlanksOnlyVoltage", "1", "   ", "50", "WYW", "", "", ""},
    {"NegativeVoltage", "1", "-2", "50", "WYW", "", "", ""},
    {"TwoNumbersUseTheFirst", "1", "2 3", "50", "WWW", "base Z = 4.0 Ohm", "   32.3148 pu",
     "   1.17551 pu"},
    {"ReactancesUseTheTypedFrequency", "1", "1", "33", "WWW", "base Z = 1.0 Ohm", "   85.3109 pu",
     "   4.70204 pu"},
};

class BaseBoxes : public MainWindow, public ::testing::WithParamInterface<BaseCase> {};

TEST_P(BaseBoxes, ColourEachBoxAndShowPerUnitOnlyWhenAllAreValid) {
    const BaseCase& c = GetParam();
    W().Enter(*F().MVAEdit, c.mva);
    W().Enter(*F().kVEdit, c.kv);
    W().Enter(*F().FreqEdit, c.freq);
    W().Calculate();

    EXPECT_EQ(W().BaseColours(), c.colours);
    const ShownResults shown = W().Shown();
    // The circuit itself is shown whatever the bases.
    EXPECT_EQ(shown.diagram, DefaultResultsAt50Hz().diagram);
    EXPECT_EQ(shown.rows, DefaultResultsAt50Hz().rows);
    EXPECT_EQ(shown.zLabel.toStdString(), c.zLabel);
    if (*c.zLabel == '\0') {
        EXPECT_EQ(shown.perUnit, (std::array<QString, 5>{}));
    } else {
        EXPECT_EQ(shown.perUnit[0].toStdString(), c.magnetizingPu);
        EXPECT_EQ(shown.perUnit[2].toStdString(), c.statorResistancePu);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseBoxes, ::testing::ValuesIn(BaseCases), RowName);

} // namespace
