#include "batch.h"
#include "csv_reader.h"
#include "csv_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using Row = std::map<std::string, std::string>;

const std::string Header = "voltage_kV,power_kW,slip,efficiency,power_factor,current_ratio\n";
const std::string Plate = "1,10,0.02,0.9,0.8,5\n";

// The rows of a CSV text, keyed by the header's names.
std::vector<Row> ReadRows(const std::string& csv) {
    std::istringstream in(csv);
    CsvReader reader(in, std::nullopt);
    std::vector<std::string> header;
    std::vector<std::string> record;
    std::vector<Row> rows;
    for (reader.Next(header); reader.Next(record);) {
        Row& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.size() && i < record.size(); ++i) {
            row[header[i]] = record[i];
        }
    }
    return rows;
}

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<Row> rows;
};

BatchRun Batch(const std::string& csv, const BatchOptions& options = {}) {
    std::istringstream in(csv);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunBatch(in, out, err, options);
    return {status, out.str(), err.str(), ReadRows(out.str())};
}

BatchOptions With(const std::function<void(BatchOptions&)>& set) {
    BatchOptions options;
    set(options);
    return options;
}

// ctest runs the tests of one executable side by side: a path of its own each.
fs::path OwnPath(const char* suffix) {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    return fs::path(testing::TempDir()) / ("cli_" + name + suffix);
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BatchTest, DefaultPlateGivesTheWindowsValuesOnItsLine) {
    const BatchRun run = Batch(Header + Plate);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
              "1,10,0.02,0.9,0.8,5,4.70204258,1.55079687,0.0212539434,0.0212539434,0.411444187,"
              "   4.70204ohm,    1.5508ohm,  0.021254H,  0.021254H,  0.411444H,base Z = 1.0 Ohm,"
              "   129.259 pu,   6.67712 pu,   4.70204 pu,    1.5508 pu,   6.67712 pu,,,,"
              "8.01875,0.8,0.9,5,0.6626,2.44659,0.112046,ok,,1,10,0.0199999996,0.899999976,"
              "0.800000012,5,13.888888,72.0000076,0.06530614,0.0215388431,0.0927378239,"
              "0.0927378239,1.79526395,1.65205,11.141\n");
}

// Runs one row and checks the cells named "column=text"; the exit status
// follows the row's status.
void ExpectCells(const std::string& csv, const std::vector<std::string>& cells,
                 const BatchOptions& options = {}) {
    const BatchRun run =
        Batch(csv.find('\n') == std::string::npos ? Header + csv + "\n" : csv, options);
    ASSERT_EQ(run.rows.size(), 1u) << csv << ": " << run.err;
    for (const std::string& cell : cells) {
        const std::size_t equals = cell.find('=');
        EXPECT_EQ(run.rows[0].at(cell.substr(0, equals)), cell.substr(equals + 1)) << csv;
    }
    EXPECT_EQ(run.status, run.rows[0].at("status") == "ok" ? 0 : 1) << csv;
}

TEST(BatchTest, StatusIsTheWorstThatHappenedWithEveryMisreadField) {
    ExpectCells("1,10,0.02,0.98,0.8,5", {"status=substituted", "read_problems="});
    ExpectCells("1,10,0.02,0.9,0.8,20", {"status=fallback"});
    ExpectCells("0,10,0.02,0.9,0.8,20",
                {"status=fallback", "error=", "Lls_text= 0.0      H",
                 "warnings=too small nominal voltage | cannot solve parameters. Ilocked/Inom. =  "
                 "  11.1366"});
    ExpectCells("1,1 400,0.02,0.9,0.8,5",
                {"status=unreadable", "read_problems=power_kW: '1 400' read as 1"});
    ExpectCells("0.4 kV,10,0.02,0.9,0.8,5",
                {"status=unreadable", "read_problems=voltage_kV: '0.4 kV' read as 0"});
    ExpectCells(",10,0.02,0.9,  ,5",
                {"status=unreadable",
                 "read_problems=voltage_kV: '' read as 0 | power_factor: '  ' read as 0"});
    ExpectCells("1,10 kW,0.02,0.9,0.8,20",
                {"status=unreadable", "read_problems=power_kW: '10 kW' read as 0"});
    ExpectCells("1,10,3,88,85,5",
                {"status=fallback",
                 "read_problems=slip: '3' read as 3 (a percentage? the column takes a fraction) | "
                 "efficiency: '88' read as 88 (a percentage? the column takes a fraction) | "
                 "power_factor: '85' read as 85 (a percentage? the column takes a fraction)"});
    ExpectCells("1,10,0.02,0.9,e5,5",
                {"status=error",
                 "read_problems=", "error='e5' is not a valid floating point value.",
                 "check_Tlr_Tn=", "used_slip=", "Z_base_ohm=", "ratio_min=", "ratio_max="});
    ExpectCells("1,1 400,0.02,0.9,e5,5",
                {"status=error", "read_problems=power_kW: '1 400' read as 1"});
    // The lines written before an error stay.
    ExpectCells("0,0,0.02,0.9,0.8,999e36",
                {"status=error", "error=Floating point overflow.", "Rs_ohm=", "check_In_A=",
                 "warnings=too small nominal voltage |  too small nominal power"});
}

// In the input's units, after each substitute.
TEST(BatchTest, UsedValuesAreWhatTheCalculationUsed) {
    ExpectCells("0,10,0.02,0.9,0.8,5", {"used_voltage_kV=0.000499999966"});
    ExpectCells("1,0,0.02,0.9,0.8,5", {"used_power_kW=0.000999999"});
    ExpectCells("1,10,0.6,0.9,0.8,5", {"used_slip=0.5"});
    ExpectCells("1,10,0.0009,0.9,0.8,5", {"used_slip=0.0009765625"});
    ExpectCells("1,10,0.02,0.98,0.8,5", {"used_efficiency=0.975000024"});
    ExpectCells("1,10,0.02,0.4,0.8,5", {"used_efficiency=0.5"});
    ExpectCells("1,10,0.02,0.9,0.9991,5", {"used_power_factor=0.999100029"});
    ExpectCells("1,10,0.02,0.9,0.4,5", {"used_power_factor=0.5"});
    ExpectCells("1,10,0.02,0.9,0.8,1.2", {"used_current_ratio=1.5"});
}

TEST(BatchTest, RatioRangeIsWhatTheNameplateAdmits) {
    ExpectCells("1,10,0.02,0.9,0.8,20", {"ratio_min=1.65205", "ratio_max=11.141"});
    ExpectCells("0.4,0.75,0.05,0.83,0.82,6", {"ratio_min=1.69752", "ratio_max=6.17864"});
    ExpectCells("6.6,630,0.007,0.959,0.83,6", {"ratio_min=1.78955", "ratio_max=27.2144"});
}

TEST(BatchTest, SpeedWithPolesOrSynchronousSpeedGivesTheSlip) {
    const std::string speed = "voltage_kV,power_kW,efficiency,power_factor,current_ratio,";
    ExpectCells(speed + "speed_rpm,poles\n1,10,0.9,0.8,5,1470,4\n",
                {"used_slip=0.0199999996", "Rs_ohm=4.70204258"});
    ExpectCells(speed + "speed_rpm,Poles\n1,10,0.9,0.8,5,1764,4\n", {"used_slip=0.0199999996"},
                With([](BatchOptions& o) { o.frequency = 60; }));
    ExpectCells(speed + "sync_speed_rpm,speed_rpm\n1,10,0.9,0.8,5,1500,1470\n",
                {"used_slip=0.0199999996"});
    ExpectCells(speed + "slip,speed_rpm,poles\n1,10,0.9,0.8,5,0.03,1470,4\n",
                {"used_slip=0.0299999993"});
    ExpectCells(speed + "speed_rpm,poles\n1,10,0.9,0.8,5,1470 rpm,4\n",
                {"read_problems=speed_rpm: '1470 rpm' read as 0"});
    ExpectCells(speed + "speed_rpm,poles\n1,10,0.9,0.8,5,1470,0\n",
                {"error=poles must be greater than 0."});
}

TEST(BatchTest, OptionsAndColumnOrder) {
    // The machine's own base does not move with the supply frequency; the
    // per-unit texts follow it unless told otherwise.
    ExpectCells("1,10,0.02,0.9,0.8,5",
                {"Lm_H=0.342870176", "Lls_H=0.0177116208", "Rs_text=   4.70204ohm",
                 "Lm_pu_text=   129.259 pu", "Z_base_ohm=72.0000076", "S_base_kVA=13.888888",
                 "Rs_pu=0.06530614", "Rr_pu=0.0215388431", "Xm_pu=1.79526395"},
                With([](BatchOptions& o) { o.frequency = 60; }));
    ExpectCells("1,10,0.02,0.9,0.8,5", {"Lm_pu_text=   107.716 pu"}, With([](BatchOptions& o) {
                    o.frequency = 60;
                    o.puFrequency = "50";
                }));
    ExpectCells("1,10,0.02,0.9,0.8,5",
                {"status=ok", "invalid_bases=mva frequency",
                 "base_Z_text=", "Rs_pu_text=", "Rs_text=   4.70204ohm"},
                With([](BatchOptions& o) {
                    o.baseMva = "0";
                    o.puFrequency = "";
                }));
    ExpectCells("1,10,0.02,0.9,0.8,5",
                {"error=Floating point overflow.", "base_Z_text=base Z = 0.0 Ohm",
                 "Lm_pu_text=", "Rs_text=   4.70204ohm"},
                With([](BatchOptions& o) { o.baseKv = "1e-20"; }));
    ExpectCells("current_ratio,tag,power_factor,efficiency,slip,power_kW,voltage_kV\n"
                "5,P-101,\"0,8\",\"0,9\",\"0,02\",10,1\n",
                {"tag=P-101", "power_factor=0,8", "Rs_text=   4.70204ohm"});
}

// A row after an error goes on with nothing of it left over.
TEST(BatchTest, SummaryCountsEachStatusAndTheSkippedEmptyRows) {
    const BatchRun run = Batch(Header + Plate + ",,,,,\n\n1,10,0.02,0.9,e5,5\n" +
                               "1,10,0.02,0.98,0.8,5\n , ,,,, \n" + Plate);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.rows.size(), 4u);
    EXPECT_EQ(run.err, "induction-motor-batch: 4 rows: 2 ok, 1 substituted, 0 fallback, "
                       "0 unreadable, 1 error; 3 empty rows skipped\n");
}

TEST(BatchTest, OutputTakesTheDelimiterAndDecimalMarkOfItsInputOrAsked) {
    const std::string semicolons =
        "voltage_kV;power_kW;slip;efficiency;power_factor;current_ratio\n";
    const std::tuple<std::string, BatchOptions, std::vector<std::string>> cases[] = {
        // A decimal-comma spreadsheet's file, header in its own spelling: the
        // number columns come back with ',', the window's texts keep '.'.
        {"Tag; Voltage_KV ;POWER_kW;slip;efficiency;power_factor;current_ratio\r\n"
         "P-101;1;10;0,02;0,9;0,8;5\r\n",
         {},
         {"Tag; Voltage_KV ;POWER_kW;slip;efficiency;power_factor;current_ratio;Rs_ohm;Rr_ohm;",
          "\nP-101;1;10;0,02;0,9;0,8;5;4,70204258;1,55079687;0,0212539434;0,0212539434;"
          "0,411444187;   4.70204ohm;"}},
        {Header + Plate,
         With([](BatchOptions& o) { o.outputDecimal = ','; }),
         {",\"4,70204258\",\"1,55079687\","}},
        {semicolons + "1;10;0,02;0,9;0,8;5\n",
         With([](BatchOptions& o) { o.outputDelimiter = ','; }),
         {",4.70204258,1.55079687,"}},
        // As many ',' as ';' in the header: found as ',' without the option.
        {"a,b,c,d,e,f;" + semicolons + "x;1;10;0,02;0,9;0,8;5\n",
         With([](BatchOptions& o) { o.delimiter = ';'; }),
         {";4,70204258;1,55079687;"}},
    };
    for (const auto& [csv, options, pieces] : cases) {
        const BatchRun run = Batch(csv, options);
        EXPECT_EQ(run.status, 0) << run.err;
        for (const std::string& piece : pieces) {
            EXPECT_NE(run.out.find(piece), std::string::npos) << piece << " in\n" << run.out;
        }
    }
}

// A stream that fails under way, as one opened on a directory does.
TEST(BatchTest, AnInputThatFailsToReadIsAnInputErrorNotAnAbort) {
    std::ifstream directory(testing::TempDir(), std::ios::binary);
    std::ostringstream out;
    EXPECT_EQ(RunBatch(directory, out, out, {}), 2);
    EXPECT_EQ(out.str(), "induction-motor-batch: cannot read the input: Is a directory\n");
}

TEST(BatchTest, InputErrorsStopWithStatusTwoAfterWritingTheRowsBefore) {
    // Rows are computed a block at a time; each keeps its place and its own
    // results, and an error after whole blocks comes after all of them.
    std::string csv = "tag," + Header;
    for (int i = 0; i < 9000; ++i) {
        csv += std::to_string(i) + ",1,10,0.02,0.9,0.8," + std::to_string(4 + i % 3) + "\n";
    }
    const BatchRun run = Batch(csv + "1,10\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "induction-motor-batch: line 9002: 2 fields where the header has 7\n");
    ASSERT_EQ(run.rows.size(), 9000u);
    for (std::size_t i = 0; i < run.rows.size(); ++i) {
        ASSERT_EQ(run.rows[i].at("tag"), std::to_string(i));
        ASSERT_EQ(run.rows[i].at("Lm_H"), run.rows[i % 3].at("Lm_H")) << "row " << i;
    }
    EXPECT_NE(run.rows[0].at("Lm_H"), run.rows[1].at("Lm_H"));
    const std::tuple<std::string, std::string, std::size_t> cases[] = {
        {"voltage_kV,power_kW,slip,efficiency,power_factor\n1,10,0.02,0.9,0.8\n",
         "line 1: missing column current_ratio", 0},
        {"", "line 1: no header line", 0},
        {"voltage_kV,power_kW,speed_rpm,efficiency,power_factor,current_ratio\n",
         "line 1: missing column slip (or speed_rpm with poles or sync_speed_rpm)", 0},
        {"Slip," + Header, "line 1: column slip appears twice", 0},
        {Header + Plate + "1,1\"0,0.02,0.9,0.8,5\n", "line 3: quote inside an unquoted field", 1},
        {Header + "1,10,0.02\n", "line 2: 3 fields where the header has 6", 0},
        {Header + Plate + "\"open\n\n", "line 3: quoted field is not closed", 1},
        {Header + "\"1\"0,10,0.02,0.9,0.8,5\n", "line 2: text after the closing quote of a field",
         0},
        {Header + "1,10,0.02\r0.9,0.8,5\n", "line 2: carriage return not followed by line feed", 0},
    };
    for (const auto& [input, message, rowsWritten] : cases) {
        const BatchRun failed = Batch(input);
        EXPECT_EQ(failed.status, 2) << message;
        EXPECT_EQ(failed.err, "induction-motor-batch: " + message + "\n");
        EXPECT_EQ(failed.rows.size(), rowsWritten) << message;
    }
}

TEST(CurveFileTest, FallsFromStandstillToSynchronousSpeedThroughTheRatedAndBreakdownPoints) {
    fs::remove_all(OwnPath(""));
    const fs::path dir = OwnPath("") / "new" / "folder"; // created when missing
    ASSERT_EQ(Batch(Header + Plate, With([&](BatchOptions& o) { o.curvesDir = dir; })).status, 0);
    std::istringstream text(Contents(dir / "row-1.csv"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    // The header, 201 steps of 0.005, 24 more below the rated slip, the two points.
    ASSERT_EQ(lines.size(), 228u);
    EXPECT_EQ(lines[0], "slip,speed_pu,torque_pu,current_pu,power_factor,point");
    // At standstill the torque and current of check_Tlr_Tn and the ratio.
    EXPECT_EQ(lines[1], "1,0,0.662599548,4.99999952,0.423892236,");
    EXPECT_EQ(lines[179], "0.112046496,0.887953504,2.44659003,3.2324767,0.767174129,breakdown");
    EXPECT_EQ(lines[199], "0.0199999996,0.98,1,1,0.800000062,rated");
    EXPECT_EQ(lines[227], "0,1,0,0.529343965,0.0345694096,");
}

// Numbered as the output's data rows; a row without a circuit has none.
TEST(CurveFileTest, AnExistingFileStopsTheRunBeforeItsRowUnlessForced) {
    const fs::path dir = OwnPath("");
    fs::remove_all(dir);
    const auto curves = [&](bool force) {
        return With([&](BatchOptions& o) {
            o.curvesDir = dir;
            o.overwriteCurves = force;
        });
    };
    Batch(Header + Plate + "\n1,10,0.02,0.9,e5,5\n0.4,200,0.01,0.95,0.88,7\n", curves(false));
    for (const auto& [file, exists] : {std::pair{"row-1.csv", true},
                                       {"row-2.csv", false},
                                       {"row-3.csv", true},
                                       {"row-4.csv", false}}) {
        EXPECT_EQ(fs::exists(dir / file), exists) << file;
    }
    EXPECT_NE(Contents(dir / "row-1.csv"), Contents(dir / "row-3.csv"));
    fs::remove(dir / "row-1.csv");
    std::ofstream(dir / "row-2.csv") << "keep me\n";
    const BatchRun refused = Batch(Header + Plate + Plate, curves(false));
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "induction-motor-batch: " + (dir / "row-2.csv").string() +
                               " exists; --force overwrites it\n");
    EXPECT_EQ(refused.rows.size(), 1u);
    EXPECT_EQ(Contents(dir / "row-2.csv"), "keep me\n");
    EXPECT_EQ(Batch(Header + Plate + Plate, curves(true)).rows.size(), 2u);
    EXPECT_EQ(Contents(dir / "row-2.csv"), Contents(dir / "row-1.csv"));
    // A file where the folder should be.
    const BatchRun plain =
        Batch(Header + Plate, With([&](BatchOptions& o) { o.curvesDir = dir / "row-1.csv"; }));
    EXPECT_EQ(plain.status, 2);
    EXPECT_NE(plain.err.find("--curves " + (dir / "row-1.csv").string()), std::string::npos);
    EXPECT_TRUE(plain.rows.empty());
}

// The command itself, standard output and error together.
int Command(const std::string& arguments, const std::string& input, std::string& output) {
    const fs::path in = OwnPath(".csv");
    const fs::path out = OwnPath(".out");
    std::ofstream(in) << input;
    const int status = std::system((std::string(BATCH_EXE) + " " + arguments + " <" + in.string() +
                                    " >" + out.string() + " 2>&1")
                                       .c_str());
    output = Contents(out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(BatchCommandTest, TakesOptionsAndReplacesTheOutputFileOnlyOnACompleteRun) {
    std::string output;
    EXPECT_EQ(Command("--frequency 60 --base-mva 2", Header + Plate, output), 0);
    // The per-unit texts at the supply frequency: 60 Hz. No progress off a terminal.
    EXPECT_NE(output.find(",0.342870176,"), std::string::npos) << output;
    EXPECT_NE(output.find(",base Z = 0.500000 Ohm,   258.518 pu,"), std::string::npos);
    EXPECT_EQ(output.find('\r'), std::string::npos);
    const std::string dir = OwnPath("_curves").string();
    EXPECT_EQ(Command("--curves " + dir + " --force", Header + Plate, output), 0) << output;
    EXPECT_TRUE(fs::exists(dir + "/row-1.csv"));
    const std::string file = OwnPath("_output.csv").string();
    std::ofstream(file) << "old\n";
    EXPECT_EQ(Command("-o " + file, Header + Plate + "1,1\"0\n", output), 2);
    EXPECT_EQ(Contents(file), "old\n");
    EXPECT_EQ(Command("-o " + file, Header + "1,10,0.02,0.9,0.8,20\n", output), 1);
    const std::vector<Row> rows = ReadRows(Contents(file));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("status"), "fallback");
    // Only the summary goes to the terminal.
    EXPECT_EQ(output, "induction-motor-batch: 1 row: 0 ok, 0 substituted, 1 fallback, "
                      "0 unreadable, 0 error; 0 empty rows skipped\n");
}

TEST(BatchCommandTest, UsageErrorsExitWithTwoAndSayWhy) {
    const std::pair<std::string, std::string> cases[] = {
        {"--frequency 55", "--frequency"},
        {"--no-such-option", "--no-such-option"},
        {"--force", "--force"},
        {"/nonexistent/plates.csv",
         "cannot read /nonexistent/plates.csv: No such file or directory"},
        {testing::TempDir(), "cannot read " + testing::TempDir() + ": Is a directory"},
        {"--base-kv e5", "--base-kv: 'e5' is not a number greater than 0"},
        {"--base-mva 0", "--base-mva: '0' is not a number greater than 0"},
        {"--pu-frequency '50 60'", "--pu-frequency: '50 60' is not a number greater than 0"},
        {"--delimiter x", "--delimiter: 'x' is not one of , ; tab"},
        {"--output-delimiter ';;'", "--output-delimiter: ';;' is not one of , ; tab"},
        {"--output-decimal ';'", "--output-decimal: ';' is not one of . ,"},
    };
    for (const auto& [arguments, message] : cases) {
        std::string output;
        EXPECT_EQ(Command(arguments, Header + Plate, output), 2) << arguments;
        EXPECT_NE(output.find(message), std::string::npos) << output;
    }
}

TEST(BatchCommandTest, HelpExplainsEveryColumnAndOption) {
    std::string output;
    EXPECT_EQ(Command("--help", "", output), 0);
    // Every column by name, but the texts that stand as "Rs_text ... Lm_text".
    for (const std::string& column : OutputColumns()) {
        if (!column.ends_with("_text") || column == "Rs_text" || column == "Lm_text") {
            EXPECT_NE(output.find(column), std::string::npos) << column;
        }
    }
    for (const char* option :
         {"--frequency", "--base-mva", "--base-kv", "--pu-frequency", "--curves", "--force",
          "--delimiter", "--output-delimiter", "--output-decimal", "--output", "speed_rpm",
          "sync_speed_rpm", "poles"}) {
        EXPECT_NE(output.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(Command("--version", "", output), 0);
    EXPECT_EQ(output.rfind("induction-motor-batch 1.", 0), 0u) << output;
}

TEST(CsvTest, ReaderTakesQuotedFieldsLineEndsBlanksAndAByteOrderMark) {
    const auto read = [](const std::string& text, std::optional<char> delimiter = ',') {
        std::istringstream in(text);
        CsvReader reader(in, delimiter);
        std::vector<std::vector<std::string>> records;
        std::vector<long> lines; // where each record begins
        for (std::vector<std::string> r; reader.Next(r); lines.push_back(reader.RecordLine())) {
            records.push_back(r);
        }
        return std::pair(records, lines);
    };
    const std::pair<std::string, std::vector<std::vector<std::string>>> cases[] = {
        {"a,\"1,5\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,x\n",
         {{"a", "1,5", "say \"hi\""}, {"two\nlines", "", "x"}}},
        {" a , b\n\nc", {{" a ", " b"}, {""}, {"c"}}},
        {"", {}},
        {"\xEF\xBB\xBFh1,h2\n", {{"h1", "h2"}}},
    };
    for (const auto& [text, records] : cases) {
        EXPECT_EQ(read(text).first, records) << text;
    }
    EXPECT_EQ(read("h\n\"a\nb\"\nc\n").second, (std::vector<long>{1, 2, 4}));
    // The delimiter found past a byte order mark.
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "a;b\n\"1;5\";2,5\n",
                   std::nullopt)
                  .first,
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"1;5", "2,5"}}));
}

TEST(CsvTest, DelimiterIsTheCommonestOutsideQuotesOnTheFirstLine) {
    const std::pair<const char*, char> cases[] = {
        {"a,b;c,d", ','},      {"a;b;c,d", ';'}, {"a\tb\tc;d", '\t'}, {"\"a;b;c\",d", ','},
        {"a;b\nc,d,e,f", ';'}, {"a,b;c", ','},   {"a;b\tc", ';'},     {"a", ','}};
    for (const auto& [text, delimiter] : cases) {
        EXPECT_EQ(DetectDelimiter(text), delimiter) << text;
    }
}

TEST(CsvTest, WriterQuotesOnlyWhereNeeded) {
    std::ostringstream out;
    WriteCsvRecord(out, {"   1.0ohm", "a,b", "say \"x\"", "", "two\nlines", "cr\r"});
    WriteCsvRecord(out, {"a,b", "c;d", "e\tf"}, ';');
    EXPECT_EQ(out.str(), "   1.0ohm,\"a,b\",\"say \"\"x\"\"\",,\"two\nlines\",\"cr\r\"\n"
                         "a,b;\"c;d\";e\tf\n");
}

} // namespace
