// The fixture of the window tests: one run of the program under a chosen C
// locale, with a watch for modal boxes, and the two windows built in this
// order under the locale and shown. Any modal box that the test did not
// take fails it.
#pragma once

#include "locale_scope.h"
#include "modal_boxes.h"
#include "motor_window.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

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

// Names a parameterised test after its table row.
struct RowName {
    template <typename Info> std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

// Table rows print as their names in failure messages. In the unnamed
// namespace, which is the test file's own, so that lookup finds it beside
// the rows; the constraint makes it win over the library's printer.
namespace {
template <typename Row>
concept NamedRow = requires(const Row& row) {
    row.name;
};

template <NamedRow Row> void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}
} // namespace
