#include "batch.h"
#include "csv_reader.h"
#include "csv_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
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
    std::vector<std::string> header, record;
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
    std::string out, err;
    std::vector<Row> rows;
};

BatchRun Batch(const std::string& csv, const BatchOptions& options = {}) {
    std::istringstream in(csv);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunBatch(in, out, err, options);
    return {status, out.str(), err.str(), ReadRows(out.str())};
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
void Cells(
    const std::string& csv, const std::vector<std::string>& cells,
    const std::function<void(BatchOptions&)>& set = [](BatchOptions&) {}) {
    BatchOptions options;
    set(options);
    const BatchRun run =
        Batch(csv.find('\n') == std::string::npos ? Header + csv + "\n" : csv, options);
    ASSERT_EQ(run.rows.size(), 1u) << csv << ": " << run.err;
    for (const std::string& cell : cells) {
        const std::size_t equals = cell.find('=');
        EXPECT_EQ(run.rows[0].at(cell.substr(0, equals)), cell.substr(equals + 1)) << csv;
    }
    EXPECT_EQ(run.status, run.rows[0].at("status") == "ok" ? 0 : 1) << csv;
}

TEST(BatchTest, RowsGiveTheirStatusWithEveryMisreadFieldAndWhatTheCalculationUsed) {
    // Status: the worst that happened.
    Cells("1,10,0.02,0.98,0.8,5",
          {"status=substituted", "read_problems=", "used_efficiency=0.975000024"});
    Cells("1,10,0.02,0.9,0.8,20", {"status=fallback", "ratio_min=1.65205", "ratio_max=11.141"});
    Cells("0,10,0.02,0.9,0.8,20", {"status=fallback", "error=", "Lls_text= 0.0      H",
                                   "warnings=too small nominal voltage | cannot solve parameters. "
                                   "Ilocked/Inom. =    11.1366"});
    Cells("1,1 400,0.02,0.9,0.8,5",
          {"status=unreadable", "read_problems=power_kW: '1 400' read as 1"});
    Cells(",10,0.02,0.9,  ,5",
          {"status=unreadable",
           "read_problems=voltage_kV: '' read as 0 | power_factor: '  ' read as 0"});
    Cells("1,10 kW,0.02,0.9,0.8,20",
          {"status=unreadable", "read_problems=power_kW: '10 kW' read as 0"});
    Cells("1,10,3,100,85,5",
          {"status=fallback",
           "read_problems=slip: '3' read as 3 (a percentage? the column takes a fraction) | "
           "efficiency: '100' read as 100 (a percentage? the column takes a fraction) | "
           "power_factor: '85' read as 85 (a percentage? the column takes a fraction)"});
    Cells("1,10,0.02,0.9,e5,5",
          {"status=error", "read_problems=", "error='e5' is not a valid floating point value.",
           "check_Tlr_Tn=", "used_slip=", "Z_base_ohm=", "ratio_min=", "ratio_max="});
    Cells("1,1 400,0.02,0.9,e5,5", {"status=error", "read_problems=power_kW: '1 400' read as 1"});
    // The lines written before an error stay.
    Cells("0,0,0.02,0.9,0.8,999e36",
          {"status=error", "error=Floating point overflow.", "Rs_ohm=", "check_In_A=",
           "warnings=too small nominal voltage |  too small nominal power"});
    // Used: in the input's units, after each substitute.
    Cells("0,0,0.02,0.9,0.8,5", {"used_voltage_kV=0.000499999966", "used_power_kW=0.000999999"});
    Cells("0.69,10,0.6,0.9,0.8,5", {"used_slip=0.5", "used_voltage_kV=0.689999998"});
    Cells("1,10,0.0009,0.4,0.4,1.2", {"used_slip=0.0009765625", "used_efficiency=0.5",
                                      "used_power_factor=0.5", "used_current_ratio=1.5"});
    Cells("1,10,0.02,0.9,0.9991,5", {"used_power_factor=0.999100029"});
    // The locked-rotor current ratios a name plate admits.
    Cells("0.4,0.75,0.05,0.83,0.82,6", {"ratio_min=1.69752", "ratio_max=6.17864"});
    Cells("6.6,630,0.007,0.959,0.83,6", {"ratio_min=1.78955", "ratio_max=27.2144"});
}

TEST(BatchTest, SpeedWithPolesOrSynchronousSpeedGivesTheSlip) {
    const std::string speed = "voltage_kV,power_kW,efficiency,power_factor,current_ratio,";
    Cells(speed + "speed_rpm,poles\n1,10,0.9,0.8,5,1470,4\n",
          {"used_slip=0.0199999996", "Rs_ohm=4.70204258"});
    Cells(speed + "speed_rpm,Poles\n1,10,0.9,0.8,5,1764,4\n", {"used_slip=0.0199999996"},
          [](BatchOptions& o) { o.frequency = 60; });
    Cells(speed + "sync_speed_rpm,speed_rpm\n1,10,0.9,0.8,5,1500,1470\n",
          {"used_slip=0.0199999996"});
    Cells(speed + "slip,speed_rpm,poles\n1,10,0.9,0.8,5,0.03,1470,4\n", {"used_slip=0.0299999993"});
    Cells(speed + "speed_rpm,poles\n1,10,0.9,0.8,5,1470 rpm,4\n",
          {"read_problems=speed_rpm: '1470 rpm' read as 0"});
    Cells(speed + "speed_rpm,poles\n1,10,0.9,0.8,5,1470,0\n",
          {"error=poles must be greater than 0."});
}

TEST(BatchTest, OptionsAndTheSpreadsheetsOwnFormat) {
    // The machine's own base does not move with the supply frequency; the
    // per-unit texts follow it unless told otherwise.
    Cells("1,10,0.02,0.9,0.8,5",
          {"Lm_H=0.342870176", "Lls_H=0.0177116208", "Rs_text=   4.70204ohm",
           "Lm_pu_text=   129.259 pu", "Z_base_ohm=72.0000076", "S_base_kVA=13.888888",
           "Rs_pu=0.06530614", "Rr_pu=0.0215388431", "Xm_pu=1.79526395"},
          [](BatchOptions& o) { o.frequency = 60; });
    Cells("1,10,0.02,0.9,0.8,5", {"Lm_pu_text=   155.111 pu"},
          [](BatchOptions& o) { o.puFrequency = "60"; });
    Cells("1,10,0.02,0.9,0.8,5",
          {"status=ok", "invalid_bases=mva frequency",
           "base_Z_text=", "Rs_pu_text=", "Rs_text=   4.70204ohm"},
          [](BatchOptions& o) { o.puFrequency = o.baseMva = "0"; });
    Cells("1,10,0.02,0.9,0.8,5",
          {"error=Floating point overflow.", "base_Z_text=base Z = 0.0 Ohm",
           "Lm_pu_text=", "Rs_text=   4.70204ohm"},
          [](BatchOptions& o) { o.baseKv = "1e-20"; });
    // As a spreadsheet in a decimal-comma locale saves a sheet, header in its
    // own spelling: the number columns come back with ',', the window's texts
    // keep '.', a field with the delimiter and quotes goes back as it came.
    Cells("\xEF\xBB\xBFTag; Voltage_KV ;POWER_kW;slip;efficiency;power_factor;current_ratio\r\n"
          "\"P;1 \"\"A\"\"\";1;10;0,02;0,9;0,8;5",
          {"Tag=P;1 \"A\"", " Voltage_KV =1", "slip=0,02", "Rs_ohm=4,70204258", "Lm_H=0,411444187",
           "Rs_text=   4.70204ohm", "check_pf=0,8", "used_slip=0,0199999996"});
}

TEST(BatchTest, SummaryCountsEachStatusAndTheSkippedEmptyRows) {
    const BatchRun run = Batch(Header + Plate + ",,,,,\r\n\n1,10,0.02,0.9,e5,5\n" +
                               "1,10,0.02,0.98,0.8,5\n , ,,,, \n" + Plate);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "induction-motor-batch: 4 rows: 2 ok, 1 substituted, 0 fallback, "
                       "0 unreadable, 1 error; 3 empty rows skipped\n");
}

// A stream that fails under way, as one opened on a directory does.
TEST(BatchTest, AnInputThatFailsToReadIsAnInputErrorNotAnAbort) {
    std::ifstream directory(testing::TempDir(), std::ios::binary);
    std::ostringstream out;
    EXPECT_EQ(RunBatch(directory, out, out, {}), 2);
    EXPECT_EQ(out.str(), "induction-motor-batch: cannot read the input: Is a directory\n");
}

TEST(BatchTest, InputErrorsStopWithStatusTwoAfterWritingTheRowsBefore) {
    // Rows are computed a block at a time, their results kept for the next
    // block but one; each keeps its place and its own results, and an error
    // after whole blocks comes after all of them.
    std::string csv = "tag," + Header;
    for (int i = 0; i < 9000; ++i) {
        csv += std::to_string(i) + ",1,10,0.02,0.9," + (i == 5 ? "e5," : "0.8,") +
               std::to_string(4 + i % 3) + "\n";
    }
    const BatchRun run = Batch(csv + "1,10\n");
    EXPECT_EQ(run.err, "induction-motor-batch: line 9002: 2 fields where the header has 7\n");
    ASSERT_EQ(run.rows.size(), 9000u);
    for (std::size_t i = 0; i < run.rows.size(); ++i) {
        ASSERT_EQ(run.rows[i].at("tag"), std::to_string(i));
        // Nothing of the error in row 5 is left in the rows after it.
        ASSERT_EQ(run.rows[i].at("status"), i == 5 ? "error" : "ok") << "row " << i;
        ASSERT_EQ(run.rows[i].at("Lm_H"), i == 5 ? "" : run.rows[i % 3].at("Lm_H")) << "row " << i;
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
        // Lines are counted past a quoted line end.
        {Header + "1,\"10\n\",0.02,0.9,0.8,5\n1,10\n", "line 4: 2 fields where the header has 6",
         1},
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
    BatchOptions curves;
    curves.curvesDir = dir;
    ASSERT_EQ(Batch(Header + Plate, curves).status, 0);
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
    BatchOptions curves;
    curves.curvesDir = dir;
    Batch(Header + Plate + "\n1,10,0.02,0.9,e5,5\n0.4,200,0.01,0.95,0.88,7\n", curves);
    EXPECT_TRUE(fs::exists(dir / "row-1.csv") && fs::exists(dir / "row-3.csv"));
    EXPECT_FALSE(fs::exists(dir / "row-2.csv") || fs::exists(dir / "row-4.csv"));
    EXPECT_NE(Contents(dir / "row-1.csv"), Contents(dir / "row-3.csv"));
    fs::remove(dir / "row-1.csv");
    std::ofstream(dir / "row-2.csv") << "keep me\n";
    const BatchRun refused = Batch(Header + Plate + Plate, curves);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "induction-motor-batch: " + (dir / "row-2.csv").string() +
                               " exists; --force overwrites it\n");
    EXPECT_EQ(refused.rows.size(), 1u);
    EXPECT_EQ(Contents(dir / "row-2.csv"), "keep me\n");
    curves.overwriteCurves = true;
    EXPECT_EQ(Batch(Header + Plate + Plate, curves).rows.size(), 2u);
    EXPECT_EQ(Contents(dir / "row-2.csv"), Contents(dir / "row-1.csv"));
    // A file where the folder should be.
    curves.curvesDir = dir / "row-1.csv";
    const BatchRun plain = Batch(Header + Plate, curves);
    EXPECT_EQ(plain.status, 2);
    EXPECT_NE(plain.err.find("--curves " + (dir / "row-1.csv").string()), std::string::npos);
    EXPECT_TRUE(plain.rows.empty());
}

// The command itself, standard output and error together.
int Command(const std::string& arguments, const std::string& input, std::string& output) {
    std::ofstream(OwnPath(".csv")) << input;
    const std::string command = std::string(BATCH_EXE) + " " + arguments + " <" +
                                OwnPath(".csv").string() + " >" + OwnPath(".out").string() +
                                " 2>&1";
    const int status = std::system(command.c_str());
    output = Contents(OwnPath(".out"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(BatchCommandTest, TakesItsOptionsOrExitsWithTwoSayingWhy) {
    const std::tuple<std::string, int, std::string> cases[] = {
        // The per-unit texts at the supply frequency unless told.
        {"--frequency 60 --base-mva 2", 0, ",0.342870176,   4.70204ohm,"},
        {"--frequency 60 --base-mva 2", 0, ",base Z = 0.500000 Ohm,   258.518 pu,"},
        {"--output-decimal ,", 0, ",\"4,70204258\",\"1,55079687\","},
        {"--output-delimiter ';'", 0, ";4,70204258;1,55079687;"},
        {"--output-delimiter tab", 0, "\t4.70204258\t1.55079687\t"},
        {"--delimiter ';'", 2, "line 1: missing column voltage_kV"},
        {"--frequency 55", 2, "--frequency"},
        {"--no-such-option", 2, "--no-such-option"},
        {"--force", 2, "--force"},
        {"/nonexistent/plates.csv", 2,
         "cannot read /nonexistent/plates.csv: No such file or directory"},
        {testing::TempDir(), 2, "cannot read " + testing::TempDir() + ": Is a directory"},
        {"--base-kv e5", 2, "--base-kv: 'e5' is not a number greater than 0"},
        {"--pu-frequency '50 60'", 2, "--pu-frequency: '50 60' is not a number greater than 0"},
        {"--delimiter x", 2, "--delimiter: 'x' is not one of , ; tab"},
        {"--output-decimal ';'", 2, "--output-decimal: ';' is not one of . ,"},
    };
    for (const auto& [arguments, status, piece] : cases) {
        std::string output;
        EXPECT_EQ(Command(arguments, Header + Plate, output), status) << arguments;
        EXPECT_NE(output.find(piece), std::string::npos) << output;
        // Progress is for a terminal only.
        EXPECT_EQ(output.find('\r'), std::string::npos);
    }
}

TEST(BatchCommandTest, WritesCurvesAndReplacesTheOutputFileOnlyOnACompleteRun) {
    std::string output;
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
