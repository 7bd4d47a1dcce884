// The main window as it stands after start-up: where FormCreate put the
// controls, what they show, and the order the Tab key visits them in.
#include "motor_session.h"

#include "edit_array.h"

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

TEST_F(Startup, TitleNamesTheProgramAndItsVersion) {
    EXPECT_EQ(F().windowTitle().toStdString(), "Induction motor data  (v. 1.1.1)");
}

TEST_F(Startup, InputLabelsStandBesideTheMeasuredInputArray) {
    const std::array<QLabel*, 6> labels{F().VoltLab, F().PowLab, F().SlipLab,
                                        F().EffLab,  F().pfLab,  F().LockLab};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(labels[i]->text().toStdString());
        EXPECT_EQ(labels[i]->pos(), QPoint(176, 42 + 20 * static_cast<int>(i)));
        EXPECT_EQ(W().Input(static_cast<int>(i) + 1).geometry(),
                  QRect(32, 40 + 20 * static_cast<int>(i), 136, 24));
    }
}

TEST_F(Startup, ResultRowsAndTheirLabelsStandBelowTheResultHeading) {
    const std::array<QLabel*, 4> labels{F().MagnLab, F().LdLqLab, F().RstatLab, F().RrotLab};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(labels[i]->text().toStdString());
        EXPECT_EQ(labels[i]->pos(), QPoint(176, 338 + 20 * static_cast<int>(i)));
        EXPECT_EQ(W().Result(static_cast<int>(i) + 1).geometry(),
                  QRect(32, 336 + 20 * static_cast<int>(i), 136, 24));
        EXPECT_TRUE(W().Result(static_cast<int>(i) + 1).isReadOnly());
    }
    // One row slot stays empty above the closing line.
    EXPECT_EQ(F().AddLab->pos(), QPoint(32, 438));
}

TEST_F(Startup, WarningBoxWaitsHiddenUnderTheDiagramWithItsFullHeightOkButton) {
    EXPECT_EQ(F().ErrMemo->geometry(), QRect(120, 300, 300, 81));
    EXPECT_EQ(F().OKBut->geometry(), QRect(420, 300, 25, 81));
    EXPECT_TRUE(F().ErrMemo->isHidden());
    EXPECT_TRUE(F().OKBut->isHidden());
    EXPECT_TRUE(F().ErrMemo->toPlainText().isEmpty());
}

TEST_F(Startup, InputsHoldTheDefaultNameplateWithCommaAndTwoDecimals) {
    const std::array<const char*, 6> defaults{"1,00", "10,00", "0,02", "0,90", "0,80", "5,00"};
    for (int row = 1; row <= 6; ++row) {
        EXPECT_EQ(W().Input(row).text().toStdString(), defaults[static_cast<std::size_t>(row - 1)])
            << "row " << row;
    }
}

TEST_F(Startup, OutputsAreEmptyAndTheBaseBoxesHoldTheirDefaults) {
    EXPECT_EQ(W().Shown(), (ShownResults{{}, {}, {}, QStringLiteral("base Z")}));
    EXPECT_EQ(F().MVAEdit->text().toStdString(), "1");
    EXPECT_EQ(F().kVEdit->text().toStdString(), "1");
    EXPECT_EQ(F().FreqEdit->text().toStdString(), "50");
}

TEST_F(Startup, FiftyHertzIsChosenAndTheWindowIsNotKeptOnTop) {
    EXPECT_TRUE(F().Freq50->isChecked());
    EXPECT_FALSE(F().Freq60->isChecked());
    EXPECT_FALSE(F().TopBut->isChecked());
    EXPECT_FALSE(F().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(W().Help().isHidden());
}

TEST_F(Startup, ClientAreaHasItsDesignSizeBelowTheMenuBar) {
    EXPECT_EQ(F().ClientArea()->size(), QSize(533, 468));
    EXPECT_EQ(F().ClientArea()->y(), F().FileMenu->geometry().bottom() + 1);
}

TEST_F(Startup, NoControlIsCutOffAtTheInitialSize) {
    const QRect client = F().ClientArea()->rect();
    for (QWidget* control : F().ClientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(client.contains(control->geometry()))
            << control->metaObject()->className() << " \""
            << control->property("text").toString().toStdString() << "\" at " << control->x() << ","
            << control->y() << " " << control->width() << "x" << control->height();
    }
}

class TabOrder : public MainWindow {
protected:
    // The name a control has in the window, for readable sequences.
    std::string NameOf(const QWidget* widget) {
        const std::vector<std::pair<const QWidget*, std::string>> names{
            {F().MagEdit, "MagEdit"},       {F().dqEdit, "dqEdit"},
            {F().StatRedit, "StatRedit"},   {F().RotRedit, "RotRedit"},
            {F().CalcBut, "CalcBut"},       {F().RotLedit, "RotLedit"},
            {F().Freq50, "Freq50"},         {F().Freq60, "Freq60"},
            {F().ErrMemo, "ErrMemo"},       {F().OKBut, "OKBut"},
            {F().dqpuEdit, "dqpuEdit"},     {F().MVAEdit, "MVAEdit"},
            {F().kVEdit, "kVEdit"},         {F().FreqEdit, "FreqEdit"},
            {F().MagPuEdit, "MagPuEdit"},   {F().StatRpuEdit, "StatRpuEdit"},
            {F().RotRpuEdit, "RotRpuEdit"}, {F().RotLpuEdit, "RotLpuEdit"},
            {F().TopBut, "TopBut"}};
        for (const auto& [control, name] : names) {
            if (control == widget) {
                return name;
            }
        }
        for (int row = 1; row <= 6; ++row) {
            if (widget == &W().Input(row)) {
                return "Input" + std::to_string(row);
            }
        }
        for (int row = 1; row <= 4; ++row) {
            if (widget == &W().Result(row)) {
                return "Result" + std::to_string(row);
            }
        }
        return widget == nullptr ? "none" : widget->metaObject()->className();
    }
};

TEST_F(TabOrder, TabVisitsMagEditThenTheResultAndInputRowsThenTheOtherBoxes) {
    F().MagEdit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), F().MagEdit);
    const std::vector<std::string> expected{
        "Result1",  "Result2",   "Result3",     "Result4",    "Input1",     "Input2",
        "Input3",   "Input4",    "Input5",      "Input6",     "dqEdit",     "StatRedit",
        "RotRedit", "RotLedit",  "Freq50",      "dqpuEdit",   "MVAEdit",    "kVEdit",
        "FreqEdit", "MagPuEdit", "StatRpuEdit", "RotRpuEdit", "RotLpuEdit", "MagEdit"};
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        W().Tap(Qt::Key_Tab);
        visited.push_back(NameOf(QApplication::focusWidget()));
    }
    EXPECT_EQ(visited, expected);
}

} // namespace
