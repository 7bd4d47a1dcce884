// The only lines a calculation may leave in the warning box: at most one per
// name-plate row, in row order, then the solver's own line.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct KnownWarning {
    std::string_view text;
    int row; // name-plate row 1..6; 7 for the solver
};

inline constexpr std::array<KnownWarning, 9> CheckWarnings{{
    {"too small nominal voltage", 1},
    {" too small nominal power", 2},
    {" too large slip", 3},
    {"too small slip", 3},
    {"too large efficiency", 4},
    {"too small efficiency", 4},
    {"too large power factor", 5},
    {" too small power factor pf ", 5},
    {"too small locked rotor current /nominal current", 6},
}};

// Followed by the ten-character display text of the ratio that the circuit
// without leakage draws.
inline constexpr std::string_view SolverLinePrefix = "cannot solve parameters. Ilocked/Inom. = ";
inline constexpr std::size_t DisplayTextLength = 10;

inline bool IsSolverLine(std::string_view line) {
    return line.size() == SolverLinePrefix.size() + DisplayTextLength &&
           line.substr(0, SolverLinePrefix.size()) == SolverLinePrefix;
}

// The row a line belongs to, or 0 for a line of no known form.
inline int RowOfWarning(std::string_view line) {
    for (const KnownWarning& w : CheckWarnings) {
        if (line == w.text) {
            return w.row;
        }
    }
    return IsSolverLine(line) ? 7 : 0;
}

// Every line known, rows strictly increasing (so at most one line per row,
// and the solver's line last).
inline bool WarningsWellFormed(const std::vector<std::string>& lines) {
    int previousRow = 0;
    for (const std::string& line : lines) {
        const int row = RowOfWarning(line);
        if (row == 0 || row <= previousRow) {
            return false;
        }
        previousRow = row;
    }
    return true;
}
