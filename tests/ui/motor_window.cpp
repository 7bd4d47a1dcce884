#include "motor_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <ostream>

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

void MotorWindow::Type(std::string_view text) {
    for (const char c : text) {
        QTest::keyClick(Handle(), c);
    }
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
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    Tap(Qt::Key_V, Qt::ControlModifier);
}

ShownResults MotorWindow::Shown() const {
    const auto texts = [](auto... boxes) { return std::array{boxes->text()...}; };
    return {texts(form_.MagEdit, form_.dqEdit, form_.StatRedit, form_.RotRedit, form_.RotLedit),
            {Result(1).text(), Result(2).text(), Result(3).text(), Result(4).text()},
            texts(form_.MagPuEdit, form_.dqpuEdit, form_.StatRpuEdit, form_.RotRpuEdit,
                  form_.RotLpuEdit),
            form_.ZLabel->text()};
}

std::string MotorWindow::BaseColours() const {
    std::string colours;
    for (const QLineEdit* box : {form_.MVAEdit, form_.kVEdit, form_.FreqEdit}) {
        const QColor base = box->palette().color(QPalette::Base);
        colours += base == QColor(255, 255, 255) ? 'W' : base == QColor(255, 255, 0) ? 'Y' : '?';
    }
    return colours;
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
    const auto print = [os](const char* what, const auto& texts) {
        *os << what;
        for (const QString& text : texts) {
            *os << " \"" << text.toStdString() << '"';
        }
    };
    print("diagram", shown.diagram);
    print("; rows", shown.rows);
    print("; per-unit", shown.perUnit);
    print("; ZLabel", std::array{shown.zLabel});
}
