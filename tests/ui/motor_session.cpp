#include "motor_session.h"

#include <QClipboard>
#include <QMessageBox>

std::string ErrorBox(std::string_view text) {
    return "induction motor|" + std::to_string(QMessageBox::Critical) + "|" +
           std::to_string(QMessageBox::Ok) + "|" + std::string(text);
}

const std::string Circuit50 = "  0.411444H|  0.021254H|   4.70204ohm|    1.5508ohm|  0.021254H|"
                              "  0.411444 H|  0.021254 H|   4.70204 ohm|    1.5508 ohm";
const std::string Circuit60 = "  0.342870H|  0.017712H|   4.70204ohm|    1.5508ohm|  0.017712H|"
                              "  0.342870 H|  0.017712 H|   4.70204 ohm|    1.5508 ohm";
const std::string PerUnit50 =
    "   129.259 pu|   6.67712 pu|   4.70204 pu|    1.5508 pu|   6.67712 pu";
// The reactances at the 50 Hz of the frequency box, not the 60 Hz the
// inductances were found at.
const std::string PerUnit60 =
    "   107.716 pu|   5.56427 pu|   4.70204 pu|    1.5508 pu|   5.56427 pu";
const std::string At50 = Circuit50 + "|" + PerUnit50 + "|base Z = 1.0 Ohm";
const std::string At60 = Circuit60 + "|" + PerUnit60 + "|base Z = 1.0 Ohm";
const std::string Cleared = "||||| | | | ||||||";

MainWindow::MainWindow(const char* locale) : QtInput(&form_), locale_(locale) {
    form_.SetHelpForm(&help_);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
        QWidget* const modal = QApplication::activeModalWidget();
        if (const auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen_.push_back(box->windowTitle().toStdString() + "|" + std::to_string(box->icon()) +
                            "|" + std::to_string(box->standardButtons().toInt()) + "|" +
                            box->text().toStdString());
        } else if (modal != nullptr) {
            seen_.push_back("modal window " + modal->windowTitle().toStdString());
        }
        modal != nullptr ? static_cast<void>(modal->close()) : void();
    });
    timer_.start(20);
}

MainWindow::~MainWindow() {
    for (const std::string& box : seen_) {
        ADD_FAILURE() << "unexpected modal window: " << box;
    }
}

void MainWindow::Enter(QLineEdit& box, std::string_view text) {
    ClickInto(box);
    Tap(Qt::Key_End);
    Tap(Qt::Key_Home, Qt::ShiftModifier);
    if (text.empty()) {
        Tap(Qt::Key_Backspace);
    } else if (text.find_first_not_of("0123456789.,") == std::string_view::npos) {
        Type(text);
    } else {
        QGuiApplication::clipboard()->setText(QString::fromStdString(std::string(text)));
        Tap(Qt::Key_V, Qt::ControlModifier);
    }
}

std::string MainWindow::Shown() const {
    const TMotorForm& f = form_;
    std::string shown;
    for (const QLineEdit* box : std::initializer_list<const QLineEdit*>{
             f.MagEdit, f.dqEdit, f.StatRedit, f.RotRedit, f.RotLedit, f.ResultArray->Box(1, 1),
             f.ResultArray->Box(2, 1), f.ResultArray->Box(3, 1), f.ResultArray->Box(4, 1),
             f.MagPuEdit, f.dqpuEdit, f.StatRpuEdit, f.RotRpuEdit, f.RotLpuEdit}) {
        shown += box->text().toStdString() + "|";
    }
    return shown + f.ZLabel->text().toStdString();
}

std::string MainWindow::BaseColours() const {
    std::string colours;
    for (const QLineEdit* box : {form_.MVAEdit, form_.kVEdit, form_.FreqEdit}) {
        const QColor base = box->palette().color(QPalette::Base);
        colours += base == QColor(Qt::white) ? 'W' : base == QColor(Qt::yellow) ? 'Y' : '?';
    }
    return colours;
}
