#include "edit_array_events.h"

#include "edit_array.h"
#include "virtual_keys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

bool IsWindowSwitch(const QFocusEvent& event) {
    return event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason;
}

bool IsMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
}

} // namespace

TEditArrayEvents::TEditArrayEvents(TEditArray& array) : array_(array) {}

void TEditArrayEvents::Watch(QWidget& box) {
    box.installEventFilter(this);
}

void TEditArrayEvents::FocusIn(QObject* box) {
    if (entered_ == box) {
        return;
    }
    // The focus went elsewhere while the window was inactive.
    if (entered_ != nullptr) {
        array_.EditExit(entered_);
    }
    entered_ = box;
    array_.Enter(box);
}

void TEditArrayEvents::FocusOut(QObject* box) {
    if (entered_ != box) {
        return;
    }
    entered_ = nullptr;
    array_.EditExit(box);
}

bool TEditArrayEvents::eventFilter(QObject* watched, QEvent* event) {
    // Qt shows the mouse events of a disabled box to its filters, though the
    // box itself takes no mouse input; neither does the array.
    if (IsMouseEvent(event->type()) && !static_cast<const QWidget*>(watched)->isEnabled()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        uint16_t code = VirtualKeyOf(key);
        array_.KeyDown(watched, code, key.modifiers());
        break;
    }
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // A held key repeats its press only, as on the PC keyboard; the
        // release pairs that some windowing systems add are not releases.
        if (!key.isAutoRepeat()) {
            uint16_t code = VirtualKeyOf(key);
            array_.KeyUp(watched, code, key.modifiers());
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        const QPoint at = mouse.position().toPoint();
        array_.MouseDown(watched, mouse.button(), mouse.modifiers(), at.x(), at.y());
        break;
    }
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        const QPoint at = mouse.position().toPoint();
        array_.EditMouseMove(watched, mouse.modifiers(), at.x(), at.y());
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        const QPoint at = mouse.position().toPoint();
        array_.MouseUp(watched, mouse.button(), mouse.modifiers(), at.x(), at.y());
        break;
    }
    case QEvent::FocusIn:
        if (static_cast<const QFocusEvent&>(*event).reason() != Qt::PopupFocusReason) {
            FocusIn(watched);
        }
        break;
    case QEvent::FocusOut:
        if (!IsWindowSwitch(static_cast<const QFocusEvent&>(*event))) {
            FocusOut(watched);
        }
        break;
    default:
        break;
    }
    return false;
}
