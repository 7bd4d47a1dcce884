// A shown, active top-level window for GUI tests, with user input sent the
// way the windowing system sends it: keys to whatever has the focus at the
// moment, clicks at a point of a widget.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// Fails the test instead of hanging when a modal dialog or a popup opens.
class ModalWatchdog {
public:
    ModalWatchdog() {
        timer_.setInterval(200);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected modal window";
                modal->close();
            }
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ADD_FAILURE() << "unexpected popup";
                popup->close();
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

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

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyPress(window_->windowHandle(), key, modifiers);
    }
    void Release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyRelease(window_->windowHandle(), key, modifiers);
    }
    void Tap(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Press(key, modifiers);
        Release(key, modifiers);
    }

    // A left click at `at` in the widget's own pixels.
    void Click(const QWidget& widget, QPoint at) {
        QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          widget.mapTo(window_.get(), at));
    }

private:
    ModalWatchdog watchdog_;
    std::unique_ptr<QWidget> window_;
};
