// Takes docs/main-window.png: the real main window on the X server after a
// Calculate with the default inputs. Run through scripts/screenshot.
#include "helptext.h"
#include "motdat.h"

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    TMotorForm form;
    THelpForm help;
    form.SetHelpForm(&help);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    QTest::mouseClick(form.CalcBut, Qt::LeftButton);
    QTest::qWait(200);
    const QPixmap shot = form.screen()->grabWindow(form.winId());
    return shot.save(target) ? 0 : 1;
}
