#include "edit_array.h"
#include "gui_window.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records the calls of the overridable hooks, in order.
class HookedArray : public TEditArray {
public:
    std::vector<std::string> calls;

    void AdditionalDownArrow1() override { calls.emplace_back("down1"); }
    void AdditionalDownArrow2() override { calls.emplace_back("down2"); }
    void AdditionalRightArrow() override { calls.emplace_back("right"); }
};

// Where PasteSelStart puts a caret: cpos characters from the right end, or
// the start of a shorter text.
int CaretFor(const QString& text, int cpos) {
    const auto length = static_cast<int>(text.size());
    return length >= cpos ? length - cpos : 0;
}

class Navigation : public ::testing::Test {
protected:
    void SetUp() override {
        other_ = new QLineEdit(&window_.Widget());
        other_->move(300, 300);
        array_.Initialize(&window_.Widget(), &window_.Widget(), 32, 40, 6, 1);
        const char* const texts[] = {"7", "12,50", "0,80", "1", "123,45", ""};
        for (int32_t r = 1; r <= 6; ++r) {
            array_.WriteEntry(r, 1, texts[r - 1]);
        }
        ASSERT_TRUE(window_.ShowActive());
    }

    TAlignEdit& BoxAt(int32_t row) { return *array_.Box(row, 1); }

    int32_t CurrentRow() const {
        int32_t row = 0;
        int32_t col = 0;
        array_.GetIndices(row, col);
        return row;
    }

    GuiWindow window_;
    QLineEdit* other_ = nullptr;
    HookedArray array_;
};

TEST_F(Navigation, EnteringABoxMakesItCurrent) {
    array_.AcTime = -1.0;
    array_.SetBoxActive(4, 1);
    EXPECT_TRUE(BoxAt(4).hasFocus());
    EXPECT_EQ(CurrentRow(), 4);
    EXPECT_EQ(array_.BoxRow, 4);
    EXPECT_EQ(array_.BoxCol, 1);
    EXPECT_EQ(array_.OldRow, 1);
    EXPECT_GE(array_.GetAcTime(), 0.0);
}

TEST_F(Navigation, UpInRowOneOnlyEnablesRowTwo) {
    array_.SetBoxActive(1, 1);
    BoxAt(2).setEnabled(false);
    window_.Press(Qt::Key_Up);
    EXPECT_TRUE(BoxAt(2).isEnabled());
    EXPECT_TRUE(BoxAt(1).hasFocus());
    EXPECT_EQ(CurrentRow(), 1);
    window_.Release(Qt::Key_Up);
}

TEST_F(Navigation, UpFromRowThreeMovesAndAlignsTheCarets) {
    array_.SetBoxActive(3, 1);
    window_.Tap(Qt::Key_Left);
    ASSERT_EQ(array_.Cpos, 1);

    // Press: the box left behind is disabled until the key is released.
    window_.Press(Qt::Key_Up);
    EXPECT_FALSE(BoxAt(3).isEnabled());
    EXPECT_TRUE(BoxAt(2).hasFocus());
    EXPECT_EQ(CurrentRow(), 2);
    EXPECT_EQ(array_.OldRow, 3);

    window_.Release(Qt::Key_Up);
    EXPECT_TRUE(BoxAt(1).isEnabled());
    EXPECT_TRUE(BoxAt(3).isEnabled());
    for (const int32_t r : {1, 3, 4, 5, 6}) {
        EXPECT_EQ(BoxAt(r).cursorPosition(), CaretFor(BoxAt(r).text(), 1)) << "row " << r;
        EXPECT_FALSE(BoxAt(r).hasSelectedText());
    }
}

TEST_F(Navigation, EnableOldEnablesTheBoxLeftBehind) {
    array_.SetBoxActive(3, 1);
    window_.Press(Qt::Key_Up);
    ASSERT_FALSE(BoxAt(3).isEnabled());
    array_.EnableOld();
    EXPECT_TRUE(BoxAt(3).isEnabled());
    window_.Release(Qt::Key_Up);
}

TEST_F(Navigation, DownMovesOneRowAndCallsTheFirstHook) {
    array_.SetBoxActive(2, 1);
    BoxAt(1).setEnabled(false);
    window_.Press(Qt::Key_Down);
    EXPECT_TRUE(BoxAt(1).isEnabled());
    EXPECT_FALSE(BoxAt(2).isEnabled());
    EXPECT_TRUE(BoxAt(3).hasFocus());
    EXPECT_EQ(CurrentRow(), 3);
    EXPECT_EQ(array_.calls, std::vector<std::string>{"down1"});
    window_.Release(Qt::Key_Down);
    EXPECT_TRUE(BoxAt(2).isEnabled());
}

TEST_F(Navigation, DownInTheLastRowCallsBothHooksAndStays) {
    array_.SetBoxActive(6, 1);
    BoxAt(5).setEnabled(false);
    window_.Press(Qt::Key_Down);
    EXPECT_TRUE(BoxAt(5).isEnabled());
    EXPECT_TRUE(BoxAt(6).hasFocus());
    EXPECT_EQ(CurrentRow(), 6);
    EXPECT_EQ((array_.calls), (std::vector<std::string>{"down1", "down2"}));
    window_.Release(Qt::Key_Down);
}

TEST_F(Navigation, HeldDownKeyMovesARowPerRepeat) {
    array_.SetBoxActive(1, 1);
    window_.Press(Qt::Key_Down);
    // Some windowing systems put a release before each repeated press.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&BoxAt(2), &repeatRelease);
    EXPECT_FALSE(BoxAt(1).isEnabled());
    window_.Press(Qt::Key_Down);
    EXPECT_EQ(CurrentRow(), 3);
    EXPECT_TRUE(BoxAt(1).isEnabled());
    EXPECT_FALSE(BoxAt(2).isEnabled());
    window_.Release(Qt::Key_Down);
    EXPECT_TRUE(BoxAt(2).isEnabled());
}

TEST_F(Navigation, LeftPastTheStartKeepsTheTextLength) {
    array_.WriteEntry(1, 1, "1,5");
    array_.SetBoxActive(1, 1);
    for (int32_t expected = 1; expected <= 3; ++expected) {
        window_.Tap(Qt::Key_Left);
        EXPECT_EQ(array_.Cpos, expected);
        EXPECT_EQ(array_.OldCpos, expected - 1);
    }
    EXPECT_EQ(BoxAt(1).cursorPosition(), 0);
    // At the start the caret offset is pinned to the length, not counted on.
    window_.Tap(Qt::Key_Left);
    EXPECT_EQ(array_.Cpos, 3);
    EXPECT_EQ(array_.OldCpos, 3);
    EXPECT_TRUE(array_.calls.empty());
}

TEST_F(Navigation, RightAtTheEndCallsTheRightHook) {
    array_.SetBoxActive(2, 1);
    window_.Tap(Qt::Key_Left);
    window_.Tap(Qt::Key_Left);
    window_.Tap(Qt::Key_Right);
    EXPECT_EQ(array_.Cpos, 1);
    EXPECT_EQ(array_.OldCpos, 2);
    EXPECT_TRUE(array_.calls.empty());
    window_.Tap(Qt::Key_Right);
    window_.Tap(Qt::Key_Right);
    EXPECT_EQ(array_.Cpos, 0);
    EXPECT_EQ(array_.OldCpos, 0);
    EXPECT_EQ(array_.calls, std::vector<std::string>{"right"});
}

TEST_F(Navigation, DeleteFollowsTheCharacterRemovedRightOfTheCaret) {
    array_.SetBoxActive(2, 1);
    window_.Tap(Qt::Key_Delete);
    EXPECT_EQ(array_.Cpos, 0);
    EXPECT_EQ(array_.OldCpos, 0);
    EXPECT_EQ(BoxAt(2).text(), "12,50");

    window_.Tap(Qt::Key_Left);
    window_.Tap(Qt::Key_Left);
    window_.Tap(Qt::Key_Delete);
    EXPECT_EQ(BoxAt(2).text(), "12,0");
    EXPECT_EQ(array_.Cpos, 1);
    EXPECT_EQ(array_.OldCpos, 2);
    EXPECT_EQ(BoxAt(2).cursorPosition(), 3);
}

TEST_F(Navigation, OnlyMainKeyboardEditingKeysMarkAChange) {
    array_.SetBoxActive(6, 1);
    window_.Tap(Qt::Key_Left);
    window_.Tap(Qt::Key_Up);
    window_.Tap(Qt::Key_5, Qt::KeypadModifier);
    window_.Tap(Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_FALSE(array_.Changed);
    window_.Tap(Qt::Key_5);
    EXPECT_TRUE(array_.Changed);
}

TEST_F(Navigation, ClickSetsCposFromTheCellsRightOfIt) {
    window_.Click(BoxAt(2), QPoint(101, 12));
    ASSERT_TRUE(BoxAt(2).hasFocus());
    EXPECT_EQ(CurrentRow(), 2);
    EXPECT_EQ(array_.Cpos, 3);
    EXPECT_EQ(array_.OldCpos, 3);
    EXPECT_EQ(BoxAt(1).cursorPosition(), 0); // '7' is shorter than 3
    EXPECT_EQ(BoxAt(3).cursorPosition(), 1); // after the '0' of '0,80'
    EXPECT_EQ(BoxAt(2).TagB(), 1);
}

TEST_F(Navigation, ClickAtTheLeftEdgeIsCappedAtTenCells) {
    window_.Click(BoxAt(2), QPoint(0, 12));
    EXPECT_EQ(array_.Cpos, 5);
    array_.WriteEntry(4, 1, "123456789012");
    window_.Click(BoxAt(4), QPoint(0, 12));
    EXPECT_EQ(array_.Cpos, 10);
}

TEST_F(Navigation, EnteringAShorterBoxCutsCpos) {
    window_.Click(BoxAt(2), QPoint(101, 12));
    ASSERT_EQ(array_.Cpos, 3);
    window_.Tap(Qt::Key_Up);
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_EQ(array_.Cpos, 1);
    EXPECT_EQ(array_.OldCpos, 1);
}

TEST_F(Navigation, TagBFollowsTheSeparatorAtKeyRelease) {
    array_.SetBoxActive(6, 1);
    window_.Tap(Qt::Key_1);
    EXPECT_EQ(BoxAt(6).TagB(), 0);
    window_.Tap(Qt::Key_Comma);
    EXPECT_EQ(BoxAt(6).TagB(), 1);
    window_.Tap(Qt::Key_5);
    ASSERT_EQ(BoxAt(6).text(), "1,5");
    EXPECT_TRUE(array_.tagBset());

    window_.Tap(Qt::Key_Left);
    window_.Press(Qt::Key_Backspace);
    EXPECT_EQ(BoxAt(6).text(), "15");
    EXPECT_EQ(BoxAt(6).TagB(), 1);
    window_.Release(Qt::Key_Backspace);
    EXPECT_EQ(BoxAt(6).TagB(), 0);
    EXPECT_FALSE(array_.tagBset());
}

TEST_F(Navigation, LeavingABoxClearsItsTagB) {
    array_.SetBoxActive(2, 1);
    window_.Tap(Qt::Key_Left);
    ASSERT_EQ(BoxAt(2).TagB(), 1);
    window_.Tap(Qt::Key_Tab);
    EXPECT_EQ(BoxAt(2).TagB(), 0);
}

TEST_F(Navigation, SwitchingWindowsKeepsTagB) {
    array_.SetBoxActive(2, 1);
    window_.Tap(Qt::Key_Left);
    ASSERT_EQ(BoxAt(2).TagB(), 1);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(BoxAt(2).TagB(), 1);
    array_.AcTime = -1.0;
    window_.Widget().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_.Widget()));
    EXPECT_TRUE(BoxAt(2).hasFocus());
    EXPECT_EQ(BoxAt(2).TagB(), 1);
    EXPECT_EQ(array_.AcTime, -1.0);
}

TEST_F(Navigation, CheckActiveControlGivesColumnThenRow) {
    array_.SetBoxActive(3, 1);
    int32_t col = 0;
    int32_t row = 0;
    array_.CheckActiveControl(col, row);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 3);

    other_->setFocus();
    array_.CheckActiveControl(col, row);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
}

TEST_F(Navigation, SetBoxActivePlacesTheCaretAtCpos) {
    array_.Cpos = 2;
    array_.SetBoxActive(5, 1);
    EXPECT_EQ(BoxAt(5).cursorPosition(), 4);
    EXPECT_FALSE(BoxAt(5).hasSelectedText());
}

TEST_F(Navigation, SetBoxActiveSkipsADisabledBox) {
    BoxAt(4).setEnabled(false);
    array_.SetBoxActive(4, 1);
    EXPECT_FALSE(BoxAt(4).hasFocus());
}

TEST_F(Navigation, RestoreBoxActiveReturnsToTheLastBoxEntered) {
    array_.SetBoxActive(4, 1);
    other_->setFocus();
    array_.RestoreBoxActive();
    EXPECT_TRUE(BoxAt(4).hasFocus());
}

} // namespace
