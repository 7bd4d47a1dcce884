#include "align_edit.h"
#include "qt_input.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// The native box is rebuilt only when the alignment changes, keeping text
// and read-only state.
TEST(AlignEdit, AlignmentIsReappliedOnlyWhenItChanges) {
    TAlignEdit box;
    box.setText("12,5");
    box.setReadOnly(true);
    for (const auto& [alignment, flag, rebuilds] : {std::tuple{taLeftJustify, Qt::AlignLeft, 0},
                                                    {taRightJustify, Qt::AlignRight, 1},
                                                    {taRightJustify, Qt::AlignRight, 1},
                                                    {taCenter, Qt::AlignHCenter, 2}}) {
        box.SetAlignment(alignment);
        EXPECT_TRUE(box.alignment().testFlag(flag) && box.NativeRebuilds() == rebuilds);
    }
    EXPECT_TRUE(box.text() == "12,5" && box.isReadOnly());
}

// Two boxes holding text, shown, with the focus in the first.
class TwoBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        second_->move(0, 40);
        first_->setText("12");
        second_->setText("12345");
        ASSERT_TRUE(window_.ShowActive());
        first_->setFocus();
    }

    QtWindow window_;
    TAlignEdit* first_ = new TAlignEdit(&window_);
    TAlignEdit* second_ = new TAlignEdit(&window_);
};

TEST_F(TwoBoxes, LongerTextIsSetWholeButTypingStopsAtTheLimit) {
    first_->SetMaxLength(4);
    first_->SetText("123456");
    window_.Tap(Qt::Key_7);
    EXPECT_EQ(first_->text(), "123456");
    first_->SetText("12");
    window_.Type("345");
    EXPECT_EQ(first_->text(), "1234");
}

// With AutoSelect off, as the edit array sets it, neither Tab nor a
// programmed focus selects the text, and a click never does (no selection is
// made at any moment).
TEST_F(TwoBoxes, WithoutAutoSelectNoFocusSelectsTheText) {
    second_->SetAutoSelect(false);
    window_.Tap(Qt::Key_Tab);
    EXPECT_EQ(second_->selectedText(), "");
    first_->setFocus();
    second_->deselect();
    second_->setFocus();
    EXPECT_EQ(second_->selectedText(), "");
    first_->setFocus();
    second_->deselect();
    const QSignalSpy selections(second_, &QLineEdit::selectionChanged);
    window_.Click(*second_, QPoint(5, second_->height() / 2));
    EXPECT_TRUE(second_->hasFocus() && selections.count() == 0);
}

} // namespace
