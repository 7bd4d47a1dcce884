#include "modal_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

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
    return std::exchange(seen_, {});
}

void ModalBoxes::Poll() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        seen_.push_back({QStringLiteral("popup"), popup->windowTitle()});
        popup->close();
    }
    QWidget* const modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    auto* const box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        seen_.push_back({QStringLiteral("modal window"), modal->windowTitle()});
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
