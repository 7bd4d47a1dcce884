// Shared helpers of the model tests.
#pragma once

#include "text_nameplate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The name plate a new window starts with.
inline TextNameplate::Fields DefaultFields() {
    return {"1", "10", "0.02", "0.9", "0.8", "5"};
}

inline TextNameplate::Fields FieldsWith(int row, std::string text) {
    TextNameplate::Fields fields = DefaultFields();
    fields[static_cast<std::size_t>(row - 1)] = std::move(text);
    return fields;
}

// A value quoted "about" with a given number of significant digits agrees
// with the quoted text within one unit of its last digit.
inline testing::AssertionResult About(double actual, const char* quoted) {
    const double expected = std::stod(quoted);
    const std::string q(quoted);
    const auto point = q.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(q.size() - point - 1);
    const double tolerance = std::pow(10.0, -decimals);
    if (std::fabs(actual - expected) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " is not about " << quoted;
}
