// Reference for the start-up benchmark: a window of the program's kind of
// content and nothing else. About 60 widgets at fixed positions (labels,
// line edits, buttons, radio buttons, one multi-line text box and 16 small
// pictures painted when shown) under a menu bar, in the default font.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// A 32 x 32 line drawing: a lead through the middle and a box on it.
class SmallPicture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(0, 15, width(), 2, Qt::black);
        p.setPen(QPen(Qt::black, 2));
        p.drawRect(8, 10, 16, 12);
    }
};

QString Numbered(const char* text, int n) {
    return QStringLiteral("%1 %2").arg(QLatin1String(text)).arg(n);
}

void AddContent(QWidget* w) {
    // 22 labels, in two columns.
    for (int i = 0; i < 22; ++i) {
        auto* label = new QLabel(Numbered("name plate value", i + 1), w);
        label->move(i < 11 ? 176 : 32, i < 11 ? 40 + 20 * i : 300 + 14 * (i - 11));
    }
    // 16 line edits: six inputs, four results and six output boxes.
    for (int i = 0; i < 10; ++i) {
        auto* edit = new QLineEdit(QStringLiteral("1,00"), w);
        edit->setGeometry(32, i < 6 ? 40 + 20 * i : 336 + 20 * (i - 6), 136, 24);
        edit->setAlignment(Qt::AlignRight);
    }
    for (int i = 0; i < 6; ++i) {
        auto* box = new QLineEdit(w);
        box->setGeometry(104 + 72 * (i % 4), 177 + 19 * (i / 4), 73, 19);
        box->setFrame(false);
        box->setReadOnly(true);
    }
    // Buttons: a push button, a toggle button and one that starts hidden.
    (new QPushButton(QStringLiteral("Calculate"), w))->setGeometry(184, 11, 81, 25);
    auto* toggle = new QToolButton(w);
    toggle->setGeometry(8, 8, 25, 25);
    toggle->setText(QStringLiteral("^"));
    toggle->setCheckable(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setGeometry(420, 300, 25, 81);
    ok->hide();
    auto* first = new QRadioButton(QStringLiteral("50 Hz"), w);
    first->setGeometry(120, 8, 57, 17);
    first->setChecked(true);
    (new QRadioButton(QStringLiteral("60 Hz"), w))->setGeometry(120, 24, 57, 17);
    auto* memo = new QPlainTextEdit(w);
    memo->setGeometry(120, 300, 300, 81);
    memo->setReadOnly(true);
    memo->hide();
    // 16 pictures along a line.
    for (int i = 0; i < 16; ++i) {
        (new SmallPicture(w))->setGeometry(120 + 16 * i, 208 + (i % 2) * 32, 32, 32);
    }
}

} // namespace

int main(int, char** argv) {
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Comparable window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    QObject::connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, &app,
                     &QApplication::quit);
    window.menuBar()->addAction(QStringLiteral("&Help"));
    auto* client = new QWidget(&window);
    AddContent(client);
    window.setCentralWidget(client);
    window.resize(533, 487);
    window.show();
    return QApplication::exec();
}
