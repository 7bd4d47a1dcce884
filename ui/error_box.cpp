#include "error_box.h"

#include <QMessageBox>

#include "app_title.h"

QString ErrorBoxText(const SystemError& error) {
    return QString::fromUtf8(error.what()) + QLatin1Char('.');
}

void ShowErrorBox(QWidget* parent, const SystemError& error) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle),
                    ErrorBoxText(error), QMessageBox::Ok, parent);
    box.exec();
}
