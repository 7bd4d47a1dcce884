#include "csv_reader.h"

#include <string_view>
#include <utility>

CsvError::CsvError(long line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

CsvReader::CsvReader(std::istream& in) : buf_(in.rdbuf()) {}

bool CsvReader::Fill() {
    next_ = 0;
    filled_ = static_cast<std::size_t>(
        buf_->sgetn(block_.data(), static_cast<std::streamsize>(block_.size())));
    return filled_ > 0;
}

int CsvReader::Peek() {
    if (next_ == filled_ && !Fill()) {
        return End;
    }
    return static_cast<unsigned char>(block_[next_]);
}

int CsvReader::Get() {
    const int c = Peek();
    if (c != End) {
        ++next_;
        if (c == '\n') {
            ++line_;
        }
    }
    return c;
}

void CsvReader::TakePlain(std::string& field) {
    for (;;) {
        const std::size_t start = next_;
        while (next_ < filled_) {
            const char c = block_[next_];
            if (c == ',' || c == '"' || c == '\r' || c == '\n') {
                break;
            }
            ++next_;
        }
        field.append(block_.data() + start, next_ - start);
        if (next_ < filled_ || !Fill()) {
            return;
        }
    }
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    fields.clear();
    if (atStart_) {
        atStart_ = false;
        // A UTF-8 byte order mark, as some spreadsheets write it, is not data.
        if (Peek() == 0xEF) {
            const std::string_view bom = "\xEF\xBB\xBF";
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
    if (Peek() == End) {
        return false;
    }
    recordLine_ = line_;
    std::string field;
    for (;;) {
        TakePlain(field);
        int c = Get();
        if (c == '"' && field.empty()) {
            const long opened = line_;
            for (;;) {
                c = Get();
                if (c == End) {
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
            if (c != ',' && c != '\n' && c != '\r' && c != End) {
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
        // Nothing else is left: a line end or the end of the input.
        fields.push_back(std::move(field));
        return true;
    }
}
