// The window as a keyboard, mouse or screen-reader user meets it: keys on
// buttons, right clicks into the edit array, number keys told by key, the
// keep-on-top toggle, the focus of the output boxes and the names read out.
#include "motor_session.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>
#include <tuple>

namespace {

struct ButtonKey {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
};

const ButtonKey ButtonKeyCases[] = {{"Space", Qt::Key_Space, {}},
                                    {"Return", Qt::Key_Return, {}},
                                    {"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier}};

// OKBut of a shown warning box, or CalcBut.
class ButtonKeys : public MainWindow,
                   public ::testing::WithParamInterface<std::tuple<bool, ButtonKey>> {};

// The press only holds the button down; the release first clears the
// results, then clicks, so that Calculate's results stay.
TEST_P(ButtonKeys, PressTheFocusedButtonOnTheRelease) {
    const auto& [ok, c] = GetParam();
    if (ok) {
        Enter(Input(6), "20");
        Calculate();
        ASSERT_TRUE(F().ErrMemo->isVisible());
    }
    const auto clicked = [&] {
        return ok ? F().ErrMemo->isHidden() && F().OKBut->isHidden() : Shown() == At50;
    };
    (ok ? F().OKBut : F().CalcBut)->setFocus();
    Press(c.key, c.mods);
    EXPECT_FALSE(clicked());
    Release(c.key, c.mods);
    EXPECT_TRUE(clicked());
}

INSTANTIATE_TEST_SUITE_P(Keys, ButtonKeys,
                         ::testing::Combine(::testing::Bool(), ::testing::ValuesIn(ButtonKeyCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) ? "Ok" : "Calculate") +
                                    std::get<1>(info.param).name;
                         });

using Access = MainWindow;

// Row 2 holds "12.50" and has been left, which clears its separator mark. A
// click 101 px into the 136-px box leaves three character cells right of it.
// The right button's release runs MouseUp before the box's menu opens, as
// the left button's does (Navigation.ClickSetsCposFromTheCellsRightOfIt).
TEST_F(Access, RightClickSetsCposAndTheSeparatorMarkBeforeTheMenu) {
    Enter(Input(2), "12.50");
    ClickInto(Input(5));
    const QPoint at = Input(2).mapTo(&F(), QPoint(101, 12));
    QTest::mousePress(F().windowHandle(), Qt::RightButton, {}, at);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseRelease(F().windowHandle(), Qt::RightButton, {}, at);
    QWidget* const menu = QApplication::activePopupWidget(); // closed from the keyboard
    ASSERT_NE(qobject_cast<QMenu*>(menu), nullptr);
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_EQ(std::pair(F().InputArray->Cpos, F().InputArray->OldCpos), std::pair(3, 3));
    Type(",.");
    EXPECT_EQ(Input(2).text(), "12.50");
}

// Keys as an X server sends them: named by the character typed, with the
// keycode (0 where unknown, as from QTest).
struct NumberKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    quint32 keycode;
    const char* text;
};

const NumberKeyCase NumberKeyCases[] = {
    {"ShiftedDigit1", Qt::Key_Exclam, Qt::ShiftModifier, 0, "!"},
    {"ShiftedComma", Qt::Key_Less, Qt::ShiftModifier, 0, "<"},
    {"ShiftedPeriod", Qt::Key_Greater, Qt::ShiftModifier, 0, ">"},
    {"AccentedLetterOnDigitKey2", Qt::Key_Eacute, {}, 11, "\u00e9"}};

class NumberKeys : public MainWindow, public ::testing::WithParamInterface<NumberKeyCase> {};

TEST_P(NumberKeys, MarkAChangeThoughTheirCharactersAreDropped) {
    const NumberKeyCase& c = GetParam();
    ClickInto(Input(3));
    ASSERT_FALSE(F().InputArray->Changed);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, c.key, c.mods, c.keycode, 0, 0, QString::fromUtf8(c.text));
        QApplication::sendEvent(QApplication::focusWidget(), &key);
    }
    EXPECT_TRUE(F().InputArray->Changed);
    EXPECT_EQ(Input(3).text(), "0,02");
}

INSTANTIATE_TEST_SUITE_P(Keys, NumberKeys, ::testing::ValuesIn(NumberKeyCases), RowName);

TEST_F(Access, KeepOnTopTogglesTheSameNativeWindowAndKeepsTheFocus) {
    ClickInto(Input(3));
    QWindow* const handle = F().windowHandle();
    const WId id = F().winId();
    for (const bool above : {true, false}) {
        Click(*F().TopBut);
        EXPECT_EQ(F().TopBut->isChecked(), above);
        EXPECT_EQ(handle->flags().testFlag(Qt::WindowStaysOnTopHint), above);
        EXPECT_EQ(F().windowFlags().testFlag(Qt::WindowStaysOnTopHint), above);
        EXPECT_EQ(F().windowHandle(), handle);
        EXPECT_EQ(F().winId(), id);
        EXPECT_TRUE(F().isActiveWindow());
        EXPECT_EQ(QApplication::focusWidget(), &Input(3));
    }
}

// Borderless and read-only, they look like labels; with the focus they show
// a caret, and nothing else changes.
TEST_F(Access, OutputBoxesShowTheFocusAndOnlyTheFocus) {
    Calculate();
    for (QLineEdit* box :
         {F().MagEdit, F().dqEdit, F().StatRedit, F().RotRedit, F().RotLedit, F().MagPuEdit,
          F().dqpuEdit, F().StatRpuEdit, F().RotRpuEdit, F().RotLpuEdit}) {
        SCOPED_TRACE(box->accessibleName().toStdString());
        ClickInto(Input(1));
        const QImage unfocused = box->grab().toImage();
        Click(*box);
        ASSERT_TRUE(box->hasFocus());
        EXPECT_NE(box->grab().toImage(), unfocused);
        ClickInto(Input(1));
        EXPECT_EQ(box->grab().toImage(), unfocused);
    }
}

// Every box and button: 24 boxes, TopBut, CalcBut, OKBut, Freq50, Freq60;
// an input row is named by its label.
TEST_F(Access, ScreenReaderFindsANameForEveryBoxAndButtonAndTheInputLabels) {
    int named = 0;
    for (QWidget* control : F().ClientArea()->findChildren<QWidget*>()) {
        const QString name =
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        if (control->inherits("QLineEdit") || control->inherits("QPlainTextEdit") ||
            control->inherits("QAbstractButton")) {
            named += name.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_EQ(named, 29);
    const QLabel* const labels[] = {F().VoltLab, F().PowLab, F().SlipLab,
                                    F().EffLab,  F().pfLab,  F().LockLab};
    for (int row = 1; row <= 6; ++row) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&Input(row))->text(QAccessible::Name),
                  labels[row - 1]->text());
    }
}

} // namespace
