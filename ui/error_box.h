// The one place where the system's errors meet the user. Qt lets no
// exception cross its event dispatch, so every handler of the windows runs
// through Guarded: a number-text or floating-point error ends the handler
// where it arose and is shown in a modal box; the program then goes on.
#pragma once

#include "fp_errors.h"

#include <QString>

class QWidget;

// The box's text: the error's message and ".".
QString ErrorBoxText(const SystemError& error);

// Modal box: caption "induction motor", error icon, OK button.
void ShowErrorBox(QWidget* parent, const SystemError& error);

template <typename Handler> void Guarded(QWidget* parent, Handler&& handler) {
    try {
        handler();
    } catch (const SystemError& error) {
        ShowErrorBox(parent, error);
    }
}
