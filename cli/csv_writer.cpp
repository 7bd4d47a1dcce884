#include "csv_writer.h"

#include <algorithm>

namespace {

bool NeedsQuotes(std::string_view text, char delimiter) {
    return std::any_of(text.begin(), text.end(), [delimiter](char c) {
        return c == delimiter || c == '"' || c == '\r' || c == '\n';
    });
}

} // namespace

void AppendCsvField(std::string& line, std::string_view text, char delimiter) {
    if (!NeedsQuotes(text, delimiter)) {
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

std::string CsvField(std::string_view text, char delimiter) {
    std::string field;
    AppendCsvField(field, text, delimiter);
    return field;
}

void WriteCsvRecord(std::ostream& out, const std::vector<std::string>& fields, char delimiter) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += delimiter;
        }
        AppendCsvField(line, fields[i], delimiter);
    }
    line += '\n';
    out << line;
}
