// The warning box: shown by a calculation that needed a substitute, closed
// with its OK button, dragged with the mouse with the button following.
#include "motor_session.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

constexpr const char* FallbackLine = "cannot solve parameters. Ilocked/Inom. =    11.1366";

class WarningBox : public MainWindow {
protected:
    // A locked-rotor current ratio of 20 is out of reach of the default
    // name-plate: the circuit without leakage stands in.
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindow::SetUp());
        W().Enter(W().Input(6), "20");
        W().Calculate();
    }

    bool BoxAndOkShown() { return F().ErrMemo->isVisible() && F().OKBut->isVisible(); }
};

TEST_F(WarningBox, ShowsTheFallbackInFrontUntilOkAndEmptiesOnACleanCalculation) {
    EXPECT_EQ(F().ErrMemo->toPlainText().toStdString(), FallbackLine);
    EXPECT_EQ(F().dqEdit->text().toStdString(), " 0.0      H");
    EXPECT_EQ(F().RotLedit->text().toStdString(), " 0.0      H");
    EXPECT_EQ(W().Result(2).text().toStdString(), " 0.0       H");
    EXPECT_EQ(F().StatRedit->text().toStdString(), "   4.70204ohm");
    // In front of the controls they cover.
    QWidget& area = *F().ClientArea();
    EXPECT_EQ(area.childAt(F().ErrMemo->geometry().center()), F().ErrMemo->viewport());
    EXPECT_EQ(area.childAt(F().OKBut->geometry().center()), F().OKBut);

    W().Click(*F().OKBut);
    EXPECT_TRUE(F().ErrMemo->isHidden());
    EXPECT_TRUE(F().OKBut->isHidden());
    EXPECT_EQ(F().ErrMemo->toPlainText().toStdString(), FallbackLine);

    // A calculation without warnings leaves a shown box shown, and empty.
    W().Calculate();
    W().Enter(W().Input(6), "5");
    W().Calculate();
    EXPECT_TRUE(BoxAndOkShown());
    EXPECT_TRUE(F().ErrMemo->toPlainText().isEmpty());
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(WarningBox, KeyReleaseClearsTheResultsAndLeavesTheBoxAsItIs) {
    W().ClickInto(W().Input(3));
    W().Tap(Qt::Key_Left);
    EXPECT_EQ(W().Shown(), ClearedResults());
    EXPECT_TRUE(BoxAndOkShown());
    EXPECT_EQ(F().ErrMemo->toPlainText().toStdString(), FallbackLine);
}

TEST_F(WarningBox, DragMovesItByTheMouseTravelWithOkFlushAtItsRightAndTheMoveStays) {
    QWindow* const handle = F().windowHandle();
    const QPoint grab(40, 30);
    const QPoint start = F().ErrMemo->viewport()->mapTo(&F(), grab);
    QTest::mouseMove(handle, start);
    EXPECT_EQ(QPoint(F().GrabX, F().GrabY), grab);

    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(handle, start + QPoint(30, -20));
    EXPECT_EQ(F().ErrMemo->pos(), QPoint(150, 280));
    QTest::mouseMove(handle, start + QPoint(-50, 10));
    EXPECT_EQ(F().ErrMemo->pos(), QPoint(70, 310));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, start + QPoint(-50, 10));
    EXPECT_EQ(F().ErrMemo->size(), QSize(300, 81));
    EXPECT_EQ(F().OKBut->geometry(), QRect(370, 310, 25, 81));
    // The grab point is where the last move without the button was.
    EXPECT_EQ(QPoint(F().GrabX, F().GrabY), grab);

    W().Click(*F().OKBut);
    W().Calculate();
    EXPECT_TRUE(BoxAndOkShown());
    EXPECT_EQ(F().ErrMemo->pos(), QPoint(70, 310));
    EXPECT_EQ(F().OKBut->pos(), QPoint(370, 310));
}

// Every name-plate value out of its range, and a locked-rotor ratio that the
// substitutes cannot meet: a line for each, seven in all.
TEST_F(WarningBox, ShowsSevenLinesWithoutAScrollBarAndScrollsByKeys) {
    const char* const inputs[] = {"0", "0", "0.9", "0", "0", "0"};
    for (int row = 1; row <= 6; ++row) {
        W().Enter(W().Input(row), inputs[row - 1]);
    }
    W().Calculate();
    ASSERT_EQ(F().ErrMemo->document()->blockCount(), 7);
    EXPECT_FALSE(F().ErrMemo->verticalScrollBar()->isVisible());
    EXPECT_FALSE(F().ErrMemo->horizontalScrollBar()->isVisible());
    // More lines than the box shows, each brought into view by the wheel or
    // the keys.
    QScrollBar& lines = *F().ErrMemo->verticalScrollBar();
    ASSERT_GT(lines.maximum(), 0);
    W().Click(*F().ErrMemo);
    QWheelEvent down({10, 10}, F().ErrMemo->viewport()->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                     Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(F().ErrMemo->viewport(), &down);
    EXPECT_GT(lines.value(), 0);
    W().Tap(Qt::Key_Home);
    EXPECT_EQ(lines.value(), 0);
    for (int line = 1; line < 7; ++line) {
        W().Tap(Qt::Key_Down);
    }
    EXPECT_EQ(lines.value(), lines.maximum());
}

} // namespace
