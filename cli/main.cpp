// induction-motor-batch: the window's calculation for a whole list of motors.
#include "batch.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>

namespace {

constexpr const char* Description =
    R"(Derives the per-phase equivalent circuit of each three-phase induction
motor in a CSV list, exactly as the window does for one name plate.

Input: CSV (RFC 4180) from FILE or standard input. The header names the
columns voltage_kV, power_kW, slip, efficiency, power_factor and
current_ratio, in any order; other columns are allowed and copied through.
Each field is read as the window reads its input box: the first number,
'.' or ',' as decimal separator (quote a field that holds ','), 0 when
the text cannot be read. Out-of-range values are replaced by their fixed
substitutes with a warning, as in the window. Blank lines are skipped.

Output: CSV on standard output, one row per input row: the input columns
as given, then
  Rs_ohm Rr_ohm Lls_H Llr_H Lm_H  the circuit (%.9g: reads back to the
                                  identical 32-bit value)
  Rs_text ... Lm_text             the texts of the window's diagram boxes
  base_Z_text Lm_pu_text Lls_pu_text Rs_pu_text Rr_pu_text Llr_pu_text
                                  the per-unit texts; empty when a base
                                  value is invalid
  invalid_bases                   the invalid ones of: mva kv frequency
  warnings                        the warning lines, joined by " | "
  error                           the error the window would show, or empty
  check_In_A check_pf check_efficiency check_Ilr_ratio
                                  the nominal phase current, power factor
                                  and efficiency the circuit draws at the
                                  nominal slip, and its locked-rotor current
                                  over that current (%.6g)
  check_Tlr_Tn check_Tb_Tn check_s_breakdown
                                  the locked-rotor torque and the breakdown
                                  torque over the rated torque, and the slip
                                  of the breakdown torque, in (0, 1]; 1 when
                                  the torque is highest at standstill (%.6g)
The check columns are empty when the row has no circuit.

Torque is the air-gap power |I_r|^2 Rr'/s of the circuit, per phase, star
equivalent, rotor referred to the stator; the rated torque is that at the
nominal slip. The circuit has no iron, friction or stray loss: these are
its electrical quantities only, and the ratios need no pole count.

Curves (--curves DIR): DIR/row-n.csv for data row n (counted from 1, as
in the output; blank lines do not count), 201 points from s = 1
(standstill) to s = 0 (synchronous speed) in steps of 0.005, columns
  slip speed_pu       s and 1 - s
  torque_pu           torque over the rated torque
  current_pu          |I_s| over the circuit's own |I_s| at the nominal
                      slip (so 1 at the rated point; that current matches
                      check_In_A, the name plate's current to rounding)
  power_factor        cos of the angle between I_s and the phase voltage
in %.9g. DIR is created when missing. A row without a circuit gets no
file. An existing file stops the run (status 2) before that row is
written, unless --force.

Exit status: 0 when every row was computed, 1 when a row had an error (its
row is still written), 2 for a usage error or unreadable input.)";

} // namespace

int main(int argc, char** argv) {
    // Standard input and output are read and written only through the
    // streams, so they need not keep in step with C stdio, which would cost
    // a library call per character read.
    std::ios::sync_with_stdio(false);
    CLI::App app(Description, "induction-motor-batch");
    BatchOptions options;
    std::string file;
    int frequency = 50;
    app.add_option("FILE", file, "CSV input; standard input when omitted");
    app.add_option("--frequency", frequency, "supply frequency of the inductances, 50 or 60 Hz")
        ->check(CLI::IsMember({50, 60}))
        ->default_val(50);
    app.add_option("--base-mva", options.baseMva, "text of the base power box, MVA")
        ->default_val("1");
    app.add_option("--base-kv", options.baseKv, "text of the base voltage box, kV")
        ->default_val("1");
    app.add_option("--pu-frequency", options.puFrequency, "text of the per-unit frequency box, Hz")
        ->default_val("50");
    std::string curves;
    CLI::Option* const curvesOption =
        app.add_option("--curves", curves, "write DIR/row-n.csv, the curves of row n")
            ->type_name("DIR");
    app.add_flag("--force", options.overwriteCurves, "overwrite existing curve files")
        ->needs(curvesOption);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return UsageOrInputError;
    }
    options.frequency = static_cast<float>(frequency);
    options.curvesDir = curves;

    if (file.empty() || file == "-") {
        return RunBatch(std::cin, std::cout, std::cerr, options);
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "induction-motor-batch: cannot read " << file << '\n';
        return UsageOrInputError;
    }
    return RunBatch(in, std::cout, std::cerr, options);
}
