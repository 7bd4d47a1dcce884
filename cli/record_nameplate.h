// The name plate of one CSV record, as the model's check reads it: which
// column holds which input, each field read by the window's rule (the first
// number, 0 for a text that cannot be read), and a note for every field that
// was not exactly one well-formed number, so that no value is misread in
// silence. The slip may instead come from the rated speed and the pole count
// or the synchronous speed.
#pragma once

#include "nameplate_source.h"

#include <array>
#include <cstddef>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The name-plate columns, in the order of the window's input rows.
inline constexpr std::array<std::string_view, 6> InputColumns{
    "voltage_kV", "power_kW", "slip", "efficiency", "power_factor", "current_ratio"};

// Used when there is no slip column: speed_rpm with poles or sync_speed_rpm.
inline constexpr std::string_view SpeedColumn = "speed_rpm";
inline constexpr std::string_view PolesColumn = "poles";
inline constexpr std::string_view SyncSpeedColumn = "sync_speed_rpm";

// A header the name plate cannot be found in; the message names the column.
class HeaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a record's inputs stand.
struct NameplateColumns {
    std::array<std::size_t, InputColumns.size()> where{}; // where[2] unused for a derived slip
    bool slipFromSpeed = false;
    bool byPoles = false;        // the synchronous speed from poles, else from sync_speed_rpm
    std::size_t speed = 0;       // with slipFromSpeed
    std::size_t synchronous = 0; // poles or sync_speed_rpm, with slipFromSpeed
};

// Header names match without regard to case or surrounding white space.
// With a slip column the speed columns are ordinary extra columns; without
// one, sync_speed_rpm is preferred to poles when the header has both.
NameplateColumns FindNameplateColumns(const std::vector<std::string>& header);

// Whether every field is empty or blank: a row that a spreadsheet wrote for
// an empty line of its sheet.
bool AllFieldsBlank(const std::vector<std::string>& record);

class RecordNameplate final : public NameplateSource {
public:
    // Reads the inputs of record, the slip at frequency (Hz) when it comes
    // from the speed. Appends "<column>: '<text>' read as <value>" to
    // problems for each field that is not exactly one well-formed number, and
    // a note for a fraction that looks typed as a percentage; joined by " | ".
    // A number-text error is kept and raised only when the check reads that
    // input, as the window raises it.
    void Read(const std::vector<std::string>& record, const NameplateColumns& columns,
              float frequency, std::string& problems);

    // Every field read was exactly one well-formed number.
    bool AllExact() const { return exact_; }

    // Rows 1..6 of column 1, as the check reads its input boxes.
    float GetData(int32_t row, int32_t col) const override;

private:
    float ReadInput(std::size_t input, std::string_view text, std::string& problems);
    void ReadSlipFromSpeed(const std::vector<std::string>& record, const NameplateColumns& columns,
                           float frequency, std::string& problems);

    std::array<float, InputColumns.size()> values_{};
    std::array<std::exception_ptr, InputColumns.size()> errors_;
    bool exact_ = true;
};
