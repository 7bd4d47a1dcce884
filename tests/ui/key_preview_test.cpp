// The window's key preview. Only digits, the two separators, Backspace and
// cut, copy and paste reach a box; the decimal key becomes the locale's
// separator; an input box takes one separator only. The release of any key
// but Up and Right wipes every result off the window.
#include "motor_session.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

enum class Target { InputBox, PowerBox };

struct LocaleCase {
    const char* name;
    const char* locale;
    char separator;
};

const LocaleCase Locales[] = {{"PointSeparator", PointLocale, '.'},
                              {"CommaSeparator", CommaLocale, ','}};

struct FilterCase {
    const char* name;
    Target target;
    const char* start; // typed after the box has been emptied; nullptr keeps its text
    const char* keys;  // typed one key at a time
    const char* shows; // 'S' stands for the locale's separator
};

const FilterCase FilterCases[] = {
    {"PointAfterDigitsIsTheSeparator", Target::InputBox, "12", ".5", "12S5"},
    {"CommaAfterDigitsIsTheSeparator", Target::InputBox, "12", ",5", "12S5"},
    {"SecondPointInAnInputBoxIsDropped", Target::InputBox, "12", ".5.", "12S5"},
    {"CommaAfterPointInAnInputBoxIsDropped", Target::InputBox, "12", ".5,", "12S5"},
    // The default texts carry ',' under either locale.
    {"DefaultInputRefusesBothSeparatorKeys", Target::InputBox, nullptr, ".,3", "0,023"},
    {"SecondPointInTheBasePowerBoxIsKept", Target::PowerBox, "1", "..", "1SS"},
    {"LettersSignsAndBlankAreDropped", Target::InputBox, "12", "aZe-+ ", "12"},
    {"LettersAndSignsAreDroppedInTheBasePowerBox", Target::PowerBox, "1", "x-E+", "1"},
    {"DigitsPassEverywhere", Target::PowerBox, "1", "0234", "10234"},
};

class KeyFilter : public MainWindow,
                  public ::testing::WithParamInterface<std::tuple<LocaleCase, FilterCase>> {
protected:
    KeyFilter() : MainWindow(std::get<0>(GetParam()).locale) {}
};

// Each case starts in an input box that holds a separator: leaving the
// input array clears its mark, so a base box never refuses a separator.
TEST_P(KeyFilter, TypedKeysReachTheBoxFilteredAndMapped) {
    const auto& [locale, c] = GetParam();
    ASSERT_EQ(F().SeparatorChar, locale.separator);
    QLineEdit& box =
        c.target == Target::InputBox ? static_cast<QLineEdit&>(W().Input(3)) : *F().MVAEdit;
    W().ClickInto(W().Input(1));
    if (c.start == nullptr) {
        W().ClickInto(box);
    } else {
        W().Enter(box, "");
        W().Type(c.start);
    }
    W().Type(c.keys);

    std::string expected = c.shows;
    for (char& ch : expected) {
        ch = ch == 'S' ? locale.separator : ch;
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

// Control keys: those of cut, copy, paste and Backspace pass, the others do
// not; pasted text is not filtered.
struct ControlCase {
    const char* name;
    const char* clipboard;
    std::vector<QKeyCombination> keys; // tapped after "15" is typed into input row 3
    const char* shows;
};

constexpr QKeyCombination Ctrl(Qt::Key key) {
    return Qt::ControlModifier | key;
}
constexpr QKeyCombination SelectToStart = Qt::ShiftModifier | Qt::Key_Home;

const ControlCase ControlCases[] = {
    {"BackspaceErases", "", {Qt::Key_Backspace}, "1"},
    {"CtrlZDoesNotUndo", "", {Ctrl(Qt::Key_Z)}, "15"},
    {"CtrlADoesNotSelect", "", {Ctrl(Qt::Key_A), Qt::Key_7}, "157"},
    {"EnterAndEscapeInsertNothing", "", {Qt::Key_Return, Qt::Key_Escape}, "15"},
    {"CopyThenPaste", "", {SelectToStart, Ctrl(Qt::Key_C), Qt::Key_End, Ctrl(Qt::Key_V)}, "1515"},
    {"CutThenPasteTwice",
     "",
     {SelectToStart, Ctrl(Qt::Key_X), Ctrl(Qt::Key_V), Ctrl(Qt::Key_V)},
     "1515"},
    {"PastedTextIsNotFiltered", "-x 2", {Ctrl(Qt::Key_V)}, "15-x 2"},
    {"PastedSeparatorIsKeptInABoxThatHasOne", ".2", {Qt::Key_Period, Ctrl(Qt::Key_V)}, "15..2"},
};

class ControlKeys : public MainWindow, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlKeys, PassOrAreDropped) {
    W().Enter(W().Input(3), "15");
    QGuiApplication::clipboard()->setText(QString::fromLatin1(GetParam().clipboard));
    for (const QKeyCombination key : GetParam().keys) {
        W().Tap(key.key(), key.keyboardModifiers());
    }
    EXPECT_EQ(W().Input(3).text().toStdString(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlKeys, ::testing::ValuesIn(ControlCases), RowName);

struct ReleaseCase {
    const char* name;
    Qt::Key key;
    bool keeps;
};

const ReleaseCase ReleaseCases[] = {
    {"Up", Qt::Key_Up, true},      {"Right", Qt::Key_Right, true},  {"Left", Qt::Key_Left, false},
    {"Down", Qt::Key_Down, false}, {"Shift", Qt::Key_Shift, false},
};

class KeyRelease : public MainWindow, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(KeyRelease, InAnInputOrABaseBoxKeepsOrClearsTheResults) {
    for (QLineEdit* box : {static_cast<QLineEdit*>(&W().Input(3)), F().kVEdit}) {
        W().Calculate();
        W().ClickInto(*box);
        W().Press(GetParam().key);
        W().Release(GetParam().key);
        EXPECT_EQ(W().Shown(), GetParam().keeps ? DefaultResultsAt50Hz() : ClearedResults())
            << (box == F().kVEdit ? "base box" : "input box");
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyRelease, ::testing::ValuesIn(ReleaseCases), RowName);

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

} // namespace
