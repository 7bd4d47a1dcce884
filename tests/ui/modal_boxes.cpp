#include "modal_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

ModalBoxes::ModalBoxes() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Poll(); });
    timer_.start();
}

ModalBoxes::~ModalBoxes() {
    for (const SeenBox& box : seen_) {
        ADD_FAILURE() << "unexpected modal window: \"" << box.title.toStdString() << "\" \""
                      << box.text.toStdString() << "\"";
    }
}

std::vector<SeenBox> ModalBoxes::Take() {
    std::vector<SeenBox> taken;
    taken.swap(seen_);
    return taken;
}

void ModalBoxes::Poll() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        seen_.push_back(
            {QStringLiteral("popup"), popup->windowTitle(), QMessageBox::NoIcon, {}, false});
        popup->close();
    }
    QWidget* const modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    auto* const box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        seen_.push_back(
            {QStringLiteral("modal window"), modal->windowTitle(), QMessageBox::NoIcon, {}, false});
        modal->close();
        return;
    }
    seen_.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), true});
    if (QAbstractButton* const ok = box->button(QMessageBox::Ok)) {
        QTest::mouseClick(ok, Qt::LeftButton);
    } else {
        box->reject();
    }
}
