#include "batch_run.h"

#include "csv_reader.h"

#include <sstream>

std::vector<Row> ReadRows(const std::string& csv) {
    std::istringstream in(csv);
    CsvReader reader(in, std::nullopt);
    std::vector<std::string> header;
    std::vector<std::string> record;
    std::vector<Row> rows;
    if (reader.Next(header)) {
        while (reader.Next(record)) {
            Row row;
            for (std::size_t i = 0; i < header.size() && i < record.size(); ++i) {
                row[header[i]] = record[i];
            }
            rows.push_back(row);
        }
    }
    return rows;
}

BatchRun Batch(const std::string& csv, const BatchOptions& options) {
    std::istringstream in(csv);
    std::ostringstream out;
    std::ostringstream err;
    BatchRun run;
    run.status = RunBatch(in, out, err, options);
    run.out = out.str();
    run.err = err.str();
    run.rows = ReadRows(run.out);
    return run;
}

double Number(const Row& row, const char* column) {
    return std::stod(row.at(column));
}
