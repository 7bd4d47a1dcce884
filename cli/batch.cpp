#include "batch.h"

#include "chunked_output.h"
#include "circuit_check.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "curve_file.h"
#include "format_value.h"
#include "fp_errors.h"
#include "motor_characteristics.h"
#include "per_unit.h"
#include "significant_digits.h"
#include "text_nameplate.h"

#include <array>
#include <exception>
#include <initializer_list>
#include <optional>
#include <system_error>
#include <thread>

namespace {

constexpr int ExactPrecision = 9; // %.9g: every 32-bit float reads back to itself
constexpr int CheckPrecision = 6;

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
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

// The per-unit view's base as every row sees it. It is the same for all rows,
// so it is made once; an error of the base impedance is then every row's.
struct PerUnitBase {
    PerUnitBases bases;
    std::string invalidNames;
    float Zb = 0;
    std::string text;
    std::string error;
};

PerUnitBase MakeBase(const PerUnitBases& bases) {
    PerUnitBase base;
    base.bases = bases;
    base.invalidNames = InvalidBases(bases);
    if (bases.AllValid()) {
        try {
            base.Zb = BaseImpedance(bases);
            base.text = BaseImpedanceText(base.Zb);
        } catch (const SystemError& e) {
            base.error = std::string(e.what()) + ".";
        }
    }
    return base;
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
    // Rs, Rr', Lls, Llr, Lm: the order of the output columns.
    std::optional<std::array<float, 5>> circuit;
    std::optional<NameplateCheck> check;
    // With the characteristics: the torque at standstill and the breakdown.
    std::optional<MotorCharacteristics> characteristics;
    double lockedTorque = 0;
    BreakdownPoint breakdown;
    std::string baseZ;
    std::array<std::string, PerUnitDisplayOrder.size()> perUnit; // in display order
    WarningLineList memo;
    std::string warnings;
    std::string error;
};

// One row as one Calculate click: what was written before an error stays.
void ComputeRow(TextNameplate::Fields fields, float frequency, const PerUnitBase& base,
                RowResult& row) {
    row.circuit.reset();
    row.check.reset();
    row.characteristics.reset();
    row.baseZ.clear();
    for (std::string& text : row.perUnit) {
        text.clear();
    }
    row.error.clear();
    row.memo.Clear();
    NoButton ok;
    TEquivalentCircuit circuit{.WarningBox = row.memo, .WarningOk = ok};
    try {
        SolvedCircuit solved;
        CalcEquivalentCircuit(TextNameplate(std::move(fields)), circuit, frequency, &solved);
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

        if (!base.error.empty()) {
            row.error = base.error;
        } else if (base.bases.AllValid()) {
            row.baseZ = base.text;
            std::array<float, PerUnitDisplayOrder.size()> values{};
            for (std::size_t i = 0; i < PerUnitDisplayOrder.size(); ++i) {
                values[i] =
                    PerUnitValue(PerUnitDisplayOrder[i], circuit, base.bases.Freq.Value, base.Zb);
                const std::size_t same = SameAs(values, i);
                row.perUnit[i] = same < i ? row.perUnit[same] : PerUnitText(values[i]);
            }
        }
    } catch (const SystemError& e) {
        row.error = std::string(e.what()) + ".";
    }
    Join(row.memo, row.warnings);
}

// A row of a block: its record as read, its six inputs and its results.
struct BlockRow {
    std::vector<std::string> record;
    TextNameplate::Fields fields;
    RowResult result;
};

// Enough rows that starting a thread costs nothing beside them.
constexpr std::size_t RowsPerBlock = 4096;

// The first count rows of the block, the second half on a thread of its own.
// Rows share nothing but the read-only base values.
void ComputeRows(std::vector<BlockRow>& block, std::size_t count, float frequency,
                 const PerUnitBase& base) {
    const auto compute = [&](std::size_t from, std::size_t to) {
        for (std::size_t r = from; r < to; ++r) {
            ComputeRow(block[r].fields, frequency, base, block[r].result);
        }
    };
    const std::size_t half = count / 2;
    std::array<std::exception_ptr, 2> failed;
    const auto guarded = [&](std::size_t part, std::size_t from, std::size_t to) {
        try {
            compute(from, to);
        } catch (...) {
            failed[part] = std::current_exception();
        }
    };
    std::thread second(guarded, 1, half, count);
    guarded(0, 0, half);
    second.join();
    for (const std::exception_ptr& e : failed) {
        if (e) {
            std::rethrow_exception(e);
        }
    }
}

void AppendFields(std::string& line, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendCsvField(line, fields[i]);
    }
}

// The output columns of a row after its input columns. Numbers and display
// texts hold no character that needs quoting.
void AppendResult(std::string& line, const RowResult& row, const std::string& invalidBases) {
    const std::array<float, 5> circuit = row.circuit.value_or(std::array<float, 5>{});
    // Each value's text, by where it starts and ends in the line, so that an
    // equal value can copy it.
    std::array<std::size_t, 5> starts{};
    std::array<std::size_t, 5> ends{};
    const auto appendEach = [&](const auto& append, const std::array<const char*, 5>& units) {
        for (std::size_t i = 0; i < circuit.size(); ++i) {
            line += ',';
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
    appendEach([&](float value) { AppendSignificantDigits(line, value, ExactPrecision); },
               {"", "", "", "", ""});
    appendEach([&](float value) { line += FormatValue(value); }, {"ohm", "ohm", "H", "H", "H"});
    for (const std::string* text :
         {&row.baseZ, &row.perUnit[0], &row.perUnit[1], &row.perUnit[2], &row.perUnit[3],
          &row.perUnit[4], &invalidBases, &row.warnings, &row.error}) {
        line += ',';
        AppendCsvField(line, *text);
    }
    const auto appendChecks = [&](bool present, std::initializer_list<double> values) {
        for (const double value : values) {
            line += ',';
            if (present) {
                AppendSignificantDigits(line, value, CheckPrecision);
            }
        }
    };
    const NameplateCheck check = row.check.value_or(NameplateCheck{});
    appendChecks(row.check.has_value(), {check.In_A, check.pf, check.efficiency, check.Ilr_ratio});
    appendChecks(row.characteristics.has_value(),
                 {row.lockedTorque, row.breakdown.torque_pu, row.breakdown.slip});
}

PerUnitBases ReadBases(const BatchOptions& options) {
    try {
        return ReadPerUnitBases(options.baseMva, options.baseKv, options.puFrequency);
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

} // namespace

const std::vector<std::string>& OutputColumns() {
    static const std::vector<std::string> names{
        "Rs_ohm",           "Rr_ohm",           "Lls_H",           "Llr_H",        "Lm_H",
        "Rs_text",          "Rr_text",          "Lls_text",        "Llr_text",     "Lm_text",
        "base_Z_text",      "Lm_pu_text",       "Lls_pu_text",     "Rs_pu_text",   "Rr_pu_text",
        "Llr_pu_text",      "invalid_bases",    "warnings",        "error",        "check_In_A",
        "check_pf",         "check_efficiency", "check_Ilr_ratio", "check_Tlr_Tn", "check_Tb_Tn",
        "check_s_breakdown"};
    return names;
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options) {
    try {
        const PerUnitBase base = MakeBase(ReadBases(options));
        const bool curves = !options.curvesDir.empty();
        if (curves) {
            PrepareCurvesDir(options.curvesDir);
        }

        CsvReader reader(in);
        std::vector<std::string> header;
        if (!reader.Next(header)) {
            throw BatchInputError("line 1: no header line");
        }
        std::array<std::size_t, InputColumns.size()> where{};
        for (std::size_t i = 0; i < InputColumns.size(); ++i) {
            std::optional<std::size_t> found;
            for (std::size_t c = 0; c < header.size(); ++c) {
                if (Trimmed(header[c]) == InputColumns[i]) {
                    if (found) {
                        throw BatchInputError("line " + std::to_string(reader.RecordLine()) +
                                              ": column " + std::string(InputColumns[i]) +
                                              " appears twice");
                    }
                    found = c;
                }
            }
            if (!found) {
                throw BatchInputError("line " + std::to_string(reader.RecordLine()) +
                                      ": missing column " + std::string(InputColumns[i]));
            }
            where[i] = *found;
        }

        ChunkedOutput output(out);
        AppendFields(output.Pending(), header);
        output.Pending() += ',';
        AppendFields(output.Pending(), OutputColumns());
        output.Pending() += '\n';

        int status = AllRowsComputed;
        long rowNumber = 0;
        std::vector<BlockRow> block(RowsPerBlock);
        bool inputLeft = true;
        while (inputLeft) {
            // Rows are read a block at a time, computed on two threads, and
            // then written in their order exactly as one at a time: a read
            // error is raised only after the rows before it are out.
            std::size_t count = 0;
            std::exception_ptr readError;
            try {
                while (count < block.size() && reader.Next(block[count].record)) {
                    std::vector<std::string>& record = block[count].record;
                    if (record.size() == 1 && record[0].empty() && header.size() > 1) {
                        continue; // a blank line carries no name plate
                    }
                    if (record.size() != header.size()) {
                        throw BatchInputError("line " + std::to_string(reader.RecordLine()) + ": " +
                                              std::to_string(record.size()) +
                                              " fields where the header has " +
                                              std::to_string(header.size()));
                    }
                    for (std::size_t i = 0; i < block[count].fields.size(); ++i) {
                        block[count].fields[i] = record[where[i]];
                    }
                    ++count;
                }
                inputLeft = count == block.size();
            } catch (...) {
                readError = std::current_exception();
                inputLeft = false;
            }
            ComputeRows(block, count, options.frequency, base);
            for (std::size_t r = 0; r < count; ++r) {
                const RowResult& row = block[r].result;
                ++rowNumber;
                if (!row.error.empty()) {
                    status = SomeRowFailed;
                }
                // The file first: a refused file stops the run before its row.
                if (curves && row.characteristics) {
                    WriteCurveFile(CurveFilePath(options.curvesDir, rowNumber),
                                   *row.characteristics, options.overwriteCurves);
                }
                AppendFields(output.Pending(), block[r].record);
                AppendResult(output.Pending(), row, base.invalidNames);
                output.Pending() += '\n';
                output.Collected();
            }
            if (readError) {
                std::rethrow_exception(readError);
            }
        }
        output.Write();
        out.flush();
        if (!out) {
            throw BatchInputError("cannot write the output");
        }
        return status;
    } catch (const CsvError& e) {
        err << "induction-motor-batch: " << e.what() << '\n';
    } catch (const BatchInputError& e) {
        err << "induction-motor-batch: " << e.what() << '\n';
    } catch (const CurveFileError& e) {
        err << "induction-motor-batch: " << e.what() << '\n';
    }
    return UsageOrInputError;
}
