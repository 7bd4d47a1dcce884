// Shared helpers of the model tests.
#pragma once

#include "bits.h"
#include "motor_model.h"
#include "named_rows.h"
#include "text_nameplate.h"
#include "warning_doubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>

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
    const std::string q(quoted);
    const auto point = q.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(q.size() - point - 1);
    if (std::fabs(actual - std::stod(q)) <= std::pow(10.0, -decimals)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " is not about " << quoted;
}

// Each value about its quoted text.
inline void ExpectAbout(std::initializer_list<std::pair<double, const char*>> values) {
    for (const auto& [actual, quoted] : values) {
        EXPECT_TRUE(About(actual, quoted));
    }
}

// One whole calculation, with a stand-in for the warning box and its button.
struct Calculation {
    RecordingMemo memo;
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = memo.ok};
    SolvedCircuit solved;

    Calculation& Run(const TextNameplate::Fields& fields, float frequency) {
        CalcEquivalentCircuit(TextNameplate(fields), circuit, frequency, &solved);
        return *this;
    }
};
