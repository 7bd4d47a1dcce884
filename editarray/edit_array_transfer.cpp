// The column transfer and date operations of TEditArray. They touch only the
// boxes' texts: not the current box, Cpos or any TagB.
#include "edit_array.h"
#include "edit_array_io_error.h"

#include <array>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>

namespace {

// February always has 28 days here; any other month number counts as 31.
int32_t DaysInMonth(int32_t month) {
    constexpr std::array<int32_t, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? kDays[static_cast<size_t>(month - 1)] : 31;
}

// A file stream that was never opened reads like an empty file; it is an
// error all the same.
bool IsNotOpen(const std::ios& stream) {
    const auto* const file = dynamic_cast<const std::filebuf*>(stream.rdbuf());
    return stream.rdbuf() == nullptr || (file != nullptr && !file->is_open());
}

void WriteLine(std::ostream& file, const QString& line) {
    if (file && !IsNotOpen(file)) {
        file << line.toStdString() << "\r\n";
        if (file) {
            return;
        }
    }
    throw EditArrayIoError("Input/output error writing a line");
}

QString TextOf(const TAlignEdit* box) {
    return box != nullptr ? box->text() : QString();
}

} // namespace

void TEditArray::WriteAllLines(const QString& prefix, const QString& separator, int32_t width,
                               std::ostream& file) const {
    const int32_t field = width > MaxChars ? width : MaxChars + 1;
    for (int32_t r = 1; r <= Nrows; ++r) {
        QString line = prefix;
        for (int32_t c = 1; c <= Ncols; ++c) {
            const QString text = TextOf(Box(r, c));
            if (text.size() < field) {
                line += QString(field - text.size(), QLatin1Char(' '));
            }
            line += text;
            if (c < Ncols) {
                line += separator;
            }
        }
        WriteLine(file, line);
    }
}

void TEditArray::SaveColumn(int32_t col, std::ostream& file) const {
    if (col < 1 || col > Ncols) {
        return;
    }
    for (int32_t r = 1; r <= Nrows; ++r) {
        WriteLine(file, TextOf(Box(r, col)));
    }
}

void TEditArray::ReadColumn(int32_t col, std::istream& file) {
    if (col < 1 || col > Ncols) {
        return;
    }
    for (int32_t r = 1; r <= Nrows; ++r) {
        // A stream that met its end cleanly has only the end-of-file mark;
        // any other fault (not open, read error) is an error.
        if (IsNotOpen(file)) {
            throw EditArrayIoError("Input/output error reading a line");
        }
        if (file.good()) {
            file.peek();
        }
        if (file.eof() && !file.fail()) {
            return;
        }
        std::string line;
        if (!file || !std::getline(file, line)) {
            throw EditArrayIoError("Input/output error reading a line");
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // The length limit of a box binds typing only; a longer line is set whole.
        if (TAlignEdit* const box = Box(r, col)) {
            box->SetText(QString::fromStdString(line));
        }
    }
}

void TEditArray::FillDates(int32_t month, int32_t col) {
    if (col < 1 || col > Ncols) {
        return;
    }
    const int32_t days = std::min(DaysInMonth(month), Nrows);
    for (int32_t r = 1; r <= Nrows; ++r) {
        TAlignEdit* const box = Box(r, col);
        if (box == nullptr) {
            continue;
        }
        if (r <= days) {
            box->SetText(QStringLiteral("%1.%2").arg(r).arg(month));
        } else {
            box->SetText(QString());
        }
    }
}
