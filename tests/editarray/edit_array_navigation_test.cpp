#include "test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

using Calls = std::vector<std::string>;

// Records the calls of the overridable hooks, in order.
class HookedArray : public TEditArray {
public:
    Calls calls;
    void AdditionalDownArrow1() override { calls.emplace_back("down1"); }
    void AdditionalDownArrow2() override { calls.emplace_back("down2"); }
    void AdditionalRightArrow() override { calls.emplace_back("right"); }
};

// Six rows holding texts of different lengths, and a control outside them.
class Navigation : public ::testing::Test {
protected:
    void SetUp() override {
        other_->move(300, 300);
        array_.Initialize(&window_, &window_, 32, 40, 6, 1);
        const char* const texts[] = {"7", "12,50", "0,80", "1", "123,45", ""};
        for (int32_t r = 1; r <= 6; ++r) {
            array_.WriteEntry(r, 1, texts[r - 1]);
        }
        ASSERT_TRUE(window_.ShowActive());
    }

    TAlignEdit& BoxAt(int32_t row) { return *array_.Box(row, 1); }
    // Taps the keys; Cpos after each, then the row's text and caret.
    std::string Trail(int32_t row, std::initializer_list<Qt::Key> keys) {
        std::string trail;
        for (const Qt::Key key : keys) {
            window_.Tap(key);
            trail += Cpos() + " ";
        }
        return trail + aspect::Text(BoxAt(row)) + "@" + aspect::Caret(BoxAt(row));
    }
    std::string Cpos() const {
        return std::to_string(array_.Cpos) + "/" + std::to_string(array_.OldCpos);
    }
    // The current row, Cpos/OldCpos, and which rows are enabled and focused.
    std::string State() const {
        return "row " + std::to_string(array_.Row) + " cpos " + Cpos() + " enabled " +
               Column(array_, aspect::Enabled) + " focus " + Column(array_, aspect::Focus);
    }

    QtWindow window_;
    QLineEdit* other_ = new QLineEdit(&window_);
    HookedArray array_;
};

// Entering makes a box current, its caret Cpos from the end; a disabled
// box is not entered.
TEST_F(Navigation, SetBoxActiveEntersAtCposAndSkipsDisabledBoxes) {
    array_.AcTime = -1.0;
    array_.SetBoxActive(4, 1);
    EXPECT_EQ(State(), "row 4 cpos 0/0 enabled 1|1|1|1|1|1 focus 0|0|0|1|0|0");
    EXPECT_GE(array_.GetAcTime(), 0.0);
    array_.Cpos = 2;
    array_.SetBoxActive(5, 1);
    EXPECT_EQ(aspect::Caret(BoxAt(5)), "4");
    int32_t col = 0;
    int32_t row = 0;
    array_.CheckActiveControl(col, row); // column first
    EXPECT_EQ(std::pair(col, row), std::pair(1, 5));
    BoxAt(4).setEnabled(false);
    array_.SetBoxActive(4, 1);
    EXPECT_TRUE(BoxAt(5).hasFocus());
    EXPECT_EQ(aspect::Caret(BoxAt(4)), "1");

    other_->setFocus();
    array_.CheckActiveControl(col, row);
    EXPECT_EQ(std::pair(col, row), std::pair(0, 0));
    array_.RestoreBoxActive();
    EXPECT_TRUE(BoxAt(5).hasFocus());
    array_.DisableTabStopRow(6); // Tab passes it by
    window_.Tap(Qt::Key_Tab);
    EXPECT_TRUE(other_->hasFocus());
}

TEST_F(Navigation, ArrowsOutOfTheColumnOnlyEnableTheNeighbour) {
    array_.SetBoxActive(1, 1);
    BoxAt(2).setEnabled(false);
    window_.Press(Qt::Key_Up);
    EXPECT_EQ(State(), "row 1 cpos 0/0 enabled 1|1|1|1|1|1 focus 1|0|0|0|0|0");
    window_.Release(Qt::Key_Up);
    array_.SetBoxActive(6, 1);
    BoxAt(5).setEnabled(false);
    window_.Press(Qt::Key_Down);
    EXPECT_EQ(State(), "row 6 cpos 0/0 enabled 1|1|1|1|1|1 focus 0|0|0|0|0|1");
    EXPECT_EQ(array_.calls, (Calls{"down1", "down2"}));
    window_.Release(Qt::Key_Down);
    window_.Press(Qt::Key_Up); // from row 6, enabled again at the release
    window_.Release(Qt::Key_Up);
    EXPECT_EQ(Column(array_, aspect::Enabled), "1|1|1|1|1|1");
}

// The box left behind is disabled until the key is released, or EnableOld;
// at the release every other row has its caret put at Cpos from its end.
TEST_F(Navigation, UpFromRowThreeMovesAndAlignsTheCarets) {
    array_.SetBoxActive(3, 1);
    window_.Tap(Qt::Key_Left);
    window_.Press(Qt::Key_Up);
    EXPECT_EQ(State(), "row 2 cpos 1/0 enabled 1|1|0|1|1|1 focus 0|1|0|0|0|0");
    EXPECT_EQ(array_.OldRow, 3);
    array_.EnableOld();
    EXPECT_EQ(Column(array_, aspect::Enabled), "1|1|1|1|1|1");
    window_.Release(Qt::Key_Up);
    EXPECT_EQ(Column(array_, aspect::Caret), "0|4|3|0|5|0");
}

TEST_F(Navigation, HeldDownKeyMovesARowPerRepeat) {
    array_.SetBoxActive(1, 1);
    window_.Press(Qt::Key_Down);
    EXPECT_EQ(array_.calls, Calls{"down1"});
    // Some windowing systems put a release before each repeated press.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&BoxAt(2), &repeatRelease);
    EXPECT_EQ(State(), "row 2 cpos 0/0 enabled 0|1|1|1|1|1 focus 0|1|0|0|0|0");
    window_.Press(Qt::Key_Down);
    EXPECT_EQ(State(), "row 3 cpos 0/0 enabled 1|0|1|1|1|1 focus 0|0|1|0|0|0");
    window_.Release(Qt::Key_Down);
    EXPECT_EQ(State(), "row 3 cpos 0/0 enabled 1|1|1|1|1|1 focus 0|0|1|0|0|0");
}

// Cpos/OldCpos after each key. At the start of the text Cpos is pinned to
// the length; Delete follows the character removed right of the caret.
TEST_F(Navigation, LeftRightAndDeleteMoveCposWithinTheText) {
    array_.WriteEntry(1, 1, "1,5");
    array_.SetBoxActive(1, 1);
    const Qt::Key left = Qt::Key_Left, right = Qt::Key_Right, del = Qt::Key_Delete;
    EXPECT_EQ(Trail(1, {left, left, left, left, right, right, right}),
              "1/0 2/1 3/2 3/3 2/3 1/2 0/1 1,5@3");
    EXPECT_TRUE(array_.calls.empty());
    EXPECT_EQ(Trail(1, {right}), "0/0 1,5@3");
    EXPECT_EQ(array_.calls, Calls{"right"});
    array_.SetBoxActive(2, 1);
    EXPECT_EQ(Trail(2, {del, left, left, del, del}), "0/0 1/0 2/1 1/2 0/1 12,@3");
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

// Only the neighbours get their carets aligned. Up then enters a box shorter
// than Cpos, and the box left has its TagB cleared. A click far left counts
// ten cells at most.
TEST_F(Navigation, ClickSetsCposFromTheCellsRightOfIt) {
    window_.Click(BoxAt(2), QPoint(101, 12));
    EXPECT_EQ(State(), "row 2 cpos 3/3 enabled 1|1|1|1|1|1 focus 0|1|0|0|0|0");
    EXPECT_EQ(Column(array_, aspect::Caret), "0|2|1|1|6|0"); // rows 1 and 3; "7" is shorter than 3
    EXPECT_EQ(BoxAt(2).TagB(), 1);

    window_.Tap(Qt::Key_Up);
    EXPECT_EQ(State(), "row 1 cpos 1/1 enabled 1|1|1|1|1|1 focus 1|0|0|0|0|0");
    EXPECT_EQ(BoxAt(2).TagB(), 0);

    window_.Click(BoxAt(2), QPoint(0, 12));
    EXPECT_EQ(Cpos(), "5/5");
    array_.WriteEntry(4, 1, "123456789012");
    window_.Click(BoxAt(4), QPoint(0, 12));
    EXPECT_EQ(Cpos(), "10/10");
}

TEST_F(Navigation, TagBFollowsTheSeparatorAtKeyRelease) {
    array_.SetBoxActive(6, 1);
    for (const auto& [key, tagB] : {std::pair{Qt::Key_1, 0}, {Qt::Key_Comma, 1}, {Qt::Key_5, 1}}) {
        window_.Tap(key);
        EXPECT_EQ(BoxAt(6).TagB(), tagB);
    }
    EXPECT_TRUE(array_.tagBset());

    window_.Tap(Qt::Key_Left);
    window_.Press(Qt::Key_Backspace);
    EXPECT_EQ(BoxAt(6).text() + QString::number(BoxAt(6).TagB()), "151"); // until the release
    window_.Release(Qt::Key_Backspace);
    EXPECT_FALSE(array_.tagBset());
}

TEST_F(Navigation, SwitchingWindowsIsNeitherExitNorEntry) {
    array_.SetBoxActive(2, 1);
    window_.Tap(Qt::Key_Left);
    ASSERT_EQ(BoxAt(2).TagB(), 1);
    QtWindow elsewhere;
    ASSERT_TRUE(elsewhere.ShowActive());
    EXPECT_EQ(BoxAt(2).TagB(), 1);
    array_.AcTime = -1.0;
    ASSERT_TRUE(window_.ShowActive());
    EXPECT_TRUE(BoxAt(2).hasFocus() && BoxAt(2).TagB() == 1);
    EXPECT_EQ(array_.AcTime, -1.0);
}

} // namespace
