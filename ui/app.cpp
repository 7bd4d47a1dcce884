// The program: the main window, then the hidden help window, then the event
// loop until the main window closes or Exit is chosen.
#include "app_title.h"
#include "helptext.h"
#include "motdat.h"

#include <QApplication>

int main(int, char** argv) {
    // The program takes no arguments: none reach the toolkit either.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));

    TMotorForm MotorForm;
    THelpForm HelpForm;
    MotorForm.SetHelpForm(&HelpForm);
    MotorForm.show();
    return QApplication::exec();
}
