// The help window: created hidden, shown by the Help command, its text box
// kept as tall as the window's outer height less 24.
#include "motor_session.h"
#include "window_frame.h"

#include <QAction>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {

class HelpWindow : public MainWindow {
protected:
    QPlainTextEdit& Memo() { return *Help().HelpMemo; }
    void ChooseHelp() { Click(*F().FileMenu, F().FileMenu->actionGeometry(F().Help1).center()); }
    QString Line(int number) { return Memo().document()->findBlockByNumber(number - 1).text(); }
};

TEST_F(HelpWindow, TextHasItsFiftyEightLinesWithTheirBlanks) {
    EXPECT_EQ(Memo().document()->blockCount(), 58);
    EXPECT_EQ(Line(1),
              "This program calculates the inductances and resistances of the equivalent ");
    EXPECT_EQ(Line(27), "(1-s) * Rr' / s  of the equivalent circuit divided by the power "
                        "consumed in all the  ");
    EXPECT_EQ(Line(35), "- - - - - - - - - - - - - - - - - -");
    EXPECT_EQ(Line(40), "- - - - - - - - - - - - - - - - - - ");
    EXPECT_EQ(Line(58), "      The warning-box can be moved with the mouse");
    EXPECT_TRUE(Line(4).startsWith('(') && Line(4).endsWith(')') && Line(4).contains('@'));
    EXPECT_TRUE(Memo().isReadOnly());
}

TEST_F(HelpWindow, HelpShowsAndRestoresItWithTheTextBoxFollowingTheHeightOnly) {
    EXPECT_EQ(Help().windowTitle(), "Help");
    ChooseHelp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Help()));
    EXPECT_EQ(OuterSize(Help()), QSize(497, 350));
    EXPECT_EQ(Memo().geometry(), QRect(0, 0, 481, 326));
    // The contact line fits on one line; the address does not wrap.
    EXPECT_EQ(Memo().document()->findBlockByNumber(3).layout()->lineCount(), 1);
    EXPECT_TRUE(F().isVisible());
    EXPECT_FALSE(Help().isModal());

    const QRect geometry = Help().geometry();
    ChooseHelp();
    EXPECT_EQ(Help().geometry(), geometry);
    const int frame = OuterSize(Help()).height() - Help().height();
    for (const int height : {400, 200}) {
        Help().resize(600 - height, height);
        EXPECT_EQ(Memo().geometry(), QRect(0, 0, 481, height + frame - 24));
    }
    for (const Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        Help().setWindowState(state);
        ChooseHelp();
        EXPECT_EQ(Help().windowState(), Qt::WindowNoState);
        EXPECT_TRUE(Help().isVisible());
    }
    // Closing only hides it, and the text keeps its scroll position.
    QScrollBar& bar = *Memo().verticalScrollBar();
    bar.setValue(bar.maximum() / 2);
    const int scrolled = bar.value();
    ASSERT_GT(scrolled, 0);
    EXPECT_TRUE(Help().close());
    EXPECT_TRUE(Help().isHidden() && F().isVisible());
    ChooseHelp();
    EXPECT_EQ(bar.value(), scrolled);
}

} // namespace
