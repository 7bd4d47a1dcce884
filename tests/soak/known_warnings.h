// The only lines a calculation may leave in the warning box: at most one per
// name-plate row, in row order, then the solver's own line.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The check's lines with the name-plate row (1 to 6) each belongs to.
inline constexpr std::pair<std::string_view, int> CheckWarnings[] = {
    // clang-format off
    {"too small nominal voltage", 1}, {" too small nominal power", 2},
    {" too large slip", 3},           {"too small slip", 3},
    {"too large efficiency", 4},      {"too small efficiency", 4},
    {"too large power factor", 5},    {" too small power factor pf ", 5},
    {"too small locked rotor current /nominal current", 6},
    // clang-format on
};

// Followed by the ten-character display text of the ratio that the circuit
// without leakage draws.
inline constexpr std::string_view SolverLinePrefix = "cannot solve parameters. Ilocked/Inom. = ";

inline bool IsSolverLine(std::string_view line) {
    return line.size() == SolverLinePrefix.size() + 10 && line.starts_with(SolverLinePrefix);
}

// Every line known, rows strictly increasing (so at most one line per row,
// and the solver's line, row 7, last).
inline bool WarningsWellFormed(const std::vector<std::string>& lines) {
    int previousRow = 0;
    for (const std::string& line : lines) {
        int row = IsSolverLine(line) ? 7 : 0;
        for (const auto& [text, textRow] : CheckWarnings) {
            row = line == text ? textRow : row;
        }
        if (row <= previousRow) {
            return false;
        }
        previousRow = row;
    }
    return true;
}
