#include "align_edit.h"
#include "gui_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(AlignEdit, AlignmentIsReappliedOnlyWhenItChanges) {
    TAlignEdit box;
    EXPECT_EQ(box.Alignment(), taLeftJustify);
    EXPECT_TRUE(box.alignment().testFlag(Qt::AlignLeft));
    EXPECT_EQ(box.TagB(), 0);
    box.setText("12,5");
    box.setReadOnly(true);

    box.SetAlignment(taLeftJustify);
    EXPECT_EQ(box.NativeRebuilds(), 0);
    box.SetAlignment(taRightJustify);
    box.SetAlignment(taRightJustify);
    EXPECT_EQ(box.NativeRebuilds(), 1);
    EXPECT_TRUE(box.alignment().testFlag(Qt::AlignRight));
    box.SetAlignment(taCenter);
    EXPECT_TRUE(box.alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(box.text(), "12,5");
    EXPECT_TRUE(box.isReadOnly());
}

// Counts the key presses a box receives before it handles them itself.
class PressCounter : public QObject {
public:
    int presses = 0;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        presses += event->type() == QEvent::KeyPress ? 1 : 0;
        return false;
    }
};

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

    GuiWindow window_;
    TAlignEdit* first_ = new TAlignEdit(&window_.Widget());
    TAlignEdit* second_ = new TAlignEdit(&window_.Widget());
};

TEST_F(TwoBoxes, LongerTextIsSetWholeButTypingStopsAtTheLimit) {
    first_->SetMaxLength(4);
    first_->SetText("123456");
    window_.Tap(Qt::Key_7);
    EXPECT_EQ(first_->text(), "123456");
    first_->SetText("12");
    for (const Qt::Key key : {Qt::Key_3, Qt::Key_4, Qt::Key_5}) {
        window_.Tap(key);
    }
    EXPECT_EQ(first_->text(), "1234");
}

TEST_F(TwoBoxes, EnterInsertsNothingAfterTheKeyPressHandlersRan) {
    PressCounter counter;
    first_->installEventFilter(&counter);
    window_.Tap(Qt::Key_Return);
    window_.Tap(Qt::Key_Enter, Qt::KeypadModifier);
    QKeyEvent lineFeed(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier, QStringLiteral("\n"));
    QApplication::sendEvent(first_, &lineFeed);
    EXPECT_EQ(first_->text(), "12");
    EXPECT_EQ(counter.presses, 3);
}

// Auto-select on the second box as given.
class AutoSelect : public TwoBoxes, public ::testing::WithParamInterface<bool> {};

TEST_P(AutoSelect, TabAndProgramFocusSelectAllOnlyWhenOn) {
    second_->SetAutoSelect(GetParam());
    const QString expected = GetParam() ? "12345" : "";
    window_.Tap(Qt::Key_Tab);
    ASSERT_TRUE(second_->hasFocus());
    EXPECT_EQ(second_->selectedText(), expected);
    first_->setFocus();
    second_->deselect();
    second_->setFocus();
    EXPECT_EQ(second_->selectedText(), expected);
}

TEST_P(AutoSelect, LeftClickNeverSelectsAll) {
    second_->SetAutoSelect(GetParam());
    // The click moves the caret and so would hide a selection made on entry;
    // the signal shows that none was made at any moment.
    const QSignalSpy selections(second_, &QLineEdit::selectionChanged);
    window_.Click(*second_, QPoint(5, second_->height() / 2));
    ASSERT_TRUE(second_->hasFocus());
    EXPECT_EQ(selections.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Box, AutoSelect, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

} // namespace
