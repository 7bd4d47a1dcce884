// The fixture of the window tests: one run of the program under a chosen C
// locale, with a watch for modal boxes, and the two windows built in this
// order under the locale and shown. Any modal box that the test did not
// take fails it.
#pragma once

#include "locale_scope.h"
#include "modal_boxes.h"
#include "motor_window.h"
#include "named_rows.h"

#include <gtest/gtest.h>

class MainWindow : public ::testing::Test {
protected:
    explicit MainWindow(const char* locale = PointLocale) : locale_(locale) {}

    void SetUp() override {
        ASSERT_TRUE(locale_.Installed()) << "locale not installed";
        ASSERT_TRUE(window_.ShowActive()) << "main window not shown and active";
    }

    MotorWindow& W() { return window_; }
    TMotorForm& F() { return window_.Form(); }
    ModalBoxes& Boxes() { return boxes_; }

private:
    LocaleScope locale_;
    ModalBoxes boxes_;
    MotorWindow window_;
};
