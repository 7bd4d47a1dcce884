#include "edit_array.h"
#include "edit_array_io_error.h"
#include "gui_window.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// A sink that takes `room` characters and then fails, like a full disk.
class FullDisk : public std::streambuf {
public:
    explicit FullDisk(std::size_t room) : room_(room) {}
    std::string written;

protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        if (written.size() >= room_) {
            return traits_type::eof();
        }
        written.push_back(traits_type::to_char_type(ch));
        return ch;
    }

private:
    std::size_t room_;
};

class Transfer : public ::testing::Test {
protected:
    void Build(int32_t rows) {
        array_.Initialize(&window_.Widget(), &window_.Widget(), 0, 0, rows, 1);
    }

    QString Text(int32_t row) const { return array_.Box(row, 1)->text(); }

    GuiWindow window_;
    TEditArray array_;
};

TEST_F(Transfer, WriteAllLinesPadsToElevenCharactersByDefault) {
    Build(2);
    array_.WriteEntry(1, 1, "1,00");
    std::ostringstream file;
    array_.WriteAllLines("", ";", 0, file);
    EXPECT_EQ(file.str(), "       1,00\r\n           \r\n");
}

TEST_F(Transfer, WriteAllLinesUsesAWiderFieldAndNeverCuts) {
    Build(3);
    array_.WriteEntry(1, 1, "1,00");
    array_.WriteEntry(2, 1, "12345678901234");
    array_.WriteEntry(3, 1, "123456789012");
    std::ostringstream file;
    array_.WriteAllLines("x=", ";", 12, file);
    EXPECT_EQ(file.str(), "x=        1,00\r\nx=12345678901234\r\nx=123456789012\r\n");
}

TEST_F(Transfer, WidthOfTenStillGivesEleven) {
    Build(1);
    array_.WriteEntry(1, 1, "5");
    std::ostringstream file;
    array_.WriteAllLines("", "", 10, file);
    EXPECT_EQ(file.str(), "          5\r\n");
}

TEST_F(Transfer, SaveThenReadGivesEveryBoxItsTextBack) {
    Build(6);
    const QString texts[] = {"1,00", "", "12345678901234", "abc def", "0,02", " 7"};
    for (int32_t r = 1; r <= 6; ++r) {
        array_.WriteEntry(r, 1, texts[r - 1]);
    }
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("column.txt").toStdString();
    {
        std::ofstream out(path);
        array_.SaveColumn(1, out);
    }
    array_.ClearAll();
    {
        std::ifstream in(path);
        array_.ReadColumn(1, in);
    }
    for (int32_t r = 1; r <= 6; ++r) {
        EXPECT_EQ(Text(r), texts[r - 1]) << "row " << r;
    }
}

TEST_F(Transfer, ReadColumnStopsWhenTheFileRunsOut) {
    Build(6);
    for (int32_t r = 1; r <= 6; ++r) {
        array_.WriteEntry(r, 1, "old");
    }
    std::istringstream file("1,5\r\n2,5\r\n");
    array_.ReadColumn(1, file);
    EXPECT_EQ(Text(1), "1,5");
    EXPECT_EQ(Text(2), "2,5");
    for (int32_t r = 3; r <= 6; ++r) {
        EXPECT_EQ(Text(r), "old");
    }
}

TEST_F(Transfer, ReadColumnTakesALastLineWithoutLineEnd) {
    Build(3);
    array_.WriteEntry(3, 1, "old");
    std::istringstream file("a\nb");
    array_.ReadColumn(1, file);
    EXPECT_EQ(Text(1), "a");
    EXPECT_EQ(Text(2), "b");
    EXPECT_EQ(Text(3), "old");
}

TEST_F(Transfer, ColumnOutOfRangeReadsAndWritesNothing) {
    Build(3);
    array_.WriteEntry(1, 1, "keep");
    for (const int32_t col : {0, 2}) {
        std::ostringstream out;
        array_.SaveColumn(col, out);
        EXPECT_EQ(out.str(), "");

        std::istringstream in("new\n");
        array_.ReadColumn(col, in);
        EXPECT_EQ(in.tellg(), 0);

        array_.FillDates(2, col);
        EXPECT_EQ(Text(1), "keep");
        EXPECT_EQ(Text(2), "");
    }
}

TEST_F(Transfer, FailedWriteThrowsAndKeepsTheLinesDone) {
    Build(3);
    array_.WriteEntry(1, 1, "1");
    FullDisk disk(14);
    std::ostream file(&disk);
    EXPECT_THROW(array_.WriteAllLines("", "", 0, file), EditArrayIoError);
    EXPECT_EQ(disk.written, "          1\r\n ");
}

TEST_F(Transfer, StreamNotOpenThrowsAnInputOutputError) {
    Build(2);
    array_.WriteEntry(1, 1, "keep");
    std::ofstream out;
    EXPECT_THROW(array_.SaveColumn(1, out), EditArrayIoError);
    std::ifstream in;
    EXPECT_THROW(array_.ReadColumn(1, in), EditArrayIoError);
    EXPECT_EQ(Text(1), "keep");
    // Shown to the user like every other error of the system.
    EXPECT_THROW(array_.SaveColumn(1, out), SystemError);
}

TEST_F(Transfer, FebruaryOnSixRows) {
    Build(6);
    array_.FillDates(2, 1);
    for (int32_t r = 1; r <= 6; ++r) {
        EXPECT_EQ(Text(r), QStringLiteral("%1.2").arg(r));
    }
}

struct MonthCase {
    const char* name;
    int32_t month;
    int32_t days;
};

void PrintTo(const MonthCase& c, std::ostream* os) {
    *os << c.name;
}

class FillDates : public ::testing::TestWithParam<MonthCase> {};

TEST_P(FillDates, OnThirtyOneRowsEmptiesTheRowsPastTheMonth) {
    GuiWindow window;
    TEditArray array;
    array.Initialize(&window.Widget(), &window.Widget(), 0, 0, 31, 1);
    for (int32_t r = 1; r <= 31; ++r) {
        array.WriteEntry(r, 1, "x");
    }
    array.FillDates(GetParam().month, 1);
    for (int32_t r = 1; r <= 31; ++r) {
        const QString expected =
            r <= GetParam().days ? QStringLiteral("%1.%2").arg(r).arg(GetParam().month) : "";
        EXPECT_EQ(array.Box(r, 1)->text(), expected) << "row " << r;
    }
}

const MonthCase kMonths[] = {
    {"January", 1, 31},   {"February", 2, 28},     {"April", 4, 30},     {"June", 6, 30},
    {"September", 9, 30}, {"November", 11, 30},    {"December", 12, 31}, {"Month13", 13, 31},
    {"Month0", 0, 31},    {"MonthMinus1", -1, 31},
};

INSTANTIATE_TEST_SUITE_P(Months, FillDates, ::testing::ValuesIn(kMonths),
                         [](const ::testing::TestParamInfo<MonthCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(Transfer, LeavesCaretStateAndMarksAlone) {
    Build(3);
    array_.Cpos = 2;
    array_.Box(1, 1)->SetTagB(1);
    array_.FillDates(5, 1);
    std::istringstream in("a\n");
    array_.ReadColumn(1, in);
    EXPECT_EQ(array_.Cpos, 2);
    EXPECT_EQ(array_.Box(1, 1)->TagB(), 1);
    EXPECT_EQ(Text(2), "2.5");
}

} // namespace
