// The main window as it stands after start-up: what it shows, where
// FormCreate put the controls, and the order the Tab key visits them in.
#include "circuit_pictures.h"
#include "motor_session.h"
#include "window_frame.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using Startup = MainWindow;

TEST_F(Startup, ShowsNoResultsAndNothingChosen) {
    EXPECT_EQ(F().windowTitle().toStdString(), "Induction motor data  (v. 1.1.1)");
    EXPECT_EQ(W().Shown(), (ShownResults{{}, {}, {}, QStringLiteral("base Z")}));
    EXPECT_EQ((F().MVAEdit->text() + '|' + F().kVEdit->text() + '|' + F().FreqEdit->text()),
              QStringLiteral("1|1|50"));
    EXPECT_TRUE(F().ErrMemo->isHidden());
    EXPECT_TRUE(F().OKBut->isHidden());
    EXPECT_TRUE(F().ErrMemo->toPlainText().isEmpty());
    EXPECT_TRUE(F().Freq50->isChecked());
    EXPECT_FALSE(F().Freq60->isChecked());
    EXPECT_FALSE(F().TopBut->isChecked());
    EXPECT_FALSE(F().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(W().Help().isHidden());
    // The icon's pixels were painted at build time; they are the painter's.
    EXPECT_EQ(
        F().windowIcon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        PaintWindowIcon());
}

// The labels follow the measured width (136) and row pitch (124 / 6 = 20)
// of the input array; the result array stands 32 below its heading.
TEST_F(Startup, FormCreateFillsTheInputsAndLinesTheLabelsUpWithTheMeasuredArrays) {
    const QLabel* const inputLabels[] = {F().VoltLab, F().PowLab, F().SlipLab,
                                         F().EffLab,  F().pfLab,  F().LockLab};
    const char* const defaults[] = {"1,00", "10,00", "0,02", "0,90", "0,80", "5,00"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("input row " + std::to_string(i + 1));
        EXPECT_EQ(W().Input(i + 1).text().toStdString(), defaults[i]);
        EXPECT_EQ(inputLabels[i]->pos(), QPoint(176, 42 + 20 * i));
        EXPECT_EQ(W().Input(i + 1).geometry(), QRect(32, 40 + 20 * i, 136, 24));
    }
    const QLabel* const resultLabels[] = {F().MagnLab, F().LdLqLab, F().RstatLab, F().RrotLab};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("result row " + std::to_string(i + 1));
        EXPECT_EQ(resultLabels[i]->pos(), QPoint(176, 338 + 20 * i));
        EXPECT_EQ(W().Result(i + 1).geometry(), QRect(32, 336 + 20 * i, 136, 24));
        EXPECT_TRUE(W().Result(i + 1).isReadOnly());
    }
    // One row slot stays empty above the closing line.
    EXPECT_EQ(F().AddLab->pos(), QPoint(32, 438));
    EXPECT_EQ(F().TopBut->geometry(), QRect(8, 8, 25, 25));
    // The warning box under the diagram, its OK button as tall and flush right.
    EXPECT_EQ(F().ErrMemo->geometry(), QRect(120, 300, 300, 81));
    EXPECT_EQ(F().OKBut->geometry(), QRect(420, 300, 25, 81));
}

TEST_F(Startup, ClientAreaBelowTheMenuBarHoldsEveryControlWhole) {
    EXPECT_EQ(OuterSize(F()), QSize(541, 514));
    EXPECT_EQ(F().ClientArea()->width(), 533);
    EXPECT_EQ(F().ClientArea()->y(), F().FileMenu->geometry().bottom() + 1);
    const QRect client = F().ClientArea()->rect();
    for (QWidget* control : F().ClientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(client.contains(control->geometry()))
            << control->metaObject()->className() << " \""
            << control->property("text").toString().toStdString() << "\" at " << control->x() << ","
            << control->y() << " " << control->width() << "x" << control->height();
    }
}

// The top or bottom row of a control's own drawing that holds a dark pixel,
// in the client area's coordinates.
int InkRow(QWidget& control, bool bottom) {
    const QImage image = control.grab().toImage();
    for (int i = 0; i < image.height(); ++i) {
        const int y = bottom ? image.height() - 1 - i : i;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) >= 128 && qGray(pixel) < 128) {
                return control.y() + y;
            }
        }
    }
    return -1;
}

TEST_F(Startup, ResistorPicturesLeaveARowFreeAboveTheirLabels) {
    for (const auto& [resistor, label] :
         {std::pair<QWidget*, QLabel*>{F().statres, F().RsLab}, {F().rotres, F().RrLab}}) {
        EXPECT_GE(InkRow(*label, false) - InkRow(*resistor, true), 2)
            << label->text().toStdString();
    }
}

TEST_F(Startup, TabVisitsMagEditThenTheResultAndInputRowsThenTheOtherBoxes) {
    std::vector<const QWidget*> expected;
    for (int row = 1; row <= 4; ++row) {
        expected.push_back(&W().Result(row));
    }
    for (int row = 1; row <= 6; ++row) {
        expected.push_back(&W().Input(row));
    }
    expected.insert(expected.end(),
                    {F().dqEdit, F().StatRedit, F().RotRedit, F().RotLedit, F().Freq50,
                     F().dqpuEdit, F().MVAEdit, F().kVEdit, F().FreqEdit, F().MagPuEdit,
                     F().StatRpuEdit, F().RotRpuEdit, F().RotLpuEdit, F().MagEdit});
    F().MagEdit->setFocus();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        W().Tap(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), expected[i]) << "Tab number " << i + 1;
    }
}

} // namespace
