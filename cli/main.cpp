// induction-motor-batch: the window's calculation for a whole list of motors.
#include "batch.h"
#include "fp_errors.h"
#include "read_number.h"
#include "replaced_file.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <system_error>

#include <unistd.h>

namespace {

constexpr const char* Description =
    R"(Derives the per-phase equivalent circuit of each three-phase induction
motor in a CSV list, exactly as the window does for one name plate, and
says for every row what was read, what was replaced and whether the
locked-rotor current ratio could be met.

INPUT: CSV (RFC 4180) from FILE or standard input. The field delimiter is
',' ';' or tab, found from the header line (--delimiter overrides). Header
names match without regard to case and surrounding white space; columns
may stand in any order; other columns are copied through. The inputs:
  voltage_kV      rated line-to-line voltage, kV
  power_kW        rated shaft output power, kW
  slip            rated slip, a fraction (0.02, not 2 %)
  efficiency      rated efficiency, a fraction (0.9, not 90 %)
  power_factor    rated power factor, a fraction (0.8, not 80 %)
  current_ratio   locked-rotor current over rated current (I_A/I_N)
Without a slip column, speed_rpm (rated speed) with poles (the number of
poles, not pole pairs) or sync_speed_rpm gives the slip
s = (n_sync - n)/n_sync, with n_sync = 120 f/poles at --frequency;
sync_speed_rpm is used when both are there. With a slip column these are
ordinary extra columns.
Each field is read as the window reads its input box: the first number,
'.' or ',' as decimal separator, 0 when the text cannot be read; such a
field is named in read_problems. Out-of-range values are replaced by the
window's fixed substitutes, each with a warning line. Blank lines and rows
whose fields are all empty or blank are skipped and counted.

OUTPUT: CSV on standard output (or -o FILE), one row per input row: the
input columns as given, then the columns below. Circuit values are per
phase, star equivalent, with the rotor referred to the stator; reactances
and inductances belong to the supply frequency --frequency.
  Rs_ohm Rr_ohm Lls_H Llr_H Lm_H  the circuit: stator and rotor resistance,
                                  stator and rotor leakage inductance,
                                  magnetizing inductance (%.9g: reads back
                                  to the identical 32-bit value)
  Rs_text ... Lm_text             the texts of the window's diagram boxes
  base_Z_text Lm_pu_text Lls_pu_text Rs_pu_text Rr_pu_text Llr_pu_text
                                  the window's per-unit texts, on the option
                                  bases: Z_base = kV^2/MVA from --base-kv and
                                  --base-mva, reactances at --pu-frequency
  invalid_bases                   the invalid ones of: mva kv frequency
                                  (always empty here: the command refuses
                                  invalid bases)
  warnings                        the warning lines, joined by " | "
  error                           the error the window would show, or empty
  check_In_A check_pf check_efficiency check_Ilr_ratio
                                  the rated phase current, power factor and
                                  efficiency the circuit draws at the rated
                                  slip, and its locked-rotor current over
                                  that current (%.6g)
  check_Tlr_Tn check_Tb_Tn check_s_breakdown
                                  the locked-rotor torque and the breakdown
                                  torque over the rated torque, and the slip
                                  of the breakdown torque, in (0, 1]; 1 when
                                  the torque is highest at standstill (%.6g)
  status                          ok, substituted, fallback, unreadable or
                                  error (see STATUS)
  read_problems                   each field that was not exactly one
                                  number: <column>: '<text>' read as <value>,
                                  and fractions that look like percentages;
                                  joined by " | "
  used_voltage_kV used_power_kW used_slip used_efficiency
  used_power_factor used_current_ratio
                                  the values the calculation used, after
                                  reading and substitutes, in the input's
                                  units (%.9g)
  S_base_kVA Z_base_ohm           the base on the machine's own rating:
                                  S = 3 V_ph I_n = P/(eta pf), the rated
                                  apparent input power, and Z = V_ph/I_n
  Rs_pu Rr_pu Xls_pu Xlr_pu Xm_pu the circuit on that base, reactances at
                                  --frequency (%.9g)
  ratio_min ratio_max             the locked-rotor current ratios this name
                                  plate allows: ratio_min is approached as
                                  the magnetizing reactance grows without
                                  bound, ratio_max is the greatest; a ratio
                                  outside them gives a fallback (%.6g)
The check, used, machine-base and ratio columns are empty when the row has
no circuit.
Number columns (%.9g, %.6g) use the output's decimal mark; the window's
texts keep '.'. The output's delimiter is the input's unless
--output-delimiter; its decimal mark is ',' after a ';' delimiter and '.'
otherwise, unless --output-decimal.

STATUS, the first that applies: error (the row has an error); unreadable
(a field was empty, blank, several numbers or malformed); fallback (the
current ratio could not be met: the circuit without leakage, whose own
ratio the warning names); substituted (a value was out of range and
replaced); ok.

Torque is the air-gap power |I_r|^2 Rr'/s of the circuit; the rated torque
is that at the rated slip. The circuit has no iron, friction or stray loss:
these are its electrical quantities only, and the ratios need no pole count.

Curves (--curves DIR): DIR/row-n.csv for data row n (counted from 1, as
in the output; skipped rows do not count), in falling slip from s = 1
(standstill) to s = 0 (synchronous speed): every step of 0.005, 24 more
points between s = 0 and the rated slip, and the rated and breakdown
points themselves; columns
  slip speed_pu       s and 1 - s
  torque_pu           torque over the rated torque
  current_pu          |I_s| over the circuit's own |I_s| at the rated
                      slip (so 1 at the rated point; that current matches
                      check_In_A, the name plate's current to rounding)
  power_factor        cos of the angle between I_s and the phase voltage
  point               rated or breakdown on those points, else empty
in %.9g. DIR is created when missing. A row without a circuit gets no
file. An existing file stops the run (status 2) before that row is
written, unless --force.

EXIT STATUS: 0 when every row is ok, 1 when any row is not (all rows are
still written), 2 for a usage error or input that cannot be read (-o FILE
is then left as it was). A summary line on standard error counts the rows
of each status and the skipped empty rows; on a terminal, progress is
shown there too.)";

constexpr const char* Program = "induction-motor-batch";

int UsageError(const std::string& option, const std::string& text, const char* expected) {
    std::cerr << Program << ": " << option << ": '" << text << "' is not " << expected << '\n';
    return UsageOrInputError;
}

// A base value must be one number greater than 0: the window would leave a
// box with anything else empty, which a list of motors should not do silently.
bool IsBaseValue(const std::string& text) {
    try {
        const NumberRead read = ReadNumbers(text);
        return read.IsOneNumber() && read.value > 0;
    } catch (const SystemError&) {
        return false;
    }
}

std::optional<char> DelimiterNamed(const std::string& text) {
    if (text == "," || text == ";") {
        return text[0];
    }
    if (text == "tab" || text == "\t") {
        return '\t';
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    // Standard input and output are read and written only through the
    // streams, so they need not keep in step with C stdio, which would cost
    // a library call per character read.
    std::ios::sync_with_stdio(false);
    CLI::App app(Description, Program);
    app.set_version_flag("--version", std::string(Program) + " " + IMD_VERSION);
    BatchOptions options;
    std::string file;
    int frequency = 50;
    app.add_option("FILE", file, "CSV input; standard input when omitted or -");
    app.add_option("-o,--output", "write the output to FILE, replaced only when the run completes")
        ->type_name("FILE");
    app.add_option("--frequency", frequency, "supply frequency of the inductances, 50 or 60 Hz")
        ->check(CLI::IsMember({50, 60}))
        ->default_val(50);
    app.add_option("--base-mva", options.baseMva, "base power of the per-unit texts, MVA")
        ->default_val("1");
    app.add_option("--base-kv", options.baseKv, "base voltage of the per-unit texts, kV")
        ->default_val("1");
    app.add_option("--pu-frequency",
                   "frequency of the per-unit reactance texts, Hz; --frequency when omitted")
        ->type_name("TEXT");
    app.add_option("--delimiter", "field delimiter of the input: , ; or tab; found from the header "
                                  "line when omitted")
        ->type_name("CHAR");
    app.add_option("--output-delimiter", "field delimiter of the output: , ; or tab; the input's "
                                         "when omitted")
        ->type_name("CHAR");
    app.add_option("--output-decimal", "decimal mark of the output's numbers: . or ,; ',' after a "
                                       "';' delimiter, '.' otherwise, when omitted")
        ->type_name("CHAR");
    std::string curves;
    CLI::Option* const curvesOption =
        app.add_option("--curves", curves, "write DIR/row-n.csv, the curves of row n")
            ->type_name("DIR");
    app.add_flag("--force", options.overwriteCurves, "overwrite existing curve files")
        ->needs(curvesOption);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return UsageOrInputError;
    }
    options.frequency = static_cast<float>(frequency);
    options.curvesDir = curves;
    options.progress = ::isatty(STDERR_FILENO) == 1;

    for (const char* name : {"--base-mva", "--base-kv", "--pu-frequency"}) {
        if (app.count(name) > 0) {
            const std::string text = app.get_option(name)->as<std::string>();
            if (!IsBaseValue(text)) {
                return UsageError(name, text, "a number greater than 0");
            }
        }
    }
    if (app.count("--pu-frequency") > 0) {
        options.puFrequency = app.get_option("--pu-frequency")->as<std::string>();
    }
    for (const auto& [name, into] : {std::pair{"--delimiter", &options.delimiter},
                                     std::pair{"--output-delimiter", &options.outputDelimiter}}) {
        if (app.count(name) > 0) {
            const std::string text = app.get_option(name)->as<std::string>();
            *into = DelimiterNamed(text);
            if (!*into) {
                return UsageError(name, text, "one of , ; tab");
            }
        }
    }
    if (app.count("--output-decimal") > 0) {
        const std::string text = app.get_option("--output-decimal")->as<std::string>();
        if (text != "." && text != ",") {
            return UsageError("--output-decimal", text, "one of . ,");
        }
        options.outputDecimal = text[0];
    }

    std::ifstream input;
    if (!file.empty() && file != "-") {
        input.open(file, std::ios::binary);
        std::error_code reason;
        if (!input) {
            reason = std::error_code(errno, std::generic_category());
        } else if (std::filesystem::is_directory(file, reason)) {
            reason = std::make_error_code(std::errc::is_a_directory);
        }
        if (reason) {
            std::cerr << Program << ": cannot read " << file << ": " << reason.message() << '\n';
            return UsageOrInputError;
        }
    }
    std::istream& in = input.is_open() ? input : std::cin;

    if (app.count("--output") == 0) {
        return RunBatch(in, std::cout, std::cerr, options);
    }
    const std::string target = app.get_option("--output")->as<std::string>();
    try {
        ReplacedFile output(target);
        const int status = RunBatch(in, output.Stream(), std::cerr, options);
        if (status != UsageOrInputError) {
            output.Commit();
        }
        return status;
    } catch (const std::system_error& e) {
        std::cerr << Program << ": cannot write " << target << ": " << e.code().message() << '\n';
        return UsageOrInputError;
    }
}
