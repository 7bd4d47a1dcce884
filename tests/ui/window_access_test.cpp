// The window as a keyboard, mouse or screen-reader user meets it beyond the
// key filter: keys on buttons, right clicks into the edit array, number keys
// told by key, the keep-on-top toggle, the focus of the output boxes and the
// names a screen reader reads.
#include "motor_session.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct ButtonKeyCase {
    const char* name;
    bool ok; // OKBut of a shown warning box; CalcBut otherwise
    Qt::Key key;
    Qt::KeyboardModifiers mods;
};

const ButtonKeyCase ButtonKeyCases[] = {
    {"SpaceCalculates", false, Qt::Key_Space, {}},
    {"ReturnCalculates", false, Qt::Key_Return, {}},
    {"KeypadEnterCalculates", false, Qt::Key_Enter, Qt::KeypadModifier},
    {"SpaceClosesTheWarnings", true, Qt::Key_Space, {}},
    {"ReturnClosesTheWarnings", true, Qt::Key_Return, {}},
    {"KeypadEnterClosesTheWarnings", true, Qt::Key_Enter, Qt::KeypadModifier},
};

class ButtonKeys : public MainWindow, public ::testing::WithParamInterface<ButtonKeyCase> {};

// The press only holds the button down; the release first clears the
// results, then clicks, so that Calculate's results stay.
TEST_P(ButtonKeys, PressTheFocusedButtonOnTheRelease) {
    const ButtonKeyCase& c = GetParam();
    if (c.ok) {
        W().Enter(W().Input(6), "20");
        W().Calculate();
        ASSERT_TRUE(F().ErrMemo->isVisible());
    }
    const auto clicked = [&] {
        return c.ok ? F().ErrMemo->isHidden() && F().OKBut->isHidden()
                    : W().Shown() == DefaultResultsAt50Hz();
    };
    (c.ok ? F().OKBut : F().CalcBut)->setFocus();
    W().Press(c.key, c.mods);
    EXPECT_FALSE(clicked());
    W().Release(c.key, c.mods);
    EXPECT_TRUE(clicked());
}

INSTANTIATE_TEST_SUITE_P(Keys, ButtonKeys, ::testing::ValuesIn(ButtonKeyCases), RowName);

struct ClickCase {
    const char* name;
    Qt::MouseButton button;
};

const ClickCase ClickCases[] = {{"Left", Qt::LeftButton}, {"Right", Qt::RightButton}};

class ClickIntoAnInputBox : public MainWindow, public ::testing::WithParamInterface<ClickCase> {};

// Row 2 holds "12.50" and has been left, which clears its separator mark. A
// click 101 px into the 136-px box leaves three character cells right of it.
TEST_P(ClickIntoAnInputBox, SetsCposAndTheSeparatorMarkWithEitherButton) {
    W().Enter(W().Input(2), "12.50");
    W().ClickInto(W().Input(5));
    QWindow* const handle = F().windowHandle();
    const QPoint at = W().Input(2).mapTo(&F(), QPoint(101, 12));
    // The watch for unexpected windows would close the menu if a loaded
    // machine gave it a turn within the click.
    const ModalBoxes::Paused paused(Boxes());
    QTest::mousePress(handle, GetParam().button, {}, at);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseRelease(handle, GetParam().button, {}, at);
    if (GetParam().button == Qt::RightButton) {
        // The box's menu, opened on the release, closed from the keyboard.
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QWidget* const menu = QApplication::activePopupWidget();
        ASSERT_NE(qobject_cast<QMenu*>(menu), nullptr);
        QTest::keyClick(menu, Qt::Key_Escape);
    }
    EXPECT_EQ(F().InputArray->Cpos, 3);
    EXPECT_EQ(F().InputArray->OldCpos, 3);
    W().Type(",.");
    EXPECT_EQ(W().Input(2).text().toStdString(), "12.50");
}

INSTANTIATE_TEST_SUITE_P(Buttons, ClickIntoAnInputBox, ::testing::ValuesIn(ClickCases), RowName);

// Keys as an X server sends them: the key named by the character it types,
// its keycode (0 where unknown, as from QTest) and the character.
struct NumberKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    quint32 keycode;
    const char* text;
};

const NumberKeyCase NumberKeyCases[] = {
    {"ShiftedDigit1", Qt::Key_Exclam, Qt::ShiftModifier, 0, "!"},
    {"AccentedLetterOnDigitKey2", Qt::Key_Eacute, {}, 11, "\u00e9"},
};

class NumberKeys : public MainWindow, public ::testing::WithParamInterface<NumberKeyCase> {};

TEST_P(NumberKeys, MarkAChangeThoughTheirCharactersAreDropped) {
    const NumberKeyCase& c = GetParam();
    W().ClickInto(W().Input(3));
    ASSERT_FALSE(F().InputArray->Changed);
    if (c.keycode == 0) {
        W().Tap(c.key, c.mods);
    } else {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, c.key, c.mods, c.keycode, 0, 0, QString::fromUtf8(c.text));
            QApplication::sendEvent(QApplication::focusWidget(), &key);
        }
    }
    EXPECT_TRUE(F().InputArray->Changed);
    EXPECT_EQ(W().Input(3).text().toStdString(), "0,02");
}

INSTANTIATE_TEST_SUITE_P(Keys, NumberKeys, ::testing::ValuesIn(NumberKeyCases), RowName);

using KeepOnTop = MainWindow;

TEST_F(KeepOnTop, TogglesTheStackingOfTheSameNativeWindowAndKeepsTheFocus) {
    W().ClickInto(W().Input(3));
    QWindow* const handle = F().windowHandle();
    const WId id = F().winId();
    for (const bool above : {true, false}) {
        W().Click(*F().TopBut);
        EXPECT_EQ(F().TopBut->isChecked(), above);
        EXPECT_EQ(handle->flags().testFlag(Qt::WindowStaysOnTopHint), above);
        EXPECT_EQ(F().windowFlags().testFlag(Qt::WindowStaysOnTopHint), above);
        EXPECT_EQ(F().windowHandle(), handle);
        EXPECT_EQ(F().winId(), id);
        EXPECT_TRUE(F().isActiveWindow());
        EXPECT_EQ(QApplication::focusWidget(), &W().Input(3));
    }
}

using OutputBoxes = MainWindow;

// Borderless and read-only, they look like labels; with the focus they show
// a caret, and nothing else changes.
TEST_F(OutputBoxes, ShowTheFocusAndOnlyTheFocus) {
    W().Calculate();
    for (QLineEdit* box :
         {F().MagEdit, F().dqEdit, F().StatRedit, F().RotRedit, F().RotLedit, F().MagPuEdit,
          F().dqpuEdit, F().StatRpuEdit, F().RotRpuEdit, F().RotLpuEdit}) {
        SCOPED_TRACE(box->accessibleName().toStdString());
        W().ClickInto(W().Input(1));
        const QImage unfocused = box->grab().toImage();
        W().Click(*box);
        ASSERT_TRUE(box->hasFocus());
        EXPECT_NE(box->grab().toImage(), unfocused);
        W().ClickInto(W().Input(1));
        EXPECT_EQ(box->grab().toImage(), unfocused);
    }
}

using ScreenReader = MainWindow;

TEST_F(ScreenReader, FindsANameForEveryBoxAndButtonAndTheLabelsOfTheInputs) {
    int named = 0;
    for (QWidget* control : F().ClientArea()->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(control) == nullptr &&
            qobject_cast<QPlainTextEdit*>(control) == nullptr &&
            qobject_cast<QAbstractButton*>(control) == nullptr) {
            continue;
        }
        const QString name =
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty())
            << control->metaObject()->className() << " at " << control->x() << "," << control->y();
        named += name.isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(named, 24 + 5); // the boxes, and TopBut, CalcBut, OKBut, Freq50, Freq60
    const QLabel* const labels[] = {F().VoltLab, F().PowLab, F().SlipLab,
                                    F().EffLab,  F().pfLab,  F().LockLab};
    for (int row = 1; row <= 6; ++row) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&W().Input(row))->text(QAccessible::Name),
                  labels[row - 1]->text());
    }
}

} // namespace
