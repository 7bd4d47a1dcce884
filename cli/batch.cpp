#include "batch.h"

#include "circuit_check.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "format_value.h"
#include "fp_errors.h"
#include "per_unit.h"
#include "text_nameplate.h"

#include <charconv>
#include <optional>

namespace {

std::string Formatted(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

// %.9g: every 32-bit float reads back to itself.
std::string Exact(float value) {
    return Formatted(value, 9);
}

std::string CheckDigits(double value) {
    return Formatted(value, 6);
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

class CollectedWarnings final : public WarningMemo {
public:
    void Clear() override { lines_.clear(); }
    void AppendLine(const std::string& line) override { lines_.push_back(line); }
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    void BringToFront() override {}
    void SetVisible(bool) override {}

    std::string Joined() const {
        std::string joined;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            joined += (i > 0 ? " | " : "") + lines_[i];
        }
        return joined;
    }

private:
    std::vector<std::string> lines_;
};

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

// One row as one Calculate click: what was written before an error stays.
std::vector<std::string> ComputeRow(const TextNameplate::Fields& fields, float frequency,
                                    const PerUnitBases& bases, const std::string& invalidBases) {
    std::vector<std::string> row(ColumnCount);
    row[invalid_bases] = invalidBases;
    CollectedWarnings memo;
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
    row[warnings] = memo.Joined();
    return row;
}

PerUnitBases ReadBases(const BatchOptions& options) {
    try {
        return ReadPerUnitBases(options.baseMva, options.baseKv, options.puFrequency);
    } catch (const SystemError& e) {
        throw BatchInputError(std::string("base values: ") + e.what());
    }
}

} // namespace

const std::vector<std::string>& OutputColumns() {
    static const std::vector<std::string> names{
        "Rs_ohm",      "Rr_ohm",           "Lls_H",          "Llr_H",      "Lm_H",
        "Rs_text",     "Rr_text",          "Lls_text",       "Llr_text",   "Lm_text",
        "base_Z_text", "Lm_pu_text",       "Lls_pu_text",    "Rs_pu_text", "Rr_pu_text",
        "Llr_pu_text", "invalid_bases",    "warnings",       "error",      "check_In_A",
        "check_pf",    "check_efficiency", "check_Ilr_ratio"};
    return names;
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options) {
    try {
        const PerUnitBases bases = ReadBases(options);
        const std::string invalidBases = InvalidBases(bases);

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
            std::vector<std::string> row =
                ComputeRow(fields, options.frequency, bases, invalidBases);
            if (!row[error].empty()) {
                status = SomeRowFailed;
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
    }
    return UsageOrInputError;
}
