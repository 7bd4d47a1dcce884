// The per-unit display against the typed base power, base voltage and
// frequency: each base box is coloured by its own text alone, and nothing
// per-unit shows unless all three are valid.
#include "motor_session.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <ostream>

namespace {

const QColor White(255, 255, 255);
const QColor Yellow(255, 255, 0);

QColor BaseOf(const QLineEdit& box) {
    return box.palette().color(QPalette::Base);
}

struct BaseCase {
    const char* name;
    const char* mva;
    const char* kv;
    const char* freq;
    bool mvaValid;
    bool kvValid;
    bool freqValid;
    // Only when all three are valid.
    const char* zLabel;
    const char* statorResistancePu;
};

void PrintTo(const BaseCase& c, std::ostream* os) {
    *os << c.name;
}

class BaseBoxes : public MainWindow, public ::testing::WithParamInterface<BaseCase> {};

TEST_P(BaseBoxes, EachBoxIsWhiteWhenValidAndYellowWhenNot) {
    const BaseCase& c = GetParam();
    W().Enter(*F().MVAEdit, c.mva);
    W().Enter(*F().kVEdit, c.kv);
    W().Enter(*F().FreqEdit, c.freq);
    W().Calculate();

    EXPECT_EQ(BaseOf(*F().MVAEdit), c.mvaValid ? White : Yellow);
    EXPECT_EQ(BaseOf(*F().kVEdit), c.kvValid ? White : Yellow);
    EXPECT_EQ(BaseOf(*F().FreqEdit), c.freqValid ? White : Yellow);
    // The circuit itself is shown whatever the bases.
    EXPECT_EQ(W().Shown().diagram, DefaultResultsAt50Hz().diagram);
    EXPECT_EQ(W().Shown().rows, DefaultResultsAt50Hz().rows);

    const ShownResults shown = W().Shown();
    if (c.zLabel == nullptr) {
        EXPECT_EQ(shown.zLabel.toStdString(), "");
        EXPECT_EQ(shown.perUnit, (std::array<QString, 5>{}));
    } else {
        EXPECT_EQ(shown.zLabel.toStdString(), c.zLabel);
        EXPECT_EQ(F().StatRpuEdit->text().toStdString(), c.statorResistancePu);
    }
}

// 4.70204 ohm against a base of 4 ohm is 1.17551 pu.
const BaseCase BaseCases[] = {
    {"Defaults", "1", "1", "50", true, true, true, "base Z = 1.0 Ohm", "   4.70204 pu"},
    {"ZeroPower", "0", "1", "50", false, true, true, nullptr, nullptr},
    {"EmptyFrequency", "1", "1", "", true, true, false, nullptr, nullptr},
    {"EmptyPowerAndVoltage", "", "", "50", false, false, true, nullptr, nullptr},
    {"MalformedFrequencyWithValidVoltage", "1", "2", "5..5", true, true, false, nullptr, nullptr},
    {"BlanksOnlyVoltage", "1", "   ", "50", true, false, true, nullptr, nullptr},
    {"NegativeVoltage", "1", "-2", "50", true, false, true, nullptr, nullptr},
    {"TwoNumbersUseTheFirst", "1", "2 3", "50", true, true, true, "base Z = 4.0 Ohm",
     "   1.17551 pu"},
    {"TwoNumbersInThePowerBox", "1 7", "1", "50", true, true, true, "base Z = 1.0 Ohm",
     "   4.70204 pu"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BaseBoxes, ::testing::ValuesIn(BaseCases),
                         [](const auto& info) { return std::string(info.param.name); });

using PerUnit = MainWindow;

TEST_F(PerUnit, CorrectedBasesTurnAllThreeBoxesWhiteAgain) {
    W().Enter(*F().MVAEdit, "0");
    W().Enter(*F().FreqEdit, "");
    W().Calculate();
    ASSERT_EQ(BaseOf(*F().MVAEdit), Yellow);
    ASSERT_EQ(BaseOf(*F().FreqEdit), Yellow);

    W().Enter(*F().MVAEdit, "1");
    W().Enter(*F().FreqEdit, "50");
    W().Calculate();
    EXPECT_EQ(BaseOf(*F().MVAEdit), White);
    EXPECT_EQ(BaseOf(*F().kVEdit), White);
    EXPECT_EQ(BaseOf(*F().FreqEdit), White);
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(PerUnit, EditingABaseBoxDoesNotRecolourItBeforeTheNextCalculation) {
    W().Calculate();
    W().Enter(*F().MVAEdit, "0");
    EXPECT_EQ(BaseOf(*F().MVAEdit), White);
}

TEST_F(PerUnit, ReactancesUseTheTypedFrequencyNotTheChosenOne) {
    W().Enter(*F().FreqEdit, "60");
    W().Calculate();
    // 0.411444 H at 60 Hz: 6.2831853 x 60 x 0.411444 is 155.111.
    EXPECT_EQ(F().MagPuEdit->text().toStdString(), "   155.111 pu");
    EXPECT_EQ(F().StatRpuEdit->text().toStdString(), "   4.70204 pu");
}

} // namespace
