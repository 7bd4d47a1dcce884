// A shown, active top-level window for GUI tests, with user input sent the
// way the windowing system sends it: keys to whatever has the focus at the
// moment, clicks at a point of a widget.
#pragma once

#include <QTest>
#include <QWidget>
#include <memory>

class GuiWindow {
public:
    GuiWindow() : window_(std::make_unique<QWidget>()) { window_->resize(480, 720); }

    QWidget& Widget() { return *window_; }

    // Shows and activates the window, so that focus changes send focus events.
    bool ShowActive() {
        window_->show();
        window_->activateWindow();
        return QTest::qWaitForWindowActive(window_.get());
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers mod = {}) { QTest::keyPress(Handle(), key, mod); }
    void Release(Qt::Key key, Qt::KeyboardModifiers mod = {}) {
        QTest::keyRelease(Handle(), key, mod);
    }
    void Tap(Qt::Key key, Qt::KeyboardModifiers mod = {}) { QTest::keyClick(Handle(), key, mod); }

    // A left click at `at` in the widget's own pixels.
    void Click(const QWidget& widget, QPoint at) {
        QTest::mouseClick(Handle(), Qt::LeftButton, {}, widget.mapTo(window_.get(), at));
    }

private:
    QWindow* Handle() const { return window_->windowHandle(); }

    std::unique_ptr<QWidget> window_;
};
