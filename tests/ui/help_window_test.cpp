// The help window: created hidden, shown by the Help command, its text box
// kept as tall as the window's outer height less 24.
#include "motor_session.h"

#include "window_frame.h"

#include <QAction>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

class HelpWindow : public MainWindow {
protected:
    THelpForm& H() { return W().Help(); }
    QPlainTextEdit& Memo() { return *W().Help().HelpMemo; }

    // The Help command, chosen with a click in the menu bar.
    void ChooseHelp() {
        W().Click(*F().FileMenu, F().FileMenu->actionGeometry(F().Help1).center());
    }

    std::string Line(int number) {
        return Memo().document()->findBlockByNumber(number - 1).text().toStdString();
    }
};

TEST_F(HelpWindow, TextHasItsFiftyEightLinesWithTheirBlanks) {
    EXPECT_EQ(Memo().document()->blockCount(), 58);
    EXPECT_EQ(Line(1),
              "This program calculates the inductances and resistances of the equivalent ");
    EXPECT_EQ(Line(2), "circuit of an induction motor from the \"name-plate\" parameters. ");
    EXPECT_EQ(Line(27), "(1-s) * Rr' / s  of the equivalent circuit divided by the power "
                        "consumed in all the  ");
    EXPECT_EQ(Line(35), "- - - - - - - - - - - - - - - - - -");
    EXPECT_EQ(Line(40), "- - - - - - - - - - - - - - - - - - ");
    EXPECT_EQ(Line(58), "      The warning-box can be moved with the mouse");
    const std::string contact = Line(4);
    EXPECT_EQ(contact.front(), '(');
    EXPECT_EQ(contact.back(), ')');
    EXPECT_NE(contact.find('@'), std::string::npos);
    EXPECT_TRUE(Memo().isReadOnly());
}

TEST_F(HelpWindow, HelpShowsAndRestoresItWithTheTextBoxFollowingTheHeightOnly) {
    EXPECT_TRUE(H().isHidden());
    EXPECT_EQ(H().windowTitle().toStdString(), "Help");
    ChooseHelp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&H()));
    EXPECT_EQ(OuterSize(H()), QSize(497, 350));
    EXPECT_EQ(Memo().geometry(), QRect(0, 0, 481, 326));
    // The contact line is one line at this width; the address does not wrap.
    EXPECT_EQ(Memo().document()->findBlockByNumber(3).layout()->lineCount(), 1);
    // Both windows stay usable.
    EXPECT_TRUE(F().isVisible());
    EXPECT_FALSE(H().isModal());

    // Help again while shown changes nothing.
    const QRect geometry = H().geometry();
    ChooseHelp();
    EXPECT_TRUE(H().isVisible());
    EXPECT_EQ(H().geometry(), geometry);
    EXPECT_EQ(H().windowState(), Qt::WindowNoState);

    const int frame = OuterSize(H()).height() - H().height();
    H().resize(600, 400);
    EXPECT_EQ(Memo().geometry(), QRect(0, 0, 481, 400 + frame - 24));
    H().resize(300, 200);
    EXPECT_EQ(Memo().geometry(), QRect(0, 0, 481, 200 + frame - 24));

    H().setWindowState(Qt::WindowMinimized);
    ChooseHelp();
    EXPECT_FALSE(H().windowState().testFlag(Qt::WindowMinimized));
    EXPECT_TRUE(H().isVisible());
    H().setWindowState(Qt::WindowMaximized);
    ChooseHelp();
    EXPECT_EQ(H().windowState(), Qt::WindowNoState);
}

TEST_F(HelpWindow, ClosingOnlyHidesItAndKeepsTheScrollPosition) {
    ChooseHelp();
    QScrollBar& bar = *Memo().verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    bar.setValue(bar.maximum() / 2);
    const int scrolled = bar.value();
    EXPECT_TRUE(H().close());
    EXPECT_TRUE(H().isHidden());
    EXPECT_TRUE(F().isVisible());
    ChooseHelp();
    EXPECT_TRUE(H().isVisible());
    EXPECT_EQ(bar.value(), scrolled);
}

} // namespace
