#include "motor_window.h"

#include "edit_array.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <ostream>

MotorWindow::MotorWindow() {
    form_.SetHelpForm(&help_);
}

QWindow* MotorWindow::Handle() {
    return form_.windowHandle();
}

bool MotorWindow::ShowActive() {
    form_.show();
    if (!QTest::qWaitForWindowExposed(&form_)) {
        return false;
    }
    form_.activateWindow();
    return QTest::qWaitForWindowActive(&form_);
}

void MotorWindow::Click(QWidget& widget, QPoint at) {
    if (at == QPoint(-1, -1)) {
        at = widget.rect().center();
    }
    QWidget* const window = widget.window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget.mapTo(window, at));
}

void MotorWindow::ClickInto(QLineEdit& box) {
    Click(box, QPoint(box.width() - 4, box.height() / 2));
}

void MotorWindow::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyPress(Handle(), key, modifiers);
}

void MotorWindow::Release(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyRelease(Handle(), key, modifiers);
}

void MotorWindow::Tap(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(Handle(), key, modifiers);
}

void MotorWindow::Type(std::string_view text) {
    for (const char c : text) {
        QTest::keyClick(Handle(), c);
    }
}

void MotorWindow::Paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    Tap(Qt::Key_V, Qt::ControlModifier);
}

void MotorWindow::Enter(QLineEdit& box, std::string_view text) {
    ClickInto(box);
    Tap(Qt::Key_End);
    Tap(Qt::Key_Home, Qt::ShiftModifier);
    if (text.empty()) {
        Tap(Qt::Key_Backspace);
        return;
    }
    const bool typeable = text.find_first_not_of("0123456789.,") == std::string_view::npos;
    if (typeable) {
        Type(text);
    } else {
        Paste(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
}

void MotorWindow::Calculate() {
    Click(*form_.CalcBut);
}

TAlignEdit& MotorWindow::Input(int row) const {
    return *form_.InputArray->Box(row, 1);
}

TAlignEdit& MotorWindow::Result(int row) const {
    return *form_.ResultArray->Box(row, 1);
}

ShownResults MotorWindow::Shown() const {
    ShownResults shown;
    const std::array<const QLineEdit*, 5> diagram{form_.MagEdit, form_.dqEdit, form_.StatRedit,
                                                  form_.RotRedit, form_.RotLedit};
    const std::array<const QLineEdit*, 5> perUnit{
        form_.MagPuEdit, form_.dqpuEdit, form_.StatRpuEdit, form_.RotRpuEdit, form_.RotLpuEdit};
    for (std::size_t i = 0; i < diagram.size(); ++i) {
        shown.diagram[i] = diagram[i]->text();
        shown.perUnit[i] = perUnit[i]->text();
    }
    for (int row = 1; row <= 4; ++row) {
        shown.rows[static_cast<std::size_t>(row - 1)] = Result(row).text();
    }
    shown.zLabel = form_.ZLabel->text();
    return shown;
}

// Each text is the ten characters of the display form and the unit.
ShownResults DefaultResultsAt50Hz() {
    return {{"  0.411444H", "  0.021254H", "   4.70204ohm", "    1.5508ohm", "  0.021254H"},
            {"  0.411444 H", "  0.021254 H", "   4.70204 ohm", "    1.5508 ohm"},
            {"   129.259 pu", "   6.67712 pu", "   4.70204 pu", "    1.5508 pu", "   6.67712 pu"},
            "base Z = 1.0 Ohm"};
}

// The per-unit reactances use the 50 Hz of the frequency box, not the 60 Hz
// the inductances were found at.
ShownResults DefaultResultsAt60Hz() {
    return {{"  0.342870H", "  0.017712H", "   4.70204ohm", "    1.5508ohm", "  0.017712H"},
            {"  0.342870 H", "  0.017712 H", "   4.70204 ohm", "    1.5508 ohm"},
            {"   107.716 pu", "   5.56427 pu", "   4.70204 pu", "    1.5508 pu", "   5.56427 pu"},
            "base Z = 1.0 Ohm"};
}

ShownResults ClearedResults() {
    return {{}, {" ", " ", " ", " "}, {}, {}};
}

void PrintTo(const ShownResults& shown, std::ostream* os) {
    const auto quoted = [os](const QString& text) { *os << '"' << text.toStdString() << "\" "; };
    *os << "diagram ";
    for (const QString& text : shown.diagram) {
        quoted(text);
    }
    *os << "rows ";
    for (const QString& text : shown.rows) {
        quoted(text);
    }
    *os << "per-unit ";
    for (const QString& text : shown.perUnit) {
        quoted(text);
    }
    *os << "ZLabel ";
    quoted(shown.zLabel);
}
