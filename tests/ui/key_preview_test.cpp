// The window's key preview. Only digits, the two separators, Backspace and
// cut, copy and paste reach a box; the decimal key becomes the locale's
// separator; an input box takes one separator only. The release of any key
// but Up and Right wipes every result off the window.
#include "motor_session.h"

#include <QClipboard>
#include <QGuiApplication>
#include <tuple>

namespace {

struct LocaleCase {
    const char* name;
    const char* locale;
    char separator;
};

const LocaleCase Locales[] = {{"Point", PointLocale, '.'}, {"Comma", CommaLocale, ','}};

struct FilterCase {
    const char* name;
    bool powerBox;     // MVAEdit, else input row 3
    const char* start; // typed into the emptied box; nullptr keeps its text
    const char* keys;
    const char* shows; // 'S' stands for the locale's separator
};

const FilterCase FilterCases[] = {
    {"CommaIsTheSeparator", false, "12", ",5", "12S5"},
    {"SecondPointInAnInputBoxIsDropped", false, "12", ".5.", "12S5"},
    {"CommaAfterPointInAnInputBoxIsDropped", false, "12", ".5,", "12S5"},
    // The default texts carry ',' under either locale.
    {"DefaultInputRefusesBothSeparators", false, nullptr, ".,3", "0,023"},
    {"SecondPointInTheBasePowerBoxIsKept", true, "1", "..", "1SS"},
    {"LettersSignsAndBlankAreDropped", false, "12", "aZe-+ ", "12"},
    {"OnlyDigitsPassInTheBasePowerBox", true, "1", "x0-E+234", "10234"}};

class KeyFilter : public MainWindow,
                  public ::testing::WithParamInterface<std::tuple<LocaleCase, FilterCase>> {
protected:
    KeyFilter() : MainWindow(std::get<0>(GetParam()).locale) {}
};

// Each case starts in an input box that holds a separator: leaving the
// array clears its mark, so a base box never refuses a separator.
TEST_P(KeyFilter, TypedKeysReachTheBoxFilteredAndMapped) {
    const auto& [locale, c] = GetParam();
    ASSERT_EQ(F().SeparatorChar, locale.separator);
    QLineEdit& box = c.powerBox ? *F().MVAEdit : Input(3);
    ClickInto(Input(1));
    if (c.start == nullptr) {
        ClickInto(box);
    } else {
        Enter(box, "");
        Type(c.start);
    }
    Type(c.keys);
    QString expected = c.shows;
    EXPECT_EQ(box.text(), expected.replace('S', QChar(locale.separator)));
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyFilter,
                         ::testing::Combine(::testing::ValuesIn(Locales),
                                            ::testing::ValuesIn(FilterCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// Cut, copy, paste and Backspace pass, other control keys do not; pasted
// text is not filtered.
struct ControlCase {
    const char* name;
    const char* clipboard;
    std::vector<QKeyCombination> keys; // after "15" is typed into input row 3
    const char* shows;
};

constexpr QKeyCombination Ctrl(Qt::Key key) {
    return Qt::ControlModifier | key;
}
constexpr QKeyCombination SelectAll = Qt::ShiftModifier | Qt::Key_Home;

const ControlCase ControlCases[] = {
    {"BackspaceErases", "", {Qt::Key_Backspace}, "1"},
    {"CtrlZDoesNotUndo", "", {Ctrl(Qt::Key_Z)}, "15"},
    {"CtrlADoesNotSelect", "", {Ctrl(Qt::Key_A), Qt::Key_7}, "157"},
    {"EnterAndEscapeInsertNothing", "", {Qt::Key_Return, Qt::Key_Escape}, "15"},
    {"CopyThenPaste", "", {SelectAll, Ctrl(Qt::Key_C), Qt::Key_End, Ctrl(Qt::Key_V)}, "1515"},
    {"CutThenPasteTwice",
     "",
     {SelectAll, Ctrl(Qt::Key_X), Ctrl(Qt::Key_V), Ctrl(Qt::Key_V)},
     "1515"},
    {"PastedTextIsNotFiltered", "-x 2", {Ctrl(Qt::Key_V)}, "15-x 2"},
    {"PastedSeparatorIsKept", ".2", {Qt::Key_Period, Ctrl(Qt::Key_V)}, "15..2"}};

class ControlKeys : public MainWindow, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlKeys, PassOrAreDropped) {
    Enter(Input(3), "15");
    QGuiApplication::clipboard()->setText(QString::fromLatin1(GetParam().clipboard));
    for (const QKeyCombination key : GetParam().keys) {
        Tap(key.key(), key.keyboardModifiers());
    }
    EXPECT_EQ(Input(3).text(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlKeys, ::testing::ValuesIn(ControlCases), RowName);

struct ReleaseCase {
    const char* name;
    Qt::Key key;
    bool keeps;
};

const ReleaseCase ReleaseCases[] = {{"Up", Qt::Key_Up, true},        {"Right", Qt::Key_Right, true},
                                    {"Left", Qt::Key_Left, false},   {"Down", Qt::Key_Down, false},
                                    {"Shift", Qt::Key_Shift, false}, {"Digit", Qt::Key_7, false}};

class KeyRelease : public MainWindow, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(KeyRelease, InAnInputOrABaseBoxKeepsOrClearsTheResults) {
    for (QLineEdit* box : {static_cast<QLineEdit*>(&Input(3)), F().kVEdit}) {
        SCOPED_TRACE(box->accessibleName().toStdString());
        Calculate();
        const std::string calculated = Shown();
        ClickInto(*box);
        Press(GetParam().key);
        EXPECT_EQ(Shown(), calculated);
        Release(GetParam().key);
        EXPECT_EQ(Shown(), GetParam().keeps ? calculated : Cleared);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyRelease, ::testing::ValuesIn(ReleaseCases), RowName);

} // namespace
