#include "batch_run.h"
#include "named_rows.h"

#include <gtest/gtest.h>

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
    // The per-unit reactance is taken at the typed 50 Hz.
    EXPECT_EQ(run.rows[0].at("Lm_pu_text"), "   107.716 pu");
}

TEST(BatchTest, FallbackRowCarriesItsWarningsAndItsOwnRatio) {
    const BatchRun run = Batch(Header + "0,10,0.02,0.9,0.8,20\n");
    ASSERT_EQ(run.status, 0);
    const Row& r = run.rows[0];
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

TEST(BatchTest, InvalidBasesAreNamedAndLeaveThePerUnitColumnsEmpty) {
    BatchOptions bad;
    bad.baseMva = "0";
    bad.puFrequency = "";
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", bad);
    ASSERT_EQ(run.status, 0);
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
    const std::string base = testing::TempDir() + "batch_" +
                             testing::UnitTest::GetInstance()->current_test_info()->name();
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
}

TEST(BatchCommandTest, UsageErrorsExitWithTwo) {
    std::string output;
    EXPECT_EQ(Command("--frequency 55", Header, output), 2);
    EXPECT_EQ(Command("--no-such-option", Header, output), 2);
    EXPECT_EQ(Command("/nonexistent/plates.csv", Header, output), 2);
    EXPECT_NE(output.find("cannot read /nonexistent/plates.csv"), std::string::npos);
    EXPECT_EQ(Command("--base-kv e5", Header, output), 2);
    EXPECT_NE(output.find("'e5' is not a valid floating point value"), std::string::npos);
}

TEST(BatchCommandTest, HelpExplainsTheColumns) {
    std::string output;
    EXPECT_EQ(Command("--help", "", output), 0);
    EXPECT_NE(output.find("check_Ilr_ratio"), std::string::npos);
    EXPECT_NE(output.find("check_s_breakdown"), std::string::npos);
    EXPECT_NE(output.find("--pu-frequency"), std::string::npos);
    EXPECT_NE(output.find("--curves"), std::string::npos);
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
