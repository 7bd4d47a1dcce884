// Runs the batch on a CSV text and reads its output back by column name.
#pragma once

#include "batch.h"

#include <map>
#include <string>
#include <vector>

using Row = std::map<std::string, std::string>;

struct BatchRun {
    int status = -1;
    std::vector<Row> rows;
    std::string out;
    std::string err;
};

inline const std::string Header =
    "voltage_kV,power_kW,slip,efficiency,power_factor,current_ratio\n";

BatchRun Batch(const std::string& csv, const BatchOptions& options = {});

// The rows of a CSV text, each keyed by the header's names; the delimiter is
// found from the header.
std::vector<Row> ReadRows(const std::string& csv);

double Number(const Row& row, const char* column);
