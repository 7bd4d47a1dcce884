// The program: the main window, then the hidden help window, then the event
// loop until the main window closes or Exit is chosen.
#include "app_title.h"
#include "helptext.h"
#include "motdat.h"
#include "named_fonts.h"

#include <QApplication>

int main(int, char** argv) {
    // The program takes no arguments: none reach the toolkit either.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    // The windows bring their own fonts, colours and fixed layout; a desktop
    // theme would add only start-up time (a GTK theme plugin costs tens of ms).
    QApplication::setDesktopSettingsAware(false);
    QApplication app(toolkitArgc, toolkitArgv);
    // The window font as the default, so that no other face is loaded first.
    QApplication::setFont(NamedFont(FontName::MSSansSerif, 11));
    QApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));

    TMotorForm MotorForm;
    THelpForm HelpForm;
    MotorForm.SetHelpForm(&HelpForm);
    MotorForm.show();
    return QApplication::exec();
}
