// The batch conversion: name plates in as CSV, one output row per input row
// with the circuit, its display texts, its per-unit view, a check of the
// circuit against the name plate, the values it was computed from and a
// status that says whether anything was read, replaced or missed. Each row
// is computed exactly as the window computes one Calculate click.
#pragma once

#include <array>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct BatchOptions {
    float frequency = 50.0f; // supply frequency of the inductances, 50 or 60
    std::string baseMva = "1";
    std::string baseKv = "1";
    // The text of the per-unit frequency box; the supply frequency when not given.
    std::optional<std::string> puFrequency;
    // The input's field delimiter; found from the header line when not given.
    std::optional<char> delimiter;
    // The output's: the input's delimiter, and ',' as decimal mark after a
    // ';' delimiter ('.' otherwise), when not given.
    std::optional<char> outputDelimiter;
    std::optional<char> outputDecimal;
    // When given, DIR/row-n.csv receives the curves of data row n (from 1);
    // DIR is created when missing.
    std::filesystem::path curvesDir;
    bool overwriteCurves = false;
    // Rows done and their rate on the error stream now and then, for a
    // terminal.
    bool progress = false;
};

// The columns appended to the input columns, in output order.
const std::vector<std::string>& OutputColumns();

// Thrown for input the batch cannot read at all; the message names the line.
class BatchInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Exit status of a run.
enum BatchStatus : int { AllRowsOk = 0, SomeRowNotOk = 1, UsageOrInputError = 2 };

// What a row's `status` column says, worst first.
enum class RowStatus { Error, Unreadable, Fallback, Substituted, Ok };
inline constexpr std::array<std::string_view, 5> RowStatusNames{"error", "unreadable", "fallback",
                                                                "substituted", "ok"};

// Reads the CSV, writes the results; reports an input error on err, with
// the rows before it already written, and at the end of a complete run a
// summary line: the rows, how many of each status, the empty rows skipped.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options);
