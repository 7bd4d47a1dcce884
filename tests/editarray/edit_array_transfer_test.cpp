#include "edit_array.h"
#include "edit_array_io_error.h"
#include "gui_window.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

// A sink with room for 14 characters, which then fails like a full disk.
class FullDisk : public std::streambuf {
public:
    FullDisk() { setp(room_.data(), room_.data() + room_.size()); }
    std::string Written() const { return {pbase(), pptr()}; }

private:
    std::array<char, 14> room_{};
};

class Transfer : public ::testing::Test {
protected:
    void Build(int32_t rows, const std::vector<QString>& texts = {}) {
        array_.Initialize(&window_.Widget(), &window_.Widget(), 0, 0, rows, 1);
        for (std::size_t r = 0; r < texts.size(); ++r) {
            array_.WriteEntry(static_cast<int32_t>(r) + 1, 1, texts[r]);
        }
    }

    std::string Texts() const { return Column(array_, aspect::Text); }

    GuiWindow window_;
    TEditArray array_;
};

struct LinesRow {
    const char* name;
    int32_t width;
    std::vector<QString> texts;
    std::string file;
};

class WriteAllLines : public Transfer, public ::testing::WithParamInterface<LinesRow> {};

// With one column the separator is never written.
TEST_P(WriteAllLines, RightAlignsEachTextInItsFieldAndNeverCuts) {
    Build(static_cast<int32_t>(GetParam().texts.size()), GetParam().texts);
    std::ostringstream file;
    array_.WriteAllLines("x=", ";", GetParam().width, file);
    EXPECT_EQ(file.str(), GetParam().file);
}

const LinesRow kLines[] = {
    {"WidthZeroGivesEleven", 0, {"1,00", ""}, "x=       1,00\r\nx=           \r\n"},
    {"WidthTenGivesEleven", 10, {"5"}, "x=          5\r\n"},
    {"WidthTwelve", 12, {"1,00", "12345678901234"}, "x=        1,00\r\nx=12345678901234\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Widths, WriteAllLines, ::testing::ValuesIn(kLines), RowName);

TEST_F(Transfer, SaveThenReadThroughAFileGivesEveryBoxItsTextBack) {
    Build(6, {"1,00", "", "12345678901234", "abc def", "0,02", " 7"});
    const std::string texts = Texts();
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("column.txt").toStdString();
    std::ofstream out(path);
    array_.SaveColumn(1, out);
    out.close();
    array_.ClearAll();
    std::ifstream in(path);
    array_.ReadColumn(1, in);
    EXPECT_EQ(Texts(), texts);
}

TEST_F(Transfer, ReadColumnStopsWhenTheFileRunsOut) {
    Build(6, {"old", "old", "old", "old", "old", "old"});
    std::istringstream file("1,5\r\n2,5"); // the last line without its line end
    array_.ReadColumn(1, file);
    EXPECT_EQ(Texts(), "1,5|2,5|old|old|old|old");
}

TEST_F(Transfer, ColumnOutOfRangeReadsAndWritesNothing) {
    Build(3, {"keep"});
    for (const int32_t col : {0, 2}) {
        std::ostringstream out;
        array_.SaveColumn(col, out);
        EXPECT_EQ(out.str(), "");
        std::istringstream in("new\n");
        array_.ReadColumn(col, in);
        EXPECT_EQ(in.tellg(), 0);
        array_.FillDates(2, col);
        EXPECT_EQ(Texts(), "keep||");
    }
}

TEST_F(Transfer, FailedWriteThrowsAndKeepsTheLinesDone) {
    Build(3, {"1"});
    FullDisk disk;
    std::ostream file(&disk);
    EXPECT_THROW(array_.WriteAllLines("", "", 0, file), EditArrayIoError);
    EXPECT_EQ(disk.Written(), "          1\r\n ");
}

TEST_F(Transfer, StreamNotOpenThrowsAnInputOutputError) {
    Build(2, {"keep"});
    std::ofstream out;
    EXPECT_THROW(array_.SaveColumn(1, out), EditArrayIoError);
    std::ifstream in;
    EXPECT_THROW(array_.ReadColumn(1, in), EditArrayIoError);
    EXPECT_EQ(Texts(), "keep|");
    // Shown to the user like every other error of the system.
    EXPECT_THROW(array_.SaveColumn(1, out), SystemError);
}

struct MonthRow {
    const char* name;
    int32_t rows;
    int32_t month;
    int32_t filled;
};

class FillDates : public Transfer, public ::testing::WithParamInterface<MonthRow> {};

TEST_P(FillDates, WritesDayDotMonthAndEmptiesTheRowsPastTheMonth) {
    const MonthRow& m = GetParam();
    Build(m.rows, std::vector<QString>(static_cast<std::size_t>(m.rows), "x"));
    array_.FillDates(m.month, 1);
    std::string expected;
    for (int32_t r = 1; r <= m.rows; ++r) {
        expected += (r > 1 ? "|" : "") +
                    (r <= m.filled ? std::to_string(r) + "." + std::to_string(m.month) : "");
    }
    EXPECT_EQ(Texts(), expected);
}

// February always has 28 days; a month number outside 1 to 12 counts as 31.
const MonthRow kMonths[] = {
    {"FebruaryOnSixRows", 6, 2, 6}, {"January", 31, 1, 31},   {"February", 31, 2, 28},
    {"April", 31, 4, 30},           {"June", 31, 6, 30},      {"September", 31, 9, 30},
    {"November", 31, 11, 30},       {"December", 31, 12, 31}, {"Month13", 31, 13, 31},
    {"Month0", 31, 0, 31},
};

INSTANTIATE_TEST_SUITE_P(Months, FillDates, ::testing::ValuesIn(kMonths), RowName);

TEST_F(Transfer, LeavesCaretStateAndMarksAlone) {
    Build(3);
    array_.Cpos = 2;
    array_.Box(1, 1)->SetTagB(1);
    array_.FillDates(5, 1);
    std::istringstream in("a\n");
    array_.ReadColumn(1, in);
    EXPECT_EQ(std::pair(array_.Cpos, array_.Box(1, 1)->TagB()), std::pair(2, 1));
    EXPECT_EQ(Texts(), "a|2.5|3.5");
}

} // namespace
