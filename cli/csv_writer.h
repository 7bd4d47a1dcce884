#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// One record, fields quoted only where RFC 4180 needs it, ended by LF.
void WriteCsvRecord(std::ostream& out, const std::vector<std::string>& fields,
                    char delimiter = ',');

// A field as it stands in a record.
std::string CsvField(std::string_view text, char delimiter = ',');

// Appends CsvField(text, delimiter) to line.
void AppendCsvField(std::string& line, std::string_view text, char delimiter = ',');
