// A number the conversion refuses or that leaves the 32-bit range ends the
// click where it arises; a modal box tells the user, and the program goes on.
#include "motor_session.h"

#include "edit_array.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

class ErrorBox : public MainWindow {
protected:
    // The one box the last click raised, as the user saw it.
    ::testing::AssertionResult ShowedOneErrorBox(const std::string& text) {
        const std::vector<SeenBox> boxes = session_.Boxes().Take();
        if (boxes.size() != 1) {
            return ::testing::AssertionFailure() << boxes.size() << " modal boxes";
        }
        const SeenBox& box = boxes.front();
        if (!box.messageBox || box.text.toStdString() != text ||
            box.title.toStdString() != "induction motor" || box.icon != QMessageBox::Critical ||
            box.buttons != QMessageBox::Ok) {
            return ::testing::AssertionFailure()
                   << "box \"" << box.title.toStdString() << "\": \"" << box.text.toStdString()
                   << "\", icon " << box.icon << ", buttons " << box.buttons.toInt();
        }
        return ::testing::AssertionSuccess();
    }

    QColor BaseOf(const QLineEdit& box) const { return box.palette().color(QPalette::Base); }
};

TEST_F(ErrorBox, PastedNumberBeyondTheFloatRangeShowsOverflowAndWritesNothing) {
    const QColor before = BaseOf(*F().MVAEdit);
    W().Enter(W().Input(1), "999e36");
    ASSERT_EQ(W().Input(1).text().toStdString(), "999e36");
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox("Floating point overflow."));
    EXPECT_EQ(W().Shown(), ClearedResults());
    EXPECT_TRUE(F().ErrMemo->isHidden());
    EXPECT_EQ(BaseOf(*F().MVAEdit), before);
}

TEST_F(ErrorBox, PastedExponentWithoutDigitsIsNotAValidFloatingPointValue) {
    W().Enter(W().Input(4), "e5");
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox("'e5' is not a valid floating point value."));
    EXPECT_EQ(W().Shown(), ClearedResults());
}

TEST_F(ErrorBox, ErrorEndsTheClickBeforeAnyOutputIsOverwritten) {
    W().Calculate();
    W().Input(2).setText(QStringLiteral("e5"));
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox("'e5' is not a valid floating point value."));
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

TEST_F(ErrorBox, WarningsBeforeTheFailingRowStayInTheHiddenBox) {
    W().Input(1).setText(QStringLiteral("0"));
    W().Input(3).setText(QStringLiteral("e5"));
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox("'e5' is not a valid floating point value."));
    EXPECT_EQ(F().ErrMemo->toPlainText().toStdString(), "too small nominal voltage");
    EXPECT_TRUE(F().ErrMemo->isHidden());
}

TEST_F(ErrorBox, BadBaseBoxEndsOnlyThePerUnitDisplay) {
    W().Enter(*F().MVAEdit, "e5");
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox("'e5' is not a valid floating point value."));
    const ShownResults shown = W().Shown();
    EXPECT_EQ(shown.diagram, DefaultResultsAt50Hz().diagram);
    EXPECT_EQ(shown.rows, DefaultResultsAt50Hz().rows);
    EXPECT_EQ(shown.perUnit, ClearedResults().perUnit);
    EXPECT_EQ(shown.zLabel.toStdString(), "");
}

TEST_F(ErrorBox, BaseImpedanceBeyondTheFloatRangeShowsOverflowAfterTheCircuit) {
    W().Enter(*F().kVEdit, "1e20");
    W().Calculate();
    EXPECT_TRUE(ShowedOneErrorBox("Floating point overflow."));
    EXPECT_EQ(W().Shown().diagram, DefaultResultsAt50Hz().diagram);
    EXPECT_EQ(F().ZLabel->text().toStdString(), "");
}

TEST_F(ErrorBox, ProgramGoesOnAfterTheBox) {
    W().Enter(W().Input(1), "999e36");
    W().Calculate();
    ASSERT_TRUE(ShowedOneErrorBox("Floating point overflow."));
    W().Enter(W().Input(1), "1");
    W().Calculate();
    EXPECT_EQ(W().Shown(), DefaultResultsAt50Hz());
}

} // namespace
