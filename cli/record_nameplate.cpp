#include "record_nameplate.h"

#include "fp_errors.h"
#include "fp_store.h"
#include "read_number.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr std::size_t SlipInput = 2;
constexpr std::size_t EfficiencyInput = 3;
constexpr std::size_t PowerFactorInput = 4;

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// ASCII only: the names looked for are ASCII.
bool SameName(std::string_view headerName, std::string_view name) {
    while (!headerName.empty() && IsWhiteSpace(headerName.front())) {
        headerName.remove_prefix(1);
    }
    while (!headerName.empty() && IsWhiteSpace(headerName.back())) {
        headerName.remove_suffix(1);
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(headerName.begin(), headerName.end(), name.begin(), name.end(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

std::optional<std::size_t> FindColumn(const std::vector<std::string>& header,
                                      std::string_view name) {
    std::optional<std::size_t> found;
    for (std::size_t c = 0; c < header.size(); ++c) {
        if (SameName(header[c], name)) {
            if (found) {
                throw HeaderError("column " + std::string(name) + " appears twice");
            }
            found = c;
        }
    }
    return found;
}

struct FieldRead {
    float value = 0;
    bool exact = true;
    std::exception_ptr error; // raised when the check reads the field
};

FieldRead ReadField(std::string_view text) {
    try {
        const NumberRead read = ReadNumbers(text);
        return {read.value, read.IsOneNumber(), nullptr};
    } catch (const SystemError&) {
        return {0, true, std::current_exception()};
    }
}

void AppendProblem(std::string& problems, std::string_view column, std::string_view text,
                   float value, bool percentage) {
    if (!problems.empty()) {
        problems += " | ";
    }
    problems += column;
    problems += ": '";
    problems += text;
    problems += "' read as ";
    char digits[32];
    problems.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    if (percentage) {
        problems += " (a percentage? the column takes a fraction)";
    }
}

// Notes the field in problems when it was not one clean number, or when a
// fraction seems typed as a percentage.
void Note(std::string& problems, std::string_view column, std::string_view text,
          const FieldRead& read, bool percentage) {
    if (read.error == nullptr && (!read.exact || percentage)) {
        AppendProblem(problems, column, text, read.value, percentage);
    }
}

} // namespace

NameplateColumns FindNameplateColumns(const std::vector<std::string>& header) {
    NameplateColumns columns;
    for (std::size_t i = 0; i < InputColumns.size(); ++i) {
        const std::optional<std::size_t> found = FindColumn(header, InputColumns[i]);
        if (found) {
            columns.where[i] = *found;
        } else if (i == SlipInput) {
            columns.slipFromSpeed = true;
        } else {
            throw HeaderError("missing column " + std::string(InputColumns[i]));
        }
    }
    if (columns.slipFromSpeed) {
        const std::optional<std::size_t> speed = FindColumn(header, SpeedColumn);
        const std::optional<std::size_t> sync = FindColumn(header, SyncSpeedColumn);
        const std::optional<std::size_t> poles = FindColumn(header, PolesColumn);
        if (!speed || (!sync && !poles)) {
            throw HeaderError("missing column slip (or speed_rpm with poles or sync_speed_rpm)");
        }
        columns.speed = *speed;
        columns.byPoles = !sync;
        columns.synchronous = sync ? *sync : *poles;
    }
    return columns;
}

bool AllFieldsBlank(const std::vector<std::string>& record) {
    return std::all_of(record.begin(), record.end(), [](const std::string& field) {
        return field.find_first_not_of(' ') == std::string::npos;
    });
}

float RecordNameplate::ReadInput(std::size_t input, std::string_view text, std::string& problems) {
    const FieldRead read = ReadField(text);
    const bool fraction = input == EfficiencyInput || input == PowerFactorInput;
    const bool percentage =
        (fraction && read.value > 1 && read.value <= 100) || (input == SlipInput && read.value > 1);
    Note(problems, InputColumns[input], text, read, percentage);
    exact_ = exact_ && read.exact;
    errors_[input] = read.error;
    return read.value;
}

void RecordNameplate::ReadSlipFromSpeed(const std::vector<std::string>& record,
                                        const NameplateColumns& columns, float frequency,
                                        std::string& problems) {
    const std::string_view syncColumn = columns.byPoles ? PolesColumn : SyncSpeedColumn;
    const FieldRead speed = ReadField(record[columns.speed]);
    const FieldRead sync = ReadField(record[columns.synchronous]);
    Note(problems, SpeedColumn, record[columns.speed], speed, false);
    Note(problems, syncColumn, record[columns.synchronous], sync, false);
    exact_ = exact_ && speed.exact && sync.exact;
    std::exception_ptr& error = errors_[SlipInput];
    error = speed.error ? speed.error : sync.error;
    if (error) {
        return;
    }
    if (!(sync.value > 0)) {
        error = std::make_exception_ptr(
            SystemError(std::string(syncColumn) + " must be greater than 0"));
        return;
    }
    try {
        // s = (n_sync - n) / n_sync, with n_sync = 120 f / poles.
        const Extended speedOverSync =
            columns.byPoles ? Wide(speed.value) * Wide(sync.value) / (120.0L * Wide(frequency))
                            : Wide(speed.value) / Wide(sync.value);
        values_[SlipInput] = StoreSingle(1.0L - speedOverSync);
    } catch (const SystemError&) {
        error = std::current_exception();
    }
}

void RecordNameplate::Read(const std::vector<std::string>& record, const NameplateColumns& columns,
                           float frequency, std::string& problems) {
    exact_ = true;
    for (std::size_t i = 0; i < InputColumns.size(); ++i) {
        if (i == SlipInput && columns.slipFromSpeed) {
            ReadSlipFromSpeed(record, columns, frequency, problems);
        } else {
            values_[i] = ReadInput(i, record[columns.where[i]], problems);
        }
    }
}

float RecordNameplate::GetData(int32_t row, int32_t col) const {
    if (col != 1 || row < 1 || row > static_cast<int32_t>(values_.size())) {
        return 0;
    }
    const auto input = static_cast<std::size_t>(row - 1);
    if (errors_[input]) {
        std::rethrow_exception(errors_[input]);
    }
    return values_[input];
}
