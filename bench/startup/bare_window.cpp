// Reference for the start-up benchmark: the toolkit's floor, one main window
// holding one label, as large as the program's window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int, char** argv) {
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("One label"), &window));
    window.resize(533, 487);
    window.show();
    return QApplication::exec();
}
