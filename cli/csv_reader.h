// A strict RFC 4180 reader that streams one record at a time, so that input
// of any length runs in constant memory. Records end in CR LF or LF; a field
// holding the delimiter, '"' or a line end is quoted, with '"' doubled inside.
// Anything else (a quote inside an unquoted field, text after a closing
// quote, a quoted field left open at the end) is refused with the line it
// stands on. The delimiter is ',' unless told, or found from the first line:
// spreadsheets in locales with a decimal comma separate fields with ';'.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class CsvError : public std::runtime_error {
public:
    CsvError(long line, const std::string& what);
    long Line() const { return line_; }

private:
    long line_;
};

// Of ',', ';' and tab, the one that stands most often outside quotes in the
// text up to its first line end; ',' when none does or on a tie with it, ';'
// on a tie with tab.
char DetectDelimiter(std::string_view text);

class CsvReader {
public:
    // Without a delimiter, DetectDelimiter on the first line chooses it.
    explicit CsvReader(std::istream& in, std::optional<char> delimiter = ',');

    // The delimiter in use; found when the first record is read.
    char Delimiter() const { return delimiter_; }

    // Reads the next record into fields; false at the end of the input.
    // An empty line is a record of one empty field.
    bool Next(std::vector<std::string>& fields);

    // The line on which the record last read begins, counted from 1.
    long RecordLine() const { return recordLine_; }

private:
    static constexpr int End = -1;

    int Get();
    int Peek();
    bool Fill();
    // Appends characters up to the next delimiter, '"', CR or LF to field.
    void TakePlain(std::string& field);

    std::streambuf* buf_;
    // The input is read in large blocks: a call into the stream for each
    // character would cost more than the rest of the reading.
    std::vector<char> block_ = std::vector<char>(1 << 16);
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    long line_ = 1;
    long recordLine_ = 0;
    bool atStart_ = true;
    bool detect_;
    char delimiter_;
};
