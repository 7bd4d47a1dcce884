#include "align_edit.h"
#include "gui_window.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Counts the key presses a box receives before it handles them itself.
class PressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            ++presses;
        }
        return false;
    }
};

TEST(AlignEdit, NewBoxIsLeftJustifiedWithTagBZero) {
    const TAlignEdit box;
    EXPECT_EQ(box.Alignment(), taLeftJustify);
    EXPECT_EQ(box.TagB(), 0);
    EXPECT_TRUE(box.alignment().testFlag(Qt::AlignLeft));
}

TEST(AlignEdit, SameAlignmentLeavesTheControlUntouched) {
    TAlignEdit box;
    box.SetAlignment(taLeftJustify);
    EXPECT_EQ(box.NativeRebuilds(), 0);

    box.SetAlignment(taRightJustify);
    box.SetAlignment(taRightJustify);
    EXPECT_EQ(box.NativeRebuilds(), 1);
}

TEST(AlignEdit, NewAlignmentShowsAtOnceAndKeepsTextAndSettings) {
    TAlignEdit box;
    box.setMaxLength(10);
    box.setText("12,5");
    box.setReadOnly(true);

    box.SetAlignment(taRightJustify);
    EXPECT_TRUE(box.alignment().testFlag(Qt::AlignRight));
    box.SetAlignment(taCenter);
    EXPECT_TRUE(box.alignment().testFlag(Qt::AlignHCenter));

    EXPECT_EQ(box.Alignment(), taCenter);
    EXPECT_EQ(box.text(), "12,5");
    EXPECT_EQ(box.maxLength(), 10);
    EXPECT_TRUE(box.isReadOnly());
}

TEST(AlignEdit, TagBIsAPlainValue) {
    TAlignEdit box;
    box.SetTagB(-7);
    EXPECT_EQ(box.TagB(), -7);
    EXPECT_EQ(box.text(), "");
}

TEST(AlignEdit, LongerTextIsSetWholeButTypingStopsAtTheLimit) {
    GuiWindow window;
    auto* const box = new TAlignEdit(&window.Widget());
    box->SetMaxLength(4);
    ASSERT_TRUE(window.ShowActive());
    box->setFocus();

    box->SetText("123456");
    EXPECT_EQ(box->text(), "123456");
    window.Tap(Qt::Key_7);
    EXPECT_EQ(box->text(), "123456");

    box->SetText("12");
    window.Tap(Qt::Key_3);
    window.Tap(Qt::Key_4);
    window.Tap(Qt::Key_5);
    EXPECT_EQ(box->text(), "1234");
}

TEST(AlignEdit, EnterInsertsNothingAfterTheKeyPressHandlersRan) {
    GuiWindow window;
    auto* const box = new TAlignEdit(&window.Widget());
    PressCounter counter;
    box->installEventFilter(&counter);
    box->setText("12");
    ASSERT_TRUE(window.ShowActive());
    box->setFocus();

    window.Tap(Qt::Key_Return);
    window.Tap(Qt::Key_Enter, Qt::KeypadModifier);
    QKeyEvent lineFeed(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier, QStringLiteral("\n"));
    QApplication::sendEvent(box, &lineFeed);

    EXPECT_EQ(box->text(), "12");
    EXPECT_EQ(counter.presses, 3);
}

// Two boxes holding text: the focus starts in the first, auto-select set on
// the second as given.
class AutoSelect : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        first_ = new TAlignEdit(&window_.Widget());
        second_ = new TAlignEdit(&window_.Widget());
        second_->move(0, 40);
        first_->setText("111");
        second_->setText("12345");
        second_->SetAutoSelect(GetParam());
        ASSERT_TRUE(window_.ShowActive());
        first_->setFocus();
    }

    GuiWindow window_;
    TAlignEdit* first_ = nullptr;
    TAlignEdit* second_ = nullptr;
};

TEST_P(AutoSelect, TabSelectsAllOnlyWhenOn) {
    window_.Tap(Qt::Key_Tab);
    ASSERT_TRUE(second_->hasFocus());
    EXPECT_EQ(second_->selectedText(), GetParam() ? "12345" : "");
}

TEST_P(AutoSelect, LeftClickNeverSelectsAll) {
    // The click moves the caret and so would hide a selection made on entry;
    // the signal shows that none was made at any moment.
    const QSignalSpy selections(second_, &QLineEdit::selectionChanged);
    window_.Click(*second_, QPoint(5, second_->height() / 2));
    ASSERT_TRUE(second_->hasFocus());
    EXPECT_EQ(second_->selectedText(), "");
    EXPECT_EQ(selections.count(), 0);
}

TEST_P(AutoSelect, ProgramFocusSelectsAllOnlyWhenOn) {
    second_->setFocus();
    EXPECT_EQ(second_->selectedText(), GetParam() ? "12345" : "");
}

INSTANTIATE_TEST_SUITE_P(Box, AutoSelect, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "AutoSelectOn" : "AutoSelectOff";
                         });

} // namespace
