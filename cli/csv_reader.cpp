#include "csv_reader.h"

#include <utility>

namespace {

constexpr int Eof = std::char_traits<char>::eof();

} // namespace

CsvError::CsvError(long line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

CsvReader::CsvReader(std::istream& in) : buf_(in.rdbuf()) {}

int CsvReader::Get() {
    const int c = buf_->sbumpc();
    if (c == '\n') {
        ++line_;
    }
    return c;
}

int CsvReader::Peek() {
    return buf_->sgetc();
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    fields.clear();
    if (atStart_) {
        atStart_ = false;
        // A UTF-8 byte order mark, as some spreadsheets write it, is not data.
        if (Peek() == 0xEF) {
            const std::string bom = "\xEF\xBB\xBF";
            std::string seen;
            while (seen.size() < bom.size() &&
                   Peek() == static_cast<unsigned char>(bom[seen.size()])) {
                seen.push_back(static_cast<char>(Get()));
            }
            if (seen != bom) {
                throw CsvError(line_, "malformed byte order mark");
            }
        }
    }
    if (Peek() == Eof) {
        return false;
    }
    recordLine_ = line_;
    std::string field;
    for (;;) {
        int c = Get();
        if (c == '"' && field.empty()) {
            const long opened = line_;
            for (;;) {
                c = Get();
                if (c == Eof) {
                    throw CsvError(opened, "quoted field is not closed");
                }
                if (c == '"') {
                    if (Peek() == '"') {
                        Get();
                        field.push_back('"');
                        continue;
                    }
                    break;
                }
                field.push_back(static_cast<char>(c));
            }
            c = Get();
            if (c != ',' && c != '\n' && c != '\r' && c != Eof) {
                throw CsvError(line_, "text after the closing quote of a field");
            }
        }
        if (c == '"') {
            throw CsvError(line_, "quote inside an unquoted field");
        }
        if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
            continue;
        }
        if (c == '\r') {
            if (Peek() != '\n') {
                throw CsvError(line_, "carriage return not followed by line feed");
            }
            Get();
            c = '\n';
        }
        if (c == '\n' || c == Eof) {
            fields.push_back(std::move(field));
            return true;
        }
        field.push_back(static_cast<char>(c));
    }
}
