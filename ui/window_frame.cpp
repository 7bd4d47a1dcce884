#include "window_frame.h"

#include <QScreen>
#include <QWidget>

QSize OuterSize(const QWidget& window) {
    const QSize frame = window.frameGeometry().size();
    const QSize client = window.size();
    if (frame != client) {
        return frame;
    }
    return client + DesignFrame;
}

QSize ClientSizeFor(QSize outer) {
    return outer - DesignFrame;
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize outer = OuterSize(window);
    window.move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}
