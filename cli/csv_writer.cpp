#include "csv_writer.h"

#include <algorithm>

namespace {

bool NeedsQuotes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

} // namespace

void AppendCsvField(std::string& line, std::string_view text) {
    if (!NeedsQuotes(text)) {
        line += text;
        return;
    }
    line += '"';
    for (const char c : text) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

std::string CsvField(std::string_view text) {
    std::string field;
    AppendCsvField(field, text);
    return field;
}

void WriteCsvRecord(std::ostream& out, const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendCsvField(line, fields[i]);
    }
    line += '\n';
    out << line;
}
