// User input sent the way the windowing system sends it: keys to the window,
// which hands them to whatever has the focus, clicks at a point of a widget,
// found under that point by the toolkit.
#pragma once

#include <QTest>
#include <QWidget>
#include <string_view>

class QtInput {
public:
    explicit QtInput(QWidget* window) : window_(window) {}

    // Shows the window and makes it the active one, so that focus changes
    // send focus events.
    bool ShowActive() {
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_)) {
            return false;
        }
        window_->activateWindow();
        return QTest::qWaitForWindowActive(window_);
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyPress(Handle(), key, mods);
    }
    void Release(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyRelease(Handle(), key, mods);
    }
    void Tap(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(Handle(), key, mods); }
    // Printable ASCII, one key at a time.
    void Type(std::string_view text) {
        for (const char c : text) {
            QTest::keyClick(Handle(), c);
        }
    }

    // A left click at `at` in the widget's own pixels; its centre by default.
    static void Click(QWidget& widget, QPoint at = QPoint(-1, -1)) {
        QWidget* const window = widget.window();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          widget.mapTo(window, at == QPoint(-1, -1) ? widget.rect().center() : at));
    }

private:
    QWindow* Handle() const { return window_->windowHandle(); }

    QWidget* window_;
};

// A plain top-level window to put the widgets under test in.
class QtWindow : public QWidget, public QtInput {
public:
    QtWindow() : QtInput(this) { resize(480, 720); }
};
