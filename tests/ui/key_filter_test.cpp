// The window's character filter: only digits, the two separators,
// Backspace and cut, copy and paste reach a box; the decimal key becomes the
// locale's separator; an input box takes one separator only.
#include "motor_session.h"

#include "edit_array.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <tuple>

namespace {

enum class Target { InputBox, PowerBox };

struct FilterCase {
    const char* name;
    Target target;
    const char* start; // typed after the box has been emptied
    const char* keys;  // typed one key at a time
    const char* shows; // 'S' stands for the locale's separator
};

struct LocaleCase {
    const char* name;
    const char* locale;
    char separator;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.name;
}

void PrintTo(const LocaleCase& c, std::ostream* os) {
    *os << c.name;
}

const LocaleCase Locales[] = {{"PointSeparator", PointLocale, '.'},
                              {"CommaSeparator", CommaLocale, ','}};

const FilterCase FilterCases[] = {
    {"PointAfterDigitsIsTheSeparator", Target::InputBox, "12", ".5", "12S5"},
    {"CommaAfterDigitsIsTheSeparator", Target::InputBox, "12", ",5", "12S5"},
    {"SecondPointInAnInputBoxIsDropped", Target::InputBox, "12", ".5.", "12S5"},
    {"CommaAfterPointInAnInputBoxIsDropped", Target::InputBox, "12", ".5,", "12S5"},
    {"PointInAnInputBoxWithASeparatorIsDropped", Target::InputBox, "3,5", ".7", "3S57"},
    {"SecondPointInTheBasePowerBoxIsKept", Target::PowerBox, "1", "..", "1SS"},
    {"LettersAreDropped", Target::InputBox, "12", "aZe", "12"},
    {"SignsAndBlankAreDropped", Target::InputBox, "12", "-+ ", "12"},
    {"LettersAndSignsAreDroppedInTheBasePowerBox", Target::PowerBox, "1", "x-E+", "1"},
    {"DigitsPassEverywhere", Target::PowerBox, "1", "0234", "10234"},
};

class KeyFilter : public ::testing::TestWithParam<std::tuple<LocaleCase, FilterCase>> {
protected:
    KeyFilter() : session_(std::get<0>(GetParam()).locale) {}
    void SetUp() override { ASSERT_TRUE(session_.Start()); }

    MotorSession session_;
};

TEST_P(KeyFilter, TypedKeysReachTheBoxFilteredAndMapped) {
    const auto& [locale, c] = GetParam();
    TMotorForm& form = session_.Form();
    MotorWindow& window = session_.Window();
    ASSERT_EQ(form.SeparatorChar, locale.separator);

    QLineEdit& box =
        c.target == Target::InputBox ? static_cast<QLineEdit&>(window.Input(3)) : *form.MVAEdit;
    window.Enter(box, "");
    window.Type(c.start);
    window.Type(c.keys);

    std::string expected = c.shows;
    for (char& ch : expected) {
        if (ch == 'S') {
            ch = locale.separator;
        }
    }
    EXPECT_EQ(box.text().toStdString(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyFilter,
                         ::testing::Combine(::testing::ValuesIn(Locales),
                                            ::testing::ValuesIn(FilterCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

class UnderLocale : public ::testing::TestWithParam<LocaleCase> {
protected:
    UnderLocale() : session_(GetParam().locale) {}
    void SetUp() override { ASSERT_TRUE(session_.Start()); }

    MotorSession session_;
};

TEST_P(UnderLocale, WindowTakesTheSeparatorOfTheLocaleItWasBuiltUnder) {
    EXPECT_EQ(session_.Form().SeparatorChar, GetParam().separator);
}

// The default texts carry ',' under either locale; either separator key is
// then refused.
TEST_P(UnderLocale, DefaultInputRefusesBothSeparatorKeys) {
    MotorWindow& window = session_.Window();
    window.ClickInto(window.Input(1));
    window.Type(".,3");
    EXPECT_EQ(window.Input(1).text().toStdString(), "1,003");
}

// Leaving the input array clears its mark, so a base box never refuses a
// separator, even right after an input box that held one.
TEST_P(UnderLocale, BasePowerBoxAfterAnInputBoxWithSeparatorTakesOne) {
    MotorWindow& window = session_.Window();
    window.ClickInto(window.Input(1));
    window.ClickInto(*session_.Form().MVAEdit);
    window.Type(".");
    EXPECT_EQ(session_.Form().MVAEdit->text().toStdString(),
              std::string("1") + GetParam().separator);
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale, ::testing::ValuesIn(Locales),
                         [](const auto& info) { return std::string(info.param.name); });

// Control keys: the ones of cut, copy, paste and Backspace pass, the others
// do not.
class ControlKeys : public MainWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindow::SetUp());
        W().Enter(*F().MVAEdit, "");
        W().Type("15");
    }
};

TEST_F(ControlKeys, BackspaceErasesTheLastCharacter) {
    W().Tap(Qt::Key_Backspace);
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "1");
}

TEST_F(ControlKeys, CtrlZDoesNotUndo) {
    W().Tap(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "15");
}

TEST_F(ControlKeys, CtrlADoesNotSelect) {
    W().Tap(Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(F().MVAEdit->hasSelectedText());
}

TEST_F(ControlKeys, EnterAndEscapeInsertNothing) {
    W().Tap(Qt::Key_Return);
    W().Tap(Qt::Key_Escape);
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "15");
}

TEST_F(ControlKeys, CopyCutAndPasteWork) {
    QGuiApplication::clipboard()->clear();
    W().Tap(Qt::Key_Home, Qt::ShiftModifier);
    W().Tap(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "15");
    W().Tap(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "");
    W().Tap(Qt::Key_V, Qt::ControlModifier);
    W().Tap(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "1515");
}

TEST_F(ControlKeys, PastedTextIsNotFiltered) {
    W().Paste(QStringLiteral("-x 2"));
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "15-x 2");
}

TEST_F(ControlKeys, PastedSeparatorIsNotRefusedInAnInputBoxThatHasOne) {
    W().Enter(W().Input(2), "1.5");
    W().Paste(QStringLiteral(".2"));
    EXPECT_EQ(W().Input(2).text().toStdString(), "1.5.2");
}

} // namespace
