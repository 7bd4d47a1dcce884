// The warning box: shown by a calculation that needed a substitute, in front
// of the controls it covers, closed with its OK button, dragged with the
// mouse with the button following.
#include "motor_session.h"

#include <QScrollBar>

namespace {

constexpr const char* FallbackLine = "cannot solve parameters. Ilocked/Inom. =    11.1366";

class WarningBox : public MainWindow {
protected:
    // A locked-rotor current ratio of 20 is out of reach of the default
    // name-plate: the circuit without leakage stands in.
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindow::SetUp());
        Enter(Input(6), "20");
        Calculate();
    }

    bool BoxAndOkShown() { return F().ErrMemo->isVisible() && F().OKBut->isVisible(); }
};

TEST_F(WarningBox, ShowsTheFallbackInFrontUntilOkAndEmptiesOnACleanCalculation) {
    EXPECT_EQ(F().ErrMemo->toPlainText(), FallbackLine);
    QWidget& area = *F().ClientArea();
    EXPECT_EQ(area.childAt(F().ErrMemo->geometry().center()), F().ErrMemo->viewport());
    EXPECT_EQ(area.childAt(F().OKBut->geometry().center()), F().OKBut);
    ClickInto(Input(3)); // a key's release clears the results and leaves the box
    Tap(Qt::Key_Left);
    EXPECT_EQ(Shown(), Cleared);
    EXPECT_TRUE(BoxAndOkShown());

    Click(*F().OKBut);
    EXPECT_TRUE(F().ErrMemo->isHidden() && F().OKBut->isHidden() &&
                F().ErrMemo->toPlainText() == FallbackLine);

    // A calculation without warnings leaves a shown box shown, and empty.
    Calculate();
    Enter(Input(6), "5");
    Calculate();
    EXPECT_TRUE(BoxAndOkShown() && F().ErrMemo->toPlainText().isEmpty());
    EXPECT_EQ(Shown(), At50);
}

TEST_F(WarningBox, DragMovesItByTheMouseTravelWithOkFlushAtItsRight) {
    QWindow* const handle = F().windowHandle();
    const QPoint grab(40, 30);
    const QPoint start = F().ErrMemo->viewport()->mapTo(&F(), grab);
    QTest::mouseMove(handle, start);
    QTest::mousePress(handle, Qt::LeftButton, {}, start);
    QTest::mouseMove(handle, start + QPoint(30, -20));
    EXPECT_EQ(F().ErrMemo->pos(), QPoint(150, 280));
    QTest::mouseMove(handle, start + QPoint(-50, 10));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(-50, 10));
    EXPECT_EQ(F().ErrMemo->geometry(), QRect(70, 310, 300, 81));
    EXPECT_EQ(F().OKBut->geometry(), QRect(370, 310, 25, 81));
    EXPECT_EQ(QPoint(F().GrabX, F().GrabY), grab); // from the last move without the button

    Click(*F().OKBut);
    Calculate();
    EXPECT_TRUE(BoxAndOkShown());
    EXPECT_EQ(F().OKBut->pos(), QPoint(370, 310));
}

// Every name-plate value out of its range, and a locked-rotor ratio that the
// substitutes cannot meet: seven lines, more than the box shows, each
// brought into view by the keys.
TEST_F(WarningBox, ShowsSevenLinesWithoutAScrollBarAndScrollsByKeys) {
    for (int row = 1; row <= 6; ++row) {
        Enter(Input(row), row == 3 ? "0.9" : "0");
    }
    Calculate();
    ASSERT_EQ(F().ErrMemo->document()->blockCount(), 7);
    QScrollBar& lines = *F().ErrMemo->verticalScrollBar();
    EXPECT_FALSE(lines.isVisible() || F().ErrMemo->horizontalScrollBar()->isVisible());
    ASSERT_GT(lines.maximum(), 0);
    Click(*F().ErrMemo);
    Tap(Qt::Key_Home);
    EXPECT_EQ(lines.value(), 0);
    for (int line = 1; line < 7; ++line) {
        Tap(Qt::Key_Down);
    }
    EXPECT_EQ(lines.value(), lines.maximum());
}

} // namespace
