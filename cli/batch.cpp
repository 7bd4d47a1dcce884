#include "batch.h"

#include "chunked_output.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "curve_file.h"
#include "format_value.h"
#include "fp_errors.h"
#include "motor_analysis.h"
#include "per_unit.h"
#include "record_nameplate.h"
#include "significant_digits.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <exception>
#include <initializer_list>
#include <ios>
#include <optional>
#include <system_error>
#include <thread>

namespace {

constexpr int ExactPrecision = 9; // %.9g: every 32-bit float reads back to itself
constexpr int CheckPrecision = 6;

// How the output writes its fields and the decimal mark of its numbers.
struct OutputFormat {
    char delimiter = ',';
    char decimal = '.';
};

// A number column's text: the digits with the output's decimal mark, quoted
// when that mark is also the delimiter.
void AppendNumber(std::string& line, double value, int digits, const OutputFormat& format) {
    const std::size_t start = line.size();
    AppendSignificantDigits(line, value, digits);
    if (format.decimal == '.') {
        return;
    }
    const std::size_t point = line.find('.', start);
    if (point == std::string::npos) {
        return;
    }
    line[point] = format.decimal;
    if (format.decimal == format.delimiter) {
        line.insert(start, 1, '"');
        line += '"';
    }
}

// The warning lines of a run as one field.
void Join(const WarningLineList& warnings, std::string& joined) {
    joined.clear();
    for (std::size_t i = 0; i < warnings.Lines().size(); ++i) {
        if (i > 0) {
            joined += " | ";
        }
        joined += warnings.Lines()[i];
    }
}

class NoButton final : public WarningControl {
public:
    void BringToFront() override {}
    void SetVisible(bool) override {}
};

std::string InvalidBases(const PerUnitBases& bases) {
    std::string names;
    const auto add = [&](bool valid, const char* name) {
        if (!valid) {
            names += (names.empty() ? "" : " ") + std::string(name);
        }
    };
    add(bases.MVA.Valid(), "mva");
    add(bases.kV.Valid(), "kv");
    add(bases.Freq.Valid(), "frequency");
    return names;
}

// The first of values[0..i] that is bit for bit values[i]. The two leakage
// inductances are always equal, so their texts need making only once.
template <std::size_t N> std::size_t SameAs(const std::array<float, N>& values, std::size_t i) {
    std::size_t j = 0;
    while (std::bit_cast<std::uint32_t>(values[j]) != std::bit_cast<std::uint32_t>(values[i])) {
        ++j;
    }
    return j;
}

// What one row computes, in the order the window computes it: where an
// error came first, the rest stays empty. Kept from row to row, so that its
// texts keep their buffers.
struct RowResult {
    RecordNameplate nameplate;
    std::string readProblems;
    RowStatus status = RowStatus::Ok;
    // The inputs as the calculation used them, in the units of the input
    // columns: kV, kW, then the four fractions and the ratio as they are.
    std::optional<std::array<float, InputColumns.size()>> used;
    // With the circuit: its per-unit values on its own rating, and the
    // current ratios its name plate admits.
    std::optional<MachinePerUnit> machine;
    std::optional<LockedRotorRatioRange> ratios;
    // Rs, Rr', Lls, Llr, Lm: the order of the output columns.
    std::optional<std::array<float, 5>> circuit;
    std::optional<NameplateCheck> check;
    // With the characteristics: the torque at standstill and the breakdown.
    std::optional<MotorCharacteristics> characteristics;
    double lockedTorque = 0;
    BreakdownPoint breakdown;
    PerUnitTexts perUnit;
    WarningLineList memo;
    std::string warnings;
    std::string error;
};

// What the calculation used, from the checked per-phase values.
std::array<float, InputColumns.size()> UsedInputs(const PhaseNameplate& n) {
    const LineRating rating = LineRatingOf(n);
    return {rating.voltage_kV, rating.power_kW, n.s, n.eta, n.pf, n.k};
}

// One row as one Calculate click: what was written before an error stays.
void ComputeRow(const std::vector<std::string>& record, const NameplateColumns& columns,
                float frequency, const PerUnitBases& bases, RowResult& row) {
    row.circuit.reset();
    row.check.reset();
    row.characteristics.reset();
    row.used.reset();
    row.machine.reset();
    row.ratios.reset();
    row.perUnit.Clear();
    row.error.clear();
    row.readProblems.clear();
    row.memo.Clear();
    NoButton ok;
    TEquivalentCircuit circuit{.WarningBox = row.memo, .WarningOk = ok};
    bool ratioMet = true;
    try {
        row.nameplate.Read(record, columns, frequency, row.readProblems);
        SolvedCircuit solved;
        CalcEquivalentCircuit(row.nameplate, circuit, frequency, &solved);
        ratioMet = solved.RatioMet;
        row.used = UsedInputs(solved.Nominal);
        row.machine = PerUnitOnRating(solved);
        row.ratios = AchievableRatioRange(solved.Nominal);
        row.circuit = {circuit.StatorResistance, circuit.RotorResistance, circuit.StatorLeakage,
                       circuit.RotorLeakage, circuit.Magnetizing};

        // The check is ours, not the window's: a circuit it cannot evaluate
        // leaves its columns empty rather than failing the row.
        try {
            row.check = CheckAgainstNameplate(solved);
        } catch (const FloatingPointError&) {
        }
        try {
            const MotorCharacteristics& motor = row.characteristics.emplace(solved);
            row.breakdown = motor.Breakdown(CheckPrecision);
            row.lockedTorque = motor.At(1).torque_pu;
        } catch (const CharacteristicsError&) {
        }

        WritePerUnitDisplay(bases, circuit, row.perUnit);
    } catch (const SystemError& e) {
        row.error = std::string(e.what()) + ".";
    }
    Join(row.memo, row.warnings);
    if (!row.error.empty()) {
        row.status = RowStatus::Error;
    } else if (!row.nameplate.AllExact()) {
        row.status = RowStatus::Unreadable;
    } else if (!ratioMet) {
        row.status = RowStatus::Fallback;
    } else if (row.memo.LineCount() > 0) {
        row.status = RowStatus::Substituted;
    } else {
        row.status = RowStatus::Ok;
    }
}

void AppendFields(std::string& line, const std::vector<std::string>& fields, char delimiter) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += delimiter;
        }
        AppendCsvField(line, fields[i], delimiter);
    }
}

// The output columns of a row after its input columns.
void AppendResult(std::string& line, const RowResult& row, const std::string& invalidBases,
                  const OutputFormat& format) {
    const char delimiter = format.delimiter;
    const std::array<float, 5> circuit = row.circuit.value_or(std::array<float, 5>{});
    // Each value's text, by where it starts and ends in the line, so that an
    // equal value can copy it.
    std::array<std::size_t, 5> starts{};
    std::array<std::size_t, 5> ends{};
    const auto appendEach = [&](const auto& append, const std::array<const char*, 5>& units) {
        for (std::size_t i = 0; i < circuit.size(); ++i) {
            line += delimiter;
            if (!row.circuit) {
                continue;
            }
            const std::size_t same = SameAs(circuit, i);
            starts[i] = line.size();
            if (same < i) {
                line.append(line, starts[same], ends[same] - starts[same]);
            } else {
                append(circuit[i]);
            }
            ends[i] = line.size();
            line += units[i];
        }
    };
    appendEach([&](float value) { AppendNumber(line, value, ExactPrecision, format); },
               {"", "", "", "", ""});
    // The window's display texts: always '.', as the window shows them.
    appendEach([&](float value) { line += FormatValue(value); }, {"ohm", "ohm", "H", "H", "H"});
    const auto appendTexts = [&](std::initializer_list<std::string_view> texts) {
        for (const std::string_view text : texts) {
            line += delimiter;
            AppendCsvField(line, text, delimiter);
        }
    };
    const PerUnitTexts& perUnit = row.perUnit;
    appendTexts({perUnit.baseImpedance, perUnit.perUnit[0], perUnit.perUnit[1], perUnit.perUnit[2],
                 perUnit.perUnit[3], perUnit.perUnit[4], invalidBases, row.warnings, row.error});
    const auto appendNumbers = [&](bool present, int digits, auto values) {
        for (const double value : values) {
            line += delimiter;
            if (present) {
                AppendNumber(line, value, digits, format);
            }
        }
    };
    const NameplateCheck check = row.check.value_or(NameplateCheck{});
    appendNumbers(row.check.has_value(), CheckPrecision,
                  std::array{check.In_A, check.pf, check.efficiency, check.Ilr_ratio});
    appendNumbers(row.characteristics.has_value(), CheckPrecision,
                  std::array{row.lockedTorque, row.breakdown.torque_pu, row.breakdown.slip});
    appendTexts({RowStatusNames[static_cast<std::size_t>(row.status)], row.readProblems});
    appendNumbers(row.used.has_value(), ExactPrecision,
                  row.used.value_or(std::array<float, InputColumns.size()>{}));
    const MachinePerUnit machine = row.machine.value_or(MachinePerUnit{});
    appendNumbers(row.machine.has_value(), ExactPrecision,
                  std::array{machine.S_base_VA / 1000, machine.Z_base_ohm, machine.Rs, machine.Rr,
                             machine.Xls, machine.Xlr, machine.Xm});
    const LockedRotorRatioRange ratios = row.ratios.value_or(LockedRotorRatioRange{});
    appendNumbers(row.ratios.has_value(), CheckPrecision,
                  std::array{ratios.ratio_min, ratios.ratio_max});
}

// A row of a block: its record as read and its results.
struct BlockRow {
    std::vector<std::string> record;
    RowResult result;
    std::string line; // the output line, written by the thread that computed it
};

// Enough rows that starting a thread costs nothing beside them.
constexpr std::size_t RowsPerBlock = 2048;
// Rows are taken from a block this many at a time by either thread.
constexpr std::size_t RowsPerTake = 16;

// A block of rows: read, then computed, then written, in order.
struct Block {
    std::vector<BlockRow> rows = std::vector<BlockRow>(RowsPerBlock);
    std::size_t count = 0;
    // What ended the reading after the rows read; raised once they are out.
    std::exception_ptr readError;
};

// What every row of a run shares, read only.
struct RunSettings {
    NameplateColumns columns;
    float frequency = 50;
    PerUnitBases bases;
    std::string invalidBases; // the names of the invalid ones
    OutputFormat format;
};

void ComputeRow(BlockRow& row, const RunSettings& run) {
    ComputeRow(row.record, run.columns, run.frequency, run.bases, row.result);
    row.line.clear();
    AppendFields(row.line, row.record, run.format.delimiter);
    AppendResult(row.line, row.result, run.invalidBases, run.format);
    row.line += '\n';
}

// Computes the rows of the block and their output lines on two threads: a
// second one, and this one once it has done `alongside`, the writing of the
// block before and the reading of the block after, which touch neither this
// block nor anything its rows share. Either takes the next rows as it comes
// free. An exception of `alongside` stops this thread's part and is raised
// once the second has finished.
template <typename Alongside>
void ComputeBlock(Block& block, const RunSettings& run, Alongside alongside) {
    std::atomic<std::size_t> next{0};
    const auto compute = [&] {
        for (;;) {
            const std::size_t from = next.fetch_add(RowsPerTake);
            if (from >= block.count) {
                return;
            }
            for (std::size_t r = from; r < std::min(from + RowsPerTake, block.count); ++r) {
                ComputeRow(block.rows[r], run);
            }
        }
    };
    std::array<std::exception_ptr, 2> failed;
    std::thread second([&] {
        try {
            compute();
        } catch (...) {
            failed[1] = std::current_exception();
        }
    });
    try {
        alongside();
        compute();
    } catch (...) {
        failed[0] = std::current_exception();
        next = block.count; // the second thread stops at its next take
    }
    second.join();
    for (const std::exception_ptr& e : failed) {
        if (e) {
            std::rethrow_exception(e);
        }
    }
}

PerUnitBases ReadBases(const BatchOptions& options) {
    try {
        return ReadPerUnitBases(
            options.baseMva, options.baseKv,
            options.puFrequency.value_or(SignificantDigits(options.frequency, ExactPrecision)));
    } catch (const SystemError& e) {
        throw BatchInputError(std::string("base values: ") + e.what());
    }
}

void PrepareCurvesDir(const std::filesystem::path& dir) {
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    if (failed || !std::filesystem::is_directory(dir)) {
        throw BatchInputError("--curves " + dir.string() + ": " +
                              (failed ? failed.message() : "not a directory"));
    }
}

std::filesystem::path CurveFilePath(const std::filesystem::path& dir, long row) {
    return dir / ("row-" + std::to_string(row) + ".csv");
}

OutputFormat OutputFormatFor(char inputDelimiter, const BatchOptions& options) {
    OutputFormat format;
    format.delimiter = options.outputDelimiter.value_or(inputDelimiter);
    // A ';' file comes from a spreadsheet that writes decimal commas; it
    // reads numbers back only in its own form.
    format.decimal = options.outputDecimal.value_or(format.delimiter == ';' ? ',' : '.');
    return format;
}

// The counts of a run, for its summary line.
struct Tally {
    long rows = 0;
    long skipped = 0; // empty rows and blank lines
    std::array<long, RowStatusNames.size()> byStatus{};

    void WriteSummary(std::ostream& err) const {
        err << "induction-motor-batch: " << rows << (rows == 1 ? " row" : " rows");
        // The best first: the usual run is mostly ok.
        for (std::size_t k = byStatus.size(); k-- > 0;) {
            err << (k + 1 == byStatus.size() ? ": " : ", ") << byStatus[k] << ' '
                << RowStatusNames[k];
        }
        err << "; " << skipped << " empty " << (skipped == 1 ? "row" : "rows") << " skipped\n";
    }
};

// Rows done and their rate, rewritten in place on a terminal once a second.
class Progress {
public:
    Progress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}

    void RowsDone(long rows) {
        if (!shown_) {
            return;
        }
        const auto now = Clock::now();
        if (now - last_ < std::chrono::seconds(1)) {
            return;
        }
        last_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        std::string text = "induction-motor-batch: " + std::to_string(rows) + " rows, " +
                           std::to_string(static_cast<long>(rows / seconds)) + " rows/s";
        width_ = std::max(width_, text.size());
        text.resize(width_, ' ');
        err_ << '\r' << text << std::flush;
    }

    // Clears the line, so that what follows starts on an empty one.
    void Done() {
        if (width_ > 0) {
            err_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
            width_ = 0;
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    std::ostream& err_;
    bool shown_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_ = start_;
    std::size_t width_ = 0;
};

} // namespace

const std::vector<std::string>& OutputColumns() {
    static const std::vector<std::string> names{"Rs_ohm",
                                                "Rr_ohm",
                                                "Lls_H",
                                                "Llr_H",
                                                "Lm_H",
                                                "Rs_text",
                                                "Rr_text",
                                                "Lls_text",
                                                "Llr_text",
                                                "Lm_text",
                                                "base_Z_text",
                                                "Lm_pu_text",
                                                "Lls_pu_text",
                                                "Rs_pu_text",
                                                "Rr_pu_text",
                                                "Llr_pu_text",
                                                "invalid_bases",
                                                "warnings",
                                                "error",
                                                "check_In_A",
                                                "check_pf",
                                                "check_efficiency",
                                                "check_Ilr_ratio",
                                                "check_Tlr_Tn",
                                                "check_Tb_Tn",
                                                "check_s_breakdown",
                                                "status",
                                                "read_problems",
                                                "used_voltage_kV",
                                                "used_power_kW",
                                                "used_slip",
                                                "used_efficiency",
                                                "used_power_factor",
                                                "used_current_ratio",
                                                "S_base_kVA",
                                                "Z_base_ohm",
                                                "Rs_pu",
                                                "Rr_pu",
                                                "Xls_pu",
                                                "Xlr_pu",
                                                "Xm_pu",
                                                "ratio_min",
                                                "ratio_max"};
    return names;
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options) {
    Progress progress(err, options.progress);
    try {
        RunSettings run;
        run.frequency = options.frequency;
        run.bases = ReadBases(options);
        run.invalidBases = InvalidBases(run.bases);
        const bool curves = !options.curvesDir.empty();
        if (curves) {
            PrepareCurvesDir(options.curvesDir);
        }

        CsvReader reader(in, options.delimiter);
        std::vector<std::string> header;
        if (!reader.Next(header)) {
            throw BatchInputError("line 1: no header line");
        }
        try {
            run.columns = FindNameplateColumns(header);
        } catch (const HeaderError& e) {
            throw BatchInputError("line " + std::to_string(reader.RecordLine()) + ": " + e.what());
        }
        run.format = OutputFormatFor(reader.Delimiter(), options);
        const OutputFormat& format = run.format;

        ChunkedOutput output(out);
        AppendFields(output.Pending(), header, format.delimiter);
        output.Pending() += format.delimiter;
        AppendFields(output.Pending(), OutputColumns(), format.delimiter);
        output.Pending() += '\n';

        Tally tally;
        // Reads rows into the block until it is full, the input ends or a
        // record is refused; true when there may be more.
        const auto read = [&](Block& block) {
            block.count = 0;
            block.readError = nullptr;
            try {
                while (block.count < block.rows.size() &&
                       reader.Next(block.rows[block.count].record)) {
                    const std::vector<std::string>& record = block.rows[block.count].record;
                    // A blank line, or a spreadsheet's empty line, carries no
                    // name plate.
                    if (AllFieldsBlank(record)) {
                        ++tally.skipped;
                        continue;
                    }
                    if (record.size() != header.size()) {
                        throw BatchInputError("line " + std::to_string(reader.RecordLine()) + ": " +
                                              std::to_string(record.size()) +
                                              " fields where the header has " +
                                              std::to_string(header.size()));
                    }
                    ++block.count;
                }
                return block.count == block.rows.size();
            } catch (...) {
                block.readError = std::current_exception();
                return false;
            }
        };
        const auto write = [&](const Block& block) {
            for (std::size_t r = 0; r < block.count; ++r) {
                const RowResult& row = block.rows[r].result;
                ++tally.rows;
                ++tally.byStatus[static_cast<std::size_t>(row.status)];
                // The file first: a refused file stops the run before its row.
                if (curves && row.characteristics) {
                    WriteCurveFile(CurveFilePath(options.curvesDir, tally.rows),
                                   *row.characteristics, row.breakdown, options.overwriteCurves);
                }
                output.Pending() += block.rows[r].line;
                output.Collected();
            }
            progress.RowsDone(tally.rows);
            if (block.readError) {
                std::rethrow_exception(block.readError);
            }
        };

        // While the rows of one block are computed, the block before is
        // written and the block after is read: the output is exactly that of
        // one row at a time, and a read error is raised only after the rows
        // before it are out.
        std::array<Block, 2> blocks;
        Block* computing = &blocks[0];
        Block* other = &blocks[1];
        bool inputLeft = read(*computing);
        bool otherComputed = false;
        for (;;) {
            bool otherRead = false;
            ComputeBlock(*computing, run, [&] {
                if (otherComputed) {
                    write(*other);
                }
                if (inputLeft) {
                    inputLeft = read(*other);
                    otherRead = true;
                }
            });
            if (!otherRead) {
                write(*computing);
                break;
            }
            std::swap(computing, other);
            otherComputed = true;
        }
        output.Write();
        out.flush();
        if (!out) {
            throw BatchInputError("cannot write the output");
        }
        progress.Done();
        tally.WriteSummary(err);
        return tally.byStatus[static_cast<std::size_t>(RowStatus::Ok)] == tally.rows ? AllRowsOk
                                                                                     : SomeRowNotOk;
    } catch (const CsvError& e) {
        progress.Done();
        err << "induction-motor-batch: " << e.what() << '\n';
    } catch (const BatchInputError& e) {
        progress.Done();
        err << "induction-motor-batch: " << e.what() << '\n';
    } catch (const CurveFileError& e) {
        progress.Done();
        err << "induction-motor-batch: " << e.what() << '\n';
    } catch (const std::ios_base::failure& e) {
        // A read that fails under way, as on a directory given as the input.
        progress.Done();
        err << "induction-motor-batch: cannot read the input: " << e.code().message() << '\n';
    }
    return UsageOrInputError;
}
