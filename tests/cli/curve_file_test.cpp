#include "batch_run.h"
#include "curve_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// ctest runs the tests of one executable side by side: a folder each.
fs::path FreshDir() {
    const fs::path dir =
        fs::path(testing::TempDir()) /
        ("curves_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    return dir;
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

BatchOptions WithCurves(const fs::path& dir, bool force = false) {
    BatchOptions options;
    options.curvesDir = dir;
    options.overwriteCurves = force;
    return options;
}

TEST(CurveFileTest, RunsFromStandstillToSynchronousSpeedThroughTheCheckColumns) {
    const fs::path dir = FreshDir() / "new" / "folder"; // created when missing
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", WithCurves(dir));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = Contents(dir / "row-1.csv");
    ASSERT_EQ(text.substr(0, text.find('\n')),
              "slip,speed_pu,torque_pu,current_pu,power_factor,point");
    const std::vector<Row> points = ReadRows(text);
    ASSERT_GE(points.size(), 201u);

    const Row& standstill = points.front();
    EXPECT_EQ(standstill.at("slip"), "1");
    EXPECT_EQ(standstill.at("speed_pu"), "0");
    const Row& r = run.rows[0];
    EXPECT_NEAR(Number(standstill, "torque_pu"), Number(r, "check_Tlr_Tn"),
                0.5e-5 * Number(r, "check_Tlr_Tn"));
    // The model's 32-bit circuit evaluation gives the same locked current.
    EXPECT_NEAR(Number(standstill, "current_pu"), Number(r, "check_Ilr_ratio"),
                1e-5 * Number(r, "check_Ilr_ratio"));

    const Row& synchronous = points.back();
    EXPECT_EQ(synchronous.at("slip"), "0");
    EXPECT_EQ(synchronous.at("speed_pu"), "1");
    EXPECT_EQ(synchronous.at("torque_pu"), "0");
    EXPECT_GT(Number(synchronous, "current_pu"), 0);

    // Falling slip through every step of 0.005, the rated and the breakdown
    // point among them, and no torque above the breakdown's.
    std::size_t step = 0;
    int running = 0;
    const Row* rated = nullptr;
    const Row* breakdown = nullptr;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const double s = Number(points[k], "slip");
        if (k > 0) {
            EXPECT_LT(s, Number(points[k - 1], "slip")) << k;
        }
        if (s == (200.0 - step) / 200) {
            ++step;
        }
        running += s > 0 && s < 0.02f;
        const std::string& name = points[k].at("point");
        rated = name == "rated" ? &points[k] : rated;
        breakdown = name == "breakdown" ? &points[k] : breakdown;
        EXPECT_LE(Number(points[k], "torque_pu"), Number(r, "check_Tb_Tn") * (1 + 0.5e-5)) << k;
    }
    EXPECT_EQ(step, 201u);
    EXPECT_GE(running, 20);
    ASSERT_NE(rated, nullptr);
    EXPECT_EQ(rated->at("slip"), r.at("used_slip"));
    EXPECT_EQ(rated->at("torque_pu"), "1");
    EXPECT_EQ(rated->at("current_pu"), "1");
    ASSERT_NE(breakdown, nullptr);
    EXPECT_NEAR(Number(*breakdown, "slip"), Number(r, "check_s_breakdown"),
                0.5e-5 * Number(r, "check_s_breakdown"));
    EXPECT_NEAR(Number(*breakdown, "torque_pu"), Number(r, "check_Tb_Tn"),
                0.5e-5 * Number(r, "check_Tb_Tn"));
}

TEST(CurveFileTest, NumbersDataRowsAsTheOutputAndSkipsRowsWithoutACircuit) {
    const fs::path dir = FreshDir();
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n"
                                        "\n"
                                        "1,10,0.02,0.9,e5,5\n"
                                        "0.4,200,0.01,0.95,0.88,7\n",
                               WithCurves(dir));
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[1].at("check_Tlr_Tn"), "");
    EXPECT_EQ(run.rows[1].at("check_Tb_Tn"), "");
    EXPECT_EQ(run.rows[1].at("check_s_breakdown"), "");
    EXPECT_TRUE(fs::exists(dir / "row-1.csv"));
    EXPECT_FALSE(fs::exists(dir / "row-2.csv"));
    EXPECT_TRUE(fs::exists(dir / "row-3.csv"));
    EXPECT_FALSE(fs::exists(dir / "row-4.csv"));
    // Each row its own motor.
    EXPECT_NE(Contents(dir / "row-1.csv"), Contents(dir / "row-3.csv"));
}

TEST(CurveFileTest, AnExistingFileStopsTheRunBeforeItsRowUnlessForced) {
    const fs::path dir = FreshDir();
    fs::create_directories(dir);
    std::ofstream(dir / "row-2.csv") << "keep me\n";
    const std::string csv = Header + "1,10,0.02,0.9,0.8,5\n1,10,0.02,0.9,0.8,5\n";

    const BatchRun refused = Batch(csv, WithCurves(dir));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find((dir / "row-2.csv").string() + " exists; --force overwrites it"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(refused.rows.size(), 1u);
    EXPECT_EQ(Contents(dir / "row-2.csv"), "keep me\n");

    const BatchRun forced = Batch(csv, WithCurves(dir, true));
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(forced.rows.size(), 2u);
    EXPECT_EQ(Contents(dir / "row-2.csv"), Contents(dir / "row-1.csv"));
}

TEST(CurveFileTest, AFileInPlaceOfTheFolderIsAnInputError) {
    const fs::path dir = FreshDir();
    fs::create_directories(dir);
    std::ofstream(dir / "plain") << "not a folder\n";
    const BatchRun run = Batch(Header + "1,10,0.02,0.9,0.8,5\n", WithCurves(dir / "plain"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--curves " + (dir / "plain").string()), std::string::npos) << run.err;
    EXPECT_TRUE(run.rows.empty());
}

} // namespace
