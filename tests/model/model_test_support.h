// Shared helpers of the model tests.
#pragma once

#include "bits.h"
#include "motor_model.h"
#include "text_nameplate.h"
#include "warning_doubles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using Lines = std::vector<std::string>;

// The name plate a new window starts with.
inline TextNameplate::Fields DefaultFields() {
    return {"1", "10", "0.02", "0.9", "0.8", "5"};
}

inline TextNameplate::Fields FieldsWith(int row, std::string text) {
    TextNameplate::Fields fields = DefaultFields();
    fields[static_cast<std::size_t>(row - 1)] = std::move(text);
    return fields;
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
