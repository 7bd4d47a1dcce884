// The help window: created hidden, shown by the Help command, its text box
// kept as tall as the window's outer height less 24.
#include "motor_session.h"
#include "window_frame.h"

#include <QAction>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {

using HelpWindow = MainWindow;

TEST_F(HelpWindow, HelpShowsAndRestoresItWithTheTextBoxFollowingTheHeightOnly) {
    QPlainTextEdit& memo = *Help().HelpMemo;
    const auto chooseHelp = [&] {
        Click(*F().FileMenu, F().FileMenu->actionGeometry(F().Help1).center());
    };
    // 58 lines; the contact line, in brackets, fits on one line.
    const QTextBlock contact = memo.document()->findBlockByNumber(3);
    EXPECT_EQ(memo.document()->blockCount(), 58);
    EXPECT_TRUE(contact.text().startsWith('(') && contact.text().contains('@'));
    EXPECT_TRUE(Help().isHidden() && memo.isReadOnly());
    chooseHelp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Help()));
    EXPECT_EQ(contact.layout()->lineCount(), 1);
    EXPECT_EQ(OuterSize(Help()), QSize(497, 350));
    EXPECT_EQ(memo.geometry(), QRect(0, 0, 481, 326));
    EXPECT_TRUE(F().isVisible() && !Help().isModal());
    const int frame = OuterSize(Help()).height() - Help().height();
    for (const int height : {400, 200}) {
        Help().resize(600 - height, height);
        EXPECT_EQ(memo.geometry(), QRect(0, 0, 481, height + frame - 24));
    }
    for (const Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        Help().setWindowState(state);
        chooseHelp();
        EXPECT_TRUE(Help().windowState() == Qt::WindowNoState && Help().isVisible());
    }
    // Closing only hides it, and the text keeps its scroll position.
    QScrollBar& bar = *memo.verticalScrollBar();
    bar.setValue(bar.maximum() / 2);
    const int scrolled = bar.value();
    ASSERT_GT(scrolled, 0);
    EXPECT_TRUE(Help().close());
    EXPECT_TRUE(Help().isHidden() && F().isVisible());
    chooseHelp();
    EXPECT_EQ(bar.value(), scrolled);
}

} // namespace
