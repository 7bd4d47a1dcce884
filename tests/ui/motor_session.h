// The fixture of the window tests, with the widget headers they use: the
// real main window with its help window, built under a chosen C locale,
// shown and active, with a watch for modal windows. Each modal window is recorded and closed; a
// test takes the ones it expects, and any left over fail it instead of hanging it.
#pragma once

#include "edit_array.h"
#include "helptext.h"
#include "locale_scope.h"
#include "motdat.h"
#include "named_rows.h"
#include "qt_input.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A modal window as "title|icon|buttons|text"; the program's error box.
std::string ErrorBox(std::string_view text);

// What Calculate writes, as the boxes show it, joined by '|': the diagram
// (MagEdit, dqEdit, StatRedit, RotRedit, RotLedit), result rows 1 to 4,
// the per-unit boxes in the diagram's order, then ZLabel. The default
// name-plate at 50 Hz and 60 Hz with the default bases (1 MVA, 1 kV, 50 Hz):
extern const std::string Circuit50, Circuit60, PerUnit50, PerUnit60, At50, At60;
// What the release of a key leaves.
extern const std::string Cleared;

class MainWindow : public ::testing::Test, public QtInput {
protected:
    explicit MainWindow(const char* locale = PointLocale);
    ~MainWindow() override;

    void SetUp() override {
        ASSERT_TRUE(locale_.Installed()) << "locale not installed";
        ASSERT_TRUE(ShowActive()) << "main window not shown and active";
    }

    TMotorForm& F() { return form_; }
    THelpForm& Help() { return help_; }
    TAlignEdit& Input(int row) { return *form_.InputArray->Box(row, 1); }
    TAlignEdit& Result(int row) { return *form_.ResultArray->Box(row, 1); }
    void Calculate() { Click(*form_.CalcBut); }
    // A click near the right end, where right-aligned text ends.
    void ClickInto(QLineEdit& box) { Click(box, QPoint(box.width() - 4, box.height() / 2)); }
    // Replaces a box's text as a user does: click, Shift+Home from the end,
    // then type it, or paste it when the window would not let it through.
    void Enter(QLineEdit& box, std::string_view text);
    std::string Shown() const;
    // MVAEdit, kVEdit and FreqEdit: 'W' white, 'Y' yellow, '?' other.
    std::string BaseColours() const;
    std::vector<std::string> TakeBoxes() { return std::exchange(seen_, {}); }

private:
    LocaleScope locale_;
    QTimer timer_;
    std::vector<std::string> seen_;
    TMotorForm form_;
    THelpForm help_;
};
