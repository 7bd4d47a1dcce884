// One test's run of the program: the C locale it runs under, the watch for
// modal boxes, and the two windows, built in this order under the locale
// and shown. Any modal box that the test did not take fails it.
#pragma once

#include "locale_scope.h"
#include "modal_boxes.h"
#include "motor_window.h"

#include <gtest/gtest.h>

class MotorSession {
public:
    explicit MotorSession(const char* locale = PointLocale) : locale_(locale) {}

    // Call from SetUp: shows the main window.
    ::testing::AssertionResult Start() {
        if (!locale_.Installed()) {
            return ::testing::AssertionFailure() << "locale not installed";
        }
        if (!window_.ShowActive()) {
            return ::testing::AssertionFailure() << "main window not shown and active";
        }
        return ::testing::AssertionSuccess();
    }

    MotorWindow& Window() { return window_; }
    TMotorForm& Form() { return window_.Form(); }
    ModalBoxes& Boxes() { return boxes_; }

private:
    LocaleScope locale_;
    ModalBoxes boxes_;
    MotorWindow window_;
};

// The main window under the '.' locale.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.Start()); }

    MotorWindow& W() { return session_.Window(); }
    TMotorForm& F() { return session_.Form(); }

    MotorSession session_;
};
