#include "batch.h"

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

#include <optional>
#include <system_error>

namespace {

// %.9g: every 32-bit float reads back to itself.
std::string Exact(float value) {
    return SignificantDigits(value, 9);
}

std::string CheckDigits(double value) {
    return SignificantDigits(value, 6);
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// The warning lines of a run as one field.
std::string Joined(const WarningLineList& warnings) {
    std::string joined;
    for (std::size_t i = 0; i < warnings.Lines().size(); ++i) {
        joined += (i > 0 ? " | " : "") + warnings.Lines()[i];
    }
    return joined;
}

class NoButton final : public WarningControl {
public:
    void BringToFront() override {}
    void SetVisible(bool) override {}
};

enum Column {
    Rs_ohm,
    Rr_ohm,
    Lls_H,
    Llr_H,
    Lm_H,
    Rs_text,
    Rr_text,
    Lls_text,
    Llr_text,
    Lm_text,
    base_Z_text,
    Lm_pu_text,
    Lls_pu_text,
    Rs_pu_text,
    Rr_pu_text,
    Llr_pu_text,
    invalid_bases,
    warnings,
    error,
    check_In_A,
    check_pf,
    check_efficiency,
    check_Ilr_ratio,
    check_Tlr_Tn,
    check_Tb_Tn,
    check_s_breakdown,
    ColumnCount
};

// Where each per-unit text goes, in the order the window writes them.
constexpr std::array<Column, 5> PerUnitColumns{Lm_pu_text, Lls_pu_text, Rs_pu_text, Rr_pu_text,
                                               Llr_pu_text};

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

struct ComputedRow {
    std::vector<std::string> fields = std::vector<std::string>(ColumnCount);
    // Present when the check columns of the characteristics are filled.
    std::optional<MotorCharacteristics> characteristics;
};

// One row as one Calculate click: what was written before an error stays.
ComputedRow ComputeRow(const TextNameplate::Fields& fields, float frequency,
                       const PerUnitBases& bases, const std::string& invalidBases) {
    ComputedRow computed;
    std::vector<std::string>& row = computed.fields;
    row[invalid_bases] = invalidBases;
    WarningLineList memo;
    NoButton ok;
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = ok};
    try {
        SolvedCircuit solved;
        CalcEquivalentCircuit(TextNameplate(fields), circuit, frequency, &solved);
        row[Rs_ohm] = Exact(circuit.StatorResistance);
        row[Rr_ohm] = Exact(circuit.RotorResistance);
        row[Lls_H] = Exact(circuit.StatorLeakage);
        row[Llr_H] = Exact(circuit.RotorLeakage);
        row[Lm_H] = Exact(circuit.Magnetizing);
        row[Rs_text] = FormatValue(circuit.StatorResistance) + "ohm";
        row[Rr_text] = FormatValue(circuit.RotorResistance) + "ohm";
        row[Lls_text] = FormatValue(circuit.StatorLeakage) + "H";
        row[Llr_text] = FormatValue(circuit.RotorLeakage) + "H";
        row[Lm_text] = FormatValue(circuit.Magnetizing) + "H";

        // The check is ours, not the window's: a circuit it cannot evaluate
        // leaves its columns empty rather than failing the row.
        try {
            const NameplateCheck check = CheckAgainstNameplate(solved);
            row[check_In_A] = CheckDigits(check.In_A);
            row[check_pf] = CheckDigits(check.pf);
            row[check_efficiency] = CheckDigits(check.efficiency);
            row[check_Ilr_ratio] = CheckDigits(check.Ilr_ratio);
        } catch (const FloatingPointError&) {
        }
        try {
            const MotorCharacteristics& motor = computed.characteristics.emplace(solved);
            const BreakdownPoint breakdown = motor.Breakdown();
            row[check_Tlr_Tn] = CheckDigits(motor.At(1).torque_pu);
            row[check_Tb_Tn] = CheckDigits(breakdown.torque_pu);
            row[check_s_breakdown] = CheckDigits(breakdown.slip);
        } catch (const CharacteristicsError&) {
        }

        if (bases.AllValid()) {
            const float Zb = BaseImpedance(bases);
            row[base_Z_text] = BaseImpedanceText(Zb);
            for (std::size_t i = 0; i < PerUnitDisplayOrder.size(); ++i) {
                row[PerUnitColumns[i]] = PerUnitText(
                    PerUnitValue(PerUnitDisplayOrder[i], circuit, bases.Freq.Value, Zb));
            }
        }
    } catch (const SystemError& e) {
        row[error] = std::string(e.what()) + ".";
    }
    row[warnings] = Joined(memo);
    return computed;
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
        const PerUnitBases bases = ReadBases(options);
        const std::string invalidBases = InvalidBases(bases);
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

        std::vector<std::string> outputHeader = header;
        outputHeader.insert(outputHeader.end(), OutputColumns().begin(), OutputColumns().end());
        WriteCsvRecord(out, outputHeader);

        int status = AllRowsComputed;
        long rowNumber = 0;
        std::vector<std::string> record;
        TextNameplate::Fields fields;
        while (reader.Next(record)) {
            if (record.size() == 1 && record[0].empty() && header.size() > 1) {
                continue; // a blank line carries no name plate
            }
            if (record.size() != header.size()) {
                throw BatchInputError("line " + std::to_string(reader.RecordLine()) + ": " +
                                      std::to_string(record.size()) +
                                      " fields where the header has " +
                                      std::to_string(header.size()));
            }
            for (std::size_t i = 0; i < fields.size(); ++i) {
                fields[i] = record[where[i]];
            }
            ++rowNumber;
            ComputedRow computed = ComputeRow(fields, options.frequency, bases, invalidBases);
            std::vector<std::string>& row = computed.fields;
            if (!row[error].empty()) {
                status = SomeRowFailed;
            }
            // The file first: a refused file stops the run before its row.
            if (curves && computed.characteristics) {
                WriteCurveFile(CurveFilePath(options.curvesDir, rowNumber),
                               *computed.characteristics, options.overwriteCurves);
            }
            record.insert(record.end(), std::make_move_iterator(row.begin()),
                          std::make_move_iterator(row.end()));
            WriteCsvRecord(out, record);
        }
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
