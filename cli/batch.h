// The batch conversion: name plates in as CSV, one output row per input row
// with the circuit, its display texts, its per-unit view and a check of the
// circuit against the name plate. Each row is computed exactly as the
// window computes one Calculate click.
#pragma once

#include <array>
#include <filesystem>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct BatchOptions {
    float frequency = 50.0f; // supply frequency of the inductances, 50 or 60
    std::string baseMva = "1";
    std::string baseKv = "1";
    std::string puFrequency = "50";
    // When given, DIR/row-n.csv receives the curves of data row n (from 1);
    // DIR is created when missing.
    std::filesystem::path curvesDir;
    bool overwriteCurves = false;
};

// The name-plate columns, in the order of the window's input rows.
inline constexpr std::array<std::string_view, 6> InputColumns{
    "voltage_kV", "power_kW", "slip", "efficiency", "power_factor", "current_ratio"};

// The columns appended to the input columns, in output order.
const std::vector<std::string>& OutputColumns();

// Thrown for input the batch cannot read at all; the message names the line.
class BatchInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Exit status of a run.
enum BatchStatus : int { AllRowsComputed = 0, SomeRowFailed = 1, UsageOrInputError = 2 };

// Reads the CSV, writes the results; reports an input error on err, with
// the rows before it already written.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options);
