// The main window after start-up: what it shows, where FormCreate put the
// controls, and the order the Tab key visits them in.
#include "circuit_pictures.h"
#include "motor_session.h"
#include "window_frame.h"

namespace {

using Startup = MainWindow;

// No results before the first calculation, the painted icon. The labels follow
// the measured width (136) and row pitch (124 / 6 = 20)
// of the input array; the result array stands 32 below its heading.
TEST_F(Startup, FormCreateLinesTheLabelsUpWithTheMeasuredArrays) {
    EXPECT_EQ(Shown(), "||||||||||||||base Z");
    EXPECT_EQ(
        F().windowIcon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        PaintWindowIcon());
    const QLabel* const labels[] = {F().VoltLab,  F().PowLab,  F().SlipLab, F().EffLab,
                                    F().pfLab,    F().LockLab, F().MagnLab, F().LdLqLab,
                                    F().RstatLab, F().RrotLab};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const int top = i < 6 ? 40 + 20 * i : 336 + 20 * (i - 6);
        EXPECT_EQ(labels[i]->pos(), QPoint(176, top + 2));
        const TAlignEdit& box = i < 6 ? Input(i + 1) : Result(i - 5);
        EXPECT_EQ(box.geometry(), QRect(32, top, 136, 24));
        EXPECT_EQ(box.isReadOnly(), i >= 6);
    }
    EXPECT_EQ(F().AddLab->pos(), QPoint(32, 438)); // a free row slot above it
    EXPECT_EQ(F().TopBut->geometry(), QRect(8, 8, 25, 25));
    EXPECT_EQ(F().ErrMemo->geometry(), QRect(120, 300, 300, 81));
    EXPECT_EQ(F().OKBut->geometry(), QRect(420, 300, 25, 81));
}

TEST_F(Startup, ClientAreaBelowTheMenuBarHoldsEveryControlWhole) {
    EXPECT_EQ(OuterSize(F()), QSize(541, 514));
    EXPECT_EQ(F().ClientArea()->width(), 533);
    EXPECT_EQ(F().ClientArea()->y(), F().FileMenu->geometry().bottom() + 1);
    for (QWidget* control : F().ClientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(F().ClientArea()->rect().contains(control->geometry()))
            << control->property("text").toString().toStdString() << " at " << control->x() << ","
            << control->y();
    }
}

// The client-area row of the top or bottom dark pixel of a control.
int InkRow(QWidget& control, bool bottom) {
    const QImage image = control.grab().toImage();
    for (int i = 0; i < image.height(); ++i) {
        const int y = bottom ? image.height() - 1 - i : i;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) >= 128 && qGray(image.pixel(x, y)) < 128) {
                return control.y() + y;
            }
        }
    }
    return -1;
}

TEST_F(Startup, ResistorPicturesLeaveARowFreeAboveTheirLabels) {
    EXPECT_GE(InkRow(*F().RsLab, false) - InkRow(*F().statres, true), 2);
    EXPECT_GE(InkRow(*F().RrLab, false) - InkRow(*F().rotres, true), 2);
}

TEST_F(Startup, TabVisitsMagEditThenTheResultAndInputRowsThenTheOtherBoxes) {
    std::vector<const QWidget*> expected;
    for (int row = 1; row <= 10; ++row) {
        expected.push_back(row <= 4 ? &Result(row) : &Input(row - 4));
    }
    expected.insert(expected.end(),
                    {F().dqEdit, F().StatRedit, F().RotRedit, F().RotLedit, F().Freq50,
                     F().dqpuEdit, F().MVAEdit, F().kVEdit, F().FreqEdit, F().MagPuEdit,
                     F().StatRpuEdit, F().RotRpuEdit, F().RotLpuEdit, F().MagEdit});
    F().MagEdit->setFocus();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        Tap(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), expected[i]) << "Tab number " << i + 1;
    }
}

} // namespace
