#include "batch_run.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

bool FourDigits(double actual, double expected) {
    return std::fabs(actual - expected) <= 0.5e-3 * std::fabs(expected) + 1e-12;
}

TEST(BatchTest, DefaultNameplateGivesTheWindowsValuesAndReproducesItself) {
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.rows.size(), 1u);
    const Row& r = run.rows[0];
    EXPECT_NEAR(Number(r, "Rs_ohm"), 4.70204, 1e-5);
    EXPECT_NEAR(Number(r, "Rr_ohm"), 1.55080, 1e-5);
    EXPECT_NEAR(Number(r, "Lls_H"), 0.0212539, 1e-7);
    EXPECT_EQ(r.at("Lls_H"), r.at("Llr_H"));
    EXPECT_NEAR(Number(r, "Lm_H"), 0.411444, 1e-6);

    EXPECT_EQ(r.at("Rs_text"), "   4.70204ohm");
    EXPECT_EQ(r.at("Rr_text"), "    1.5508ohm");
    EXPECT_EQ(r.at("Lls_text"), "  0.021254H");
    EXPECT_EQ(r.at("Lm_text"), "  0.411444H");
    EXPECT_EQ(r.at("base_Z_text"), "base Z = 1.0 Ohm");
    EXPECT_EQ(r.at("Lm_pu_text"), "   129.259 pu");
    EXPECT_EQ(r.at("Rs_pu_text"), "   4.70204 pu");
    EXPECT_EQ(r.at("invalid_bases"), "");
    EXPECT_EQ(r.at("warnings"), "");
    EXPECT_EQ(r.at("error"), "");

    EXPECT_TRUE(FourDigits(Number(r, "check_In_A"), 8.0188));
    EXPECT_TRUE(FourDigits(Number(r, "check_pf"), 0.8));
    EXPECT_TRUE(FourDigits(Number(r, "check_efficiency"), 0.9));
    EXPECT_TRUE(FourDigits(Number(r, "check_Ilr_ratio"), 5));
}

TEST(BatchTest, ColumnsInAnyOrderOtherColumnsKeptAndCommaDecimals) {
    const BatchRun run =
        Batch("current_ratio,tag,power_factor,efficiency,slip,power_kW,voltage_kV\n"
              "5,P-101,\"0,8\",\"0,9\",\"0,02\",10,1\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.rows[0].at("tag"), "P-101");
    EXPECT_EQ(run.rows[0].at("power_factor"), "0,8");
    EXPECT_EQ(run.rows[0].at("Rs_text"), "   4.70204ohm");
}

TEST(BatchTest, SixtyHertzChangesOnlyTheInductances) {
    BatchOptions sixty;
    sixty.frequency = 60;
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", sixty);
    EXPECT_NEAR(Number(run.rows[0], "Lm_H"), 0.342870, 1e-6);
    EXPECT_NEAR(Number(run.rows[0], "Lls_H"), 0.0177116, 1e-7);
    EXPECT_EQ(run.rows[0].at("Rs_text"), "   4.70204ohm");
    // The per-unit reactances follow the supply frequency unless told otherwise.
    EXPECT_EQ(run.rows[0].at("Lm_pu_text"), "   129.259 pu");
    sixty.puFrequency = "50";
    EXPECT_EQ(Batch(Header + "1,10,0.02,0.9,0.8,5\n", sixty).rows[0].at("Lm_pu_text"),
              "   107.716 pu");
}

TEST(BatchTest, FallbackRowCarriesItsWarningsAndItsOwnRatio) {
    const BatchRun run = Batch(Header + "0,10,0.02,0.9,0.8,20\n");
    ASSERT_EQ(run.status, 1);
    const Row& r = run.rows[0];
    EXPECT_EQ(r.at("status"), "fallback");
    EXPECT_EQ(r.at("warnings"), "too small nominal voltage | "
                                "cannot solve parameters. Ilocked/Inom. =    11.1366");
    EXPECT_EQ(r.at("error"), "");
    EXPECT_EQ(r.at("Lls_text"), " 0.0      H");
}

TEST(BatchTest, ErrorRowIsWrittenAndLaterRowsGoOn) {
    const BatchRun run = Batch(Header + "0,0,0.02,0.9,0.8,999e36\n"
                                        "1,10,0.02,0.9,e5,5\n"
                                        "1,10,0.02,0.9,0.8,5\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[0].at("error"), "Floating point overflow.");
    // The lines of the rows read before the error stay.
    EXPECT_EQ(run.rows[0].at("warnings"), "too small nominal voltage |  too small nominal power");
    EXPECT_EQ(run.rows[0].at("Rs_ohm"), "");
    EXPECT_EQ(run.rows[0].at("check_In_A"), "");
    EXPECT_EQ(run.rows[1].at("error"), "'e5' is not a valid floating point value.");
    EXPECT_EQ(run.rows[2].at("error"), "");
    EXPECT_EQ(run.rows[2].at("Rs_text"), "   4.70204ohm");
}

// The command refuses such bases; the batch itself shows them as the window does.
TEST(BatchTest, InvalidBasesAreNamedAndLeaveThePerUnitColumnsEmpty) {
    BatchOptions bad;
    bad.baseMva = "0";
    bad.puFrequency = "";
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", bad);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.rows[0].at("status"), "ok");
    EXPECT_EQ(run.rows[0].at("invalid_bases"), "mva frequency");
    EXPECT_EQ(run.rows[0].at("base_Z_text"), "");
    EXPECT_EQ(run.rows[0].at("Rs_pu_text"), "");
    EXPECT_EQ(run.rows[0].at("Rs_text"), "   4.70204ohm");
}

TEST(BatchTest, PerUnitOverflowKeepsTheLabelWrittenBeforeIt) {
    BatchOptions tiny;
    tiny.baseKv = "1e-20"; // Zb = 1e-40: every per-unit value overflows
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", tiny);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.rows[0].at("error"), "Floating point overflow.");
    EXPECT_EQ(run.rows[0].at("base_Z_text"), "base Z = 0.0 Ohm");
    EXPECT_EQ(run.rows[0].at("Lm_pu_text"), "");
    EXPECT_EQ(run.rows[0].at("Rs_text"), "   4.70204ohm");
}

TEST(BatchTest, PerUnitOnTheMachinesOwnRatingIsTheSameAtEitherFrequency) {
    for (const float frequency : {50.0f, 60.0f}) {
        BatchOptions options;
        options.frequency = frequency;
        const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", options);
        const Row& r = run.rows.at(0);
        // 10 kW / (0.9 * 0.8); (1000 V / sqrt 3) / 8.01875 A.
        EXPECT_TRUE(FourDigits(Number(r, "S_base_kVA"), 13.8889)) << r.at("S_base_kVA");
        EXPECT_TRUE(FourDigits(Number(r, "Z_base_ohm"), 72.000)) << r.at("Z_base_ohm");
        EXPECT_TRUE(FourDigits(Number(r, "Rs_pu"), 4.70204 / 72)) << r.at("Rs_pu");
        EXPECT_TRUE(FourDigits(Number(r, "Rr_pu"), 1.55080 / 72)) << r.at("Rr_pu");
        // The reactances of the window's per-unit view at 1 ohm base, 50 Hz.
        EXPECT_TRUE(FourDigits(Number(r, "Xls_pu"), 6.67712 / 72)) << r.at("Xls_pu");
        EXPECT_EQ(r.at("Xlr_pu"), r.at("Xls_pu"));
        EXPECT_TRUE(FourDigits(Number(r, "Xm_pu"), 129.259 / 72)) << r.at("Xm_pu");
    }
}

struct RatioCase {
    const char* name;
    std::string line;
    std::string ratioMin;
    std::string ratioMax;
};

class RatioRangeTest : public testing::TestWithParam<RatioCase> {};

TEST_P(RatioRangeTest, IsWhatTheNameplateAdmits) {
    const BatchRun run = Batch(Header + GetParam().line + "\n");
    ASSERT_EQ(run.rows.size(), 1u) << run.err;
    EXPECT_EQ(run.rows[0].at("ratio_min"), GetParam().ratioMin);
    EXPECT_EQ(run.rows[0].at("ratio_max"), GetParam().ratioMax);
}

INSTANTIATE_TEST_SUITE_P(
    Plates, RatioRangeTest,
    testing::Values(RatioCase{"default", "1,10,0.02,0.9,0.8,5", "1.65205", "11.141"},
                    // Above the 11.1366 that the fallback line names.
                    RatioCase{"ratio_not_met", "1,10,0.02,0.9,0.8,20", "1.65205", "11.141"},
                    RatioCase{"small_motor", "0.4,0.75,0.05,0.83,0.82,6", "1.69752", "6.17864"},
                    RatioCase{"medium_voltage", "6.6,630,0.007,0.959,0.83,6", "1.78955", "27.2144"},
                    RatioCase{"no_circuit", "1,10,0.02,0.9,e5,5", "", ""}),
    RowName);

struct StatusCase {
    const char* name;
    std::string line;
    std::string status;
    std::string problems;
};

class StatusTest : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusTest, NamesTheWorstThatHappenedAndEveryMisreadField) {
    const BatchRun run = Batch(Header + GetParam().line + "\n");
    ASSERT_EQ(run.rows.size(), 1u) << run.err;
    EXPECT_EQ(run.rows[0].at("status"), GetParam().status);
    EXPECT_EQ(run.rows[0].at("read_problems"), GetParam().problems);
    EXPECT_EQ(run.status, GetParam().status == "ok" ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatusTest,
    testing::Values(
        StatusCase{"ok", "1,10,0.02,0.9,0.8,5", "ok", ""},
        StatusCase{"substituted", "1,10,0.02,0.98,0.8,5", "substituted", ""},
        StatusCase{"fallback", "1,10,0.02,0.9,0.8,20", "fallback", ""},
        StatusCase{"fallback_before_substituted", "0,10,0.02,0.9,0.8,20", "fallback", ""},
        StatusCase{"blank_in_a_number", "1,1 400,0.02,0.9,0.8,5", "unreadable",
                   "power_kW: '1 400' read as 1"},
        StatusCase{"unit_after_the_number", "0.4 kV,10,0.02,0.9,0.8,5", "unreadable",
                   "voltage_kV: '0.4 kV' read as 0"},
        StatusCase{"empty_and_blank_fields", ",10,0.02,0.9,  ,5", "unreadable",
                   "voltage_kV: '' read as 0 | power_factor: '  ' read as 0"},
        StatusCase{"unreadable_before_fallback", "1,10 kW,0.02,0.9,0.8,20", "unreadable",
                   "power_kW: '10 kW' read as 0"},
        StatusCase{"percentages", "1,10,3,88,85,5", "fallback",
                   "slip: '3' read as 3 (a percentage? the column takes a fraction) | "
                   "efficiency: '88' read as 88 (a percentage? the column takes a fraction) | "
                   "power_factor: '85' read as 85 (a percentage? the column takes a fraction)"},
        StatusCase{"error", "1,10,0.02,0.9,e5,5", "error", ""},
        StatusCase{"error_before_unreadable", "1,1 400,0.02,0.9,e5,5", "error",
                   "power_kW: '1 400' read as 1"}),
    RowName);

// What the calculation used after each substitute, in the input's units.
struct UsedCase {
    const char* name;
    std::string line;
    const char* column;
    std::string used;
};

class UsedValueTest : public testing::TestWithParam<UsedCase> {};

TEST_P(UsedValueTest, IsTheSubstitute) {
    const BatchRun run = Batch(Header + GetParam().line + "\n");
    ASSERT_EQ(run.rows.size(), 1u) << run.err;
    EXPECT_EQ(run.rows[0].at(GetParam().column), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Substitutes, UsedValueTest,
    testing::Values(
        UsedCase{"as_read", "1,10,0.02,0.9,0.8,5", "used_voltage_kV", "1"},
        UsedCase{"power_as_read", "1,10,0.02,0.9,0.8,5", "used_power_kW", "10"},
        UsedCase{"voltage", "0,10,0.02,0.9,0.8,5", "used_voltage_kV", "0.000499999966"},
        UsedCase{"power", "1,0,0.02,0.9,0.8,5", "used_power_kW", "0.000999999"},
        UsedCase{"large_slip", "1,10,0.6,0.9,0.8,5", "used_slip", "0.5"},
        UsedCase{"small_slip", "1,10,0.0009,0.9,0.8,5", "used_slip", "0.0009765625"},
        UsedCase{"large_efficiency", "1,10,0.02,0.98,0.8,5", "used_efficiency", "0.975000024"},
        UsedCase{"small_efficiency", "1,10,0.02,0.4,0.8,5", "used_efficiency", "0.5"},
        UsedCase{"large_power_factor", "1,10,0.02,0.9,0.9991,5", "used_power_factor",
                 "0.999100029"},
        UsedCase{"small_power_factor", "1,10,0.02,0.9,0.4,5", "used_power_factor", "0.5"},
        UsedCase{"current_ratio", "1,10,0.02,0.9,0.8,1.2", "used_current_ratio", "1.5"},
        UsedCase{"none_after_an_error", "1,10,0.02,0.9,e5,5", "used_slip", ""}),
    RowName);

TEST(BatchTest, SummaryCountsEachStatusAndTheSkippedEmptyRows) {
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n"
                                        ",,,,,\n"
                                        "\n"
                                        "1,10,0.02,0.98,0.8,5\n"
                                        " , ,,,, \n"
                                        "1,10,0.02,0.9,0.8,5\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.err, "induction-motor-batch: 3 rows: 2 ok, 1 substituted, 0 fallback, "
                       "0 unreadable, 0 error; 3 empty rows skipped\n");
}

// As a spreadsheet in a decimal-comma locale saves a sheet, header in its
// own spelling.
TEST(BatchTest, SemicolonFileIsReadWithDecimalCommasAndWrittenBackTheSameWay) {
    const BatchRun run =
        Batch("Tag; Voltage_KV ;POWER_kW;slip;efficiency;power_factor;current_ratio\r\n"
              "P-101;1;10;0,02;0,9;0,8;5\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Tag; Voltage_KV ;POWER_kW;slip;efficiency;power_factor;"
                            "current_ratio;Rs_ohm;Rr_ohm;",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("\nP-101;1;10;0,02;0,9;0,8;5;4,70204258;1,55079687;0,0212539434;"),
              std::string::npos)
        << run.out;
    const Row& r = run.rows.at(0);
    // The window's texts keep their '.'; every number column has ','.
    EXPECT_EQ(r.at("Rs_text"), "   4.70204ohm");
    EXPECT_EQ(r.at("check_pf"), "0,8");
    EXPECT_EQ(r.at("used_slip"), "0,0199999996");
}

struct FormatCase {
    const char* name;
    std::string csv;
    BatchOptions options;
    std::string expected; // a piece of the output
};

BatchOptions With(char delimiter, char outputDelimiter, char outputDecimal) {
    BatchOptions options;
    if (delimiter != 0) {
        options.delimiter = delimiter;
    }
    if (outputDelimiter != 0) {
        options.outputDelimiter = outputDelimiter;
    }
    if (outputDecimal != 0) {
        options.outputDecimal = outputDecimal;
    }
    return options;
}

class OutputFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(OutputFormatTest, WritesTheDelimiterAndDecimalMarkAsked) {
    const BatchRun run = Batch(GetParam().csv, GetParam().options);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(GetParam().expected), std::string::npos) << run.out;
}

const std::string SemicolonHeader =
    "voltage_kV;power_kW;slip;efficiency;power_factor;current_ratio\n";

INSTANTIATE_TEST_SUITE_P(
    Options, OutputFormatTest,
    testing::Values(
        FormatCase{"decimal_comma_in_a_comma_file_is_quoted", Header + "1,10,0.02,0.9,0.8,5\n",
                   With(0, 0, ','), ",\"4,70204258\",\"1,55079687\","},
        FormatCase{"semicolon_file_to_comma_output", SemicolonHeader + "1;10;0,02;0,9;0,8;5\n",
                   With(0, ',', 0), ",4.70204258,1.55079687,"},
        FormatCase{"tab_file_stays_tab_separated",
                   "voltage_kV\tpower_kW\tslip\tefficiency\tpower_factor\tcurrent_ratio\n"
                   "1\t10\t0.02\t0.9\t0.8\t5\n",
                   With(0, 0, 0), "\t4.70204258\t1.55079687\t"},
        // As many ',' as ';' in the header: found as ',' without the option.
        FormatCase{"delimiter_option_overrides_detection",
                   "a,b,c,d,e,f;" + SemicolonHeader + "x;1;10;0,02;0,9;0,8;5\n", With(';', 0, 0),
                   ";4,70204258;1,55079687;"}),
    RowName);

struct SpeedCase {
    const char* name;
    std::string columns; // besides voltage, power, efficiency, power factor, ratio
    std::string values;
    float frequency;
    const char* column;
    std::string expected;
};

class SlipFromSpeedTest : public testing::TestWithParam<SpeedCase> {};

TEST_P(SlipFromSpeedTest, GivesTheSlip) {
    BatchOptions options;
    options.frequency = GetParam().frequency;
    const BatchRun run =
        Batch("voltage_kV,power_kW,efficiency,power_factor,current_ratio," + GetParam().columns +
                  "\n1,10,0.9,0.8,5," + GetParam().values + "\n",
              options);
    ASSERT_EQ(run.rows.size(), 1u) << run.err;
    EXPECT_EQ(run.rows[0].at(GetParam().column), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Plates, SlipFromSpeedTest,
                         testing::Values(SpeedCase{"poles", "speed_rpm,poles", "1470,4", 50,
                                                   "used_slip", "0.0199999996"},
                                         SpeedCase{"poles_at_60_hz", "speed_rpm,Poles", "1764,4",
                                                   60, "used_slip", "0.0199999996"},
                                         SpeedCase{"synchronous_speed", "sync_speed_rpm,speed_rpm",
                                                   "1500,1470", 50, "used_slip", "0.0199999996"},
                                         SpeedCase{"same_circuit_as_the_slip", "speed_rpm,poles",
                                                   "1470,4", 50, "Rs_ohm", "4.70204258"},
                                         SpeedCase{"slip_column_wins", "slip,speed_rpm,poles",
                                                   "0.03,1470,4", 50, "used_slip", "0.0299999993"},
                                         SpeedCase{"unreadable_speed", "speed_rpm,poles",
                                                   "1470 rpm,4", 50, "read_problems",
                                                   "speed_rpm: '1470 rpm' read as 0"},
                                         SpeedCase{"no_poles", "speed_rpm,poles", "1470,0", 50,
                                                   "error", "poles must be greater than 0."}),
                         RowName);

std::string Repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

// More rows than one block: each keeps its place and its own results.
TEST(BatchTest, RowsBeyondABlockKeepTheirOrder) {
    std::string csv = "tag," + Header;
    for (int i = 0; i < 9000; ++i) {
        csv += std::to_string(i) + ",1,10,0.02,0.9,0.8," + std::to_string(4 + i % 3) + "\n";
    }
    const BatchRun run = Batch(csv);
    ASSERT_EQ(run.rows.size(), 9000u);
    for (std::size_t i = 0; i < run.rows.size(); ++i) {
        ASSERT_EQ(run.rows[i].at("tag"), std::to_string(i));
        ASSERT_EQ(run.rows[i].at("Lm_H"), run.rows[i % 3].at("Lm_H")) << "row " << i;
    }
    EXPECT_NE(run.rows[0].at("Lm_H"), run.rows[1].at("Lm_H"));
}

// A stream that fails under way, as one opened on a directory does.
TEST(BatchTest, AnInputThatFailsToReadIsAnInputErrorNotAnAbort) {
    std::ifstream directory(testing::TempDir(), std::ios::binary);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunBatch(directory, out, err, {}), 2);
    EXPECT_EQ(err.str(), "induction-motor-batch: cannot read the input: Is a directory\n");
}

struct InputErrorCase {
    const char* name;
    std::string csv;
    std::string message;
    std::size_t rowsWritten;
};

class InputErrorTest : public testing::TestWithParam<InputErrorCase> {};

TEST_P(InputErrorTest, StopsWithStatusTwoNamingTheLine) {
    const BatchRun run = Batch(GetParam().csv);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(run.rows.size(), GetParam().rowsWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, InputErrorTest,
    testing::Values(
        InputErrorCase{"missing_column",
                       "voltage_kV,power_kW,slip,efficiency,power_factor\n1,10,0.02,0.9,0.8\n",
                       "line 1: missing column current_ratio", 0},
        InputErrorCase{"empty_input", "", "line 1: no header line", 0},
        InputErrorCase{"no_slip_nor_speed",
                       "voltage_kV,power_kW,speed_rpm,efficiency,power_factor,current_ratio\n",
                       "line 1: missing column slip (or speed_rpm with poles or sync_speed_rpm)",
                       0},
        InputErrorCase{"column_twice", "Slip," + Header, "line 1: column slip appears twice", 0},
        InputErrorCase{"malformed_row", Header + "1,10,0.02,0.9,0.8,5\n1,1\"0,0.02,0.9,0.8,5\n",
                       "line 3: quote inside an unquoted field", 1},
        InputErrorCase{"short_row", Header + "1,10,0.02\n",
                       "line 2: 3 fields where the header has 6", 0},
        InputErrorCase{"unclosed_quote", Header + "1,10,0.02,0.9,0.8,5\n\"open\n", "line 3", 1},
        // Rows are computed a block at a time: the error comes after a whole
        // block and part of the next, all of them written.
        InputErrorCase{"short_row_past_a_block",
                       Header + Repeated("1,10,0.02,0.9,0.8,5\n", 5000) + "1,10\n",
                       "line 5002: 2 fields where the header has 6", 5000}),
    [](const auto& info) { return std::string(info.param.name); });

// The command itself: options and exit codes.
int Command(const std::string& arguments, const std::string& input, std::string& output) {
    // ctest runs tests of one executable side by side: one file pair each.
    std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    const std::string base = testing::TempDir() + "batch_" + name;
    const std::string in = base + ".csv";
    const std::string out = base + ".out";
    std::ofstream(in) << input;
    const int status = std::system(
        (std::string(BATCH_EXE) + " " + arguments + " <" + in + " >" + out + " 2>&1").c_str());
    std::ifstream result(out);
    output.assign(std::istreambuf_iterator<char>(result), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(BatchCommandTest, ReadsStandardInputAndTakesOptions) {
    std::string output;
    EXPECT_EQ(Command("--frequency 60 --base-mva 2", Header + "1,10,0.02,0.9,0.8,5\n", output), 0);
    EXPECT_NE(output.find("base Z = 0.500000 Ohm"), std::string::npos) << output;
    EXPECT_NE(output.find("0.34287"), std::string::npos) << output;
    // Progress is for a terminal only.
    EXPECT_EQ(output.find('\r'), std::string::npos);
}

struct UsageCase {
    const char* name;
    std::string arguments;
    std::string message;
};

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndSaysWhy) {
    std::string output;
    EXPECT_EQ(Command(GetParam().arguments, Header + "1,10,0.02,0.9,0.8,5\n", output), 2);
    EXPECT_NE(output.find(GetParam().message), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrorTest,
    testing::Values(UsageCase{"frequency", "--frequency 55", "--frequency"},
                    UsageCase{"unknown_option", "--no-such-option", "--no-such-option"},
                    UsageCase{"missing_file", "/nonexistent/plates.csv",
                              "cannot read /nonexistent/plates.csv: No such file or directory"},
                    UsageCase{"directory", testing::TempDir(),
                              "cannot read " + testing::TempDir() + ": Is a directory"},
                    UsageCase{"base_kv_malformed", "--base-kv e5",
                              "--base-kv: 'e5' is not a number greater than 0"},
                    UsageCase{"base_mva_zero", "--base-mva 0",
                              "--base-mva: '0' is not a number greater than 0"},
                    UsageCase{"pu_frequency_two_numbers", "--pu-frequency '50 60'",
                              "--pu-frequency: '50 60' is not a number greater than 0"},
                    UsageCase{"delimiter", "--delimiter x",
                              "--delimiter: 'x' is not one of , ; tab"},
                    UsageCase{"output_decimal", "--output-decimal ';'",
                              "--output-decimal: ';' is not one of . ,"}),
    RowName);

TEST(BatchCommandTest, OutputFileIsReplacedOnlyByACompleteRun) {
    const std::string file = testing::TempDir() + "batch_output_file.csv";
    std::ofstream(file) << "old\n";
    std::string output;
    EXPECT_EQ(Command("-o " + file, Header + "1,10,0.02,0.9,0.8,5\n1,1\"0\n", output), 2);
    std::ifstream old(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old\n");
    EXPECT_EQ(Command("-o " + file, Header + "1,10,0.02,0.9,0.8,20\n", output), 1);
    std::ifstream replaced(file);
    const std::vector<Row> rows =
        ReadRows(std::string(std::istreambuf_iterator<char>(replaced), {}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("status"), "fallback");
    // Only the summary goes to the terminal.
    EXPECT_EQ(output, "induction-motor-batch: 1 row: 0 ok, 0 substituted, 1 fallback, "
                      "0 unreadable, 0 error; 0 empty rows skipped\n");
}

TEST(BatchCommandTest, HelpExplainsTheColumns) {
    std::string output;
    EXPECT_EQ(Command("--help", "", output), 0);
    // Every column by name, but the texts that stand as "Rs_text ... Lm_text".
    for (const std::string& column : OutputColumns()) {
        if (!column.ends_with("_text") || column == "Rs_text" || column == "Lm_text") {
            EXPECT_NE(output.find(column), std::string::npos) << column;
        }
    }
    for (const char* option : {"--pu-frequency", "--curves", "--delimiter", "--output-delimiter",
                               "--output-decimal", "--output", "speed_rpm", "sync_speed_rpm"}) {
        EXPECT_NE(output.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(Command("--version", "", output), 0);
    EXPECT_EQ(output.rfind("induction-motor-batch 1.", 0), 0u) << output;
}

TEST(BatchCommandTest, CurvesGoToTheNamedFolderAndForceNeedsThem) {
    const std::string dir = testing::TempDir() + "batch_curves_option";
    std::remove((dir + "/row-1.csv").c_str());
    std::string output;
    EXPECT_EQ(Command("--curves " + dir + " --force", Header + "1,10,0.02,0.9,0.8,5\n", output), 0)
        << output;
    EXPECT_TRUE(std::ifstream(dir + "/row-1.csv").good());
    EXPECT_EQ(Command("--curves " + dir, Header + "1,10,0.02,0.9,0.8,5\n", output), 2);
    EXPECT_NE(output.find("row-1.csv exists"), std::string::npos) << output;
    EXPECT_EQ(Command("--force", Header, output), 2);
}

} // namespace
