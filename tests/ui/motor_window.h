// The program's two windows as a test sees them: the real main window with
// its help window, shown and active, and user input sent the way the
// windowing system sends it: keys to whatever has the focus at the moment,
// clicks at a point of a widget, found under that point by the toolkit.
#pragma once

#include "edit_array.h"
#include "helptext.h"
#include "motdat.h"

#include <QPoint>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

class QLineEdit;

// Everything Calculate writes, as the boxes show it.
struct ShownResults {
    std::array<QString, 5> diagram; // MagEdit, dqEdit, StatRedit, RotRedit, RotLedit
    std::array<QString, 4> rows;    // ResultArray rows 1 to 4
    std::array<QString, 5> perUnit; // MagPuEdit, dqpuEdit, StatRpuEdit, RotRpuEdit, RotLpuEdit
    QString zLabel;

    bool operator==(const ShownResults&) const = default;
};

class MotorWindow {
public:
    MotorWindow() { form_.SetHelpForm(&help_); }

    TMotorForm& Form() { return form_; }
    THelpForm& Help() { return help_; }

    // Shows the main window and makes it the active one.
    bool ShowActive();

    // A left click at `at` in the widget's own pixels; its centre by default.
    static void Click(QWidget& widget, QPoint at = QPoint(-1, -1));
    // Puts the focus into a box with a click near its right end, where the
    // right-aligned text ends, so that the caret stands after the text.
    void ClickInto(QLineEdit& box);

    void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyPress(Handle(), key, mods);
    }
    void Release(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyRelease(Handle(), key, mods);
    }
    void Tap(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(Handle(), key, mods); }
    // Types printable ASCII characters one key at a time.
    void Type(std::string_view text);
    // Replaces a box's whole text the way a user does: click into it, select
    // it all with Shift+Home, then type it, or paste it (Ctrl+V) when it
    // holds a character the window does not let through, or erase it when
    // empty.
    void Enter(QLineEdit& box, std::string_view text);

    void Calculate() { Click(*form_.CalcBut); }

    TAlignEdit& Input(int row) const { return *form_.InputArray->Box(row, 1); }
    TAlignEdit& Result(int row) const { return *form_.ResultArray->Box(row, 1); }
    ShownResults Shown() const;
    // The backgrounds of MVAEdit, kVEdit and FreqEdit: 'W' white, 'Y'
    // yellow, '?' any other colour.
    std::string BaseColours() const;

private:
    QWindow* Handle() { return form_.windowHandle(); }

    TMotorForm form_;
    THelpForm help_;
};

// What Calculate shows for the default name-plate at 50 Hz and 60 Hz, with
// the default base values (1 MVA, 1 kV, 50 Hz).
ShownResults DefaultResultsAt50Hz();
ShownResults DefaultResultsAt60Hz();
// What the release of a key leaves after it has cleared the results.
ShownResults ClearedResults();

// For readable failure messages.
void PrintTo(const ShownResults& shown, std::ostream* os);
