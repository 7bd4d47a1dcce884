// The program's two windows as a test sees them: the real main window with
// its help window, shown and active, and user input sent the way the
// windowing system sends it: keys to whatever has the focus at the moment,
// clicks at a point of a widget, found under that point by the toolkit.
#pragma once

#include "helptext.h"
#include "motdat.h"

#include <QPoint>
#include <QString>
#include <array>
#include <iosfwd>
#include <string_view>

class QLineEdit;
class TAlignEdit;

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
    MotorWindow();

    TMotorForm& Form() { return form_; }
    THelpForm& Help() { return help_; }

    // Shows the main window and makes it the active one.
    bool ShowActive();

    // A left click at `at` in the widget's own pixels; its centre by default.
    static void Click(QWidget& widget, QPoint at = QPoint(-1, -1));
    // Puts the focus into a box with a click near its right end, where the
    // right-aligned text ends, so that the caret stands after the text.
    void ClickInto(QLineEdit& box);

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Tap(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types printable ASCII characters one key at a time.
    void Type(std::string_view text);
    // Ctrl+V with the text on the clipboard.
    void Paste(const QString& text);
    // Replaces a box's whole text the way a user does: click into it, select
    // it all with Shift+Home, then type it, or paste it when it holds a
    // character the window does not let through, or erase it when empty.
    void Enter(QLineEdit& box, std::string_view text);

    void Calculate();

    TAlignEdit& Input(int row) const;
    TAlignEdit& Result(int row) const;
    ShownResults Shown() const;

private:
    QWindow* Handle();

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
