#include "csv_reader.h"

#include <string_view>
#include <utility>

CsvError::CsvError(long line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

char DetectDelimiter(std::string_view text) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    std::size_t tabs = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\n') {
            break;
        } else if (c == ',') {
            ++commas;
        } else if (c == ';') {
            ++semicolons;
        } else if (c == '\t') {
            ++tabs;
        }
    }
    if (commas >= semicolons && commas >= tabs) {
        return ',';
    }
    return semicolons >= tabs ? ';' : '\t';
}

CsvReader::CsvReader(std::istream& in, std::optional<char> delimiter)
    : buf_(in.rdbuf()), detect_(!delimiter), delimiter_(delimiter.value_or(',')) {}

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
            if (c == delimiter_ || c == '"' || c == '\r' || c == '\n') {
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
        // The first line is looked at as far as the first block holds it: a
        // header longer than a block is not met in practice.
        if (detect_ && Peek() != End) {
            delimiter_ = DetectDelimiter(std::string_view(block_.data() + next_, filled_ - next_));
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
            if (c != delimiter_ && c != '\n' && c != '\r' && c != End) {
                throw CsvError(line_, "text after the closing quote of a field");
            }
        }
        if (c == '"') {
            throw CsvError(line_, "quote inside an unquoted field");
        }
        if (c == delimiter_) {
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
