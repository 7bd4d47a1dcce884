#include "edit_array_io_error.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <sstream>

namespace {

// A sink with room for 14 characters, which then fails like a full disk.
class FullDisk : public std::streambuf {
public:
    FullDisk() { setp(room_.data(), room_.data() + room_.size()); }
    std::string Written() const { return {pbase(), pptr()}; }

private:
    std::array<char, 14> room_{};
};

using Transfer = ArrayTest;

// Each text right-aligned in a field of the width, at least 11, never cut;
// with one column the separator is never written.
TEST_F(Transfer, WriteAllLinesRightAlignsEachTextInItsField) {
    Build(2, {"1,00", ""});
    for (const auto& [width, lines] : {std::pair{0, "x=       1,00\r\nx=           \r\n"},
                                       {10, "x=       1,00\r\nx=           \r\n"},
                                       {12, "x=        1,00\r\nx=            \r\n"}}) {
        std::ostringstream file;
        array_.WriteAllLines("x=", ";", width, file);
        EXPECT_EQ(file.str(), lines) << width;
    }
    array_.WriteEntry(2, 1, "12345678901234");
    std::ostringstream file;
    array_.WriteAllLines("", "", 12, file);
    EXPECT_EQ(file.str(), "        1,00\r\n12345678901234\r\n");
}

TEST_F(Transfer, SaveThenReadThroughAFileGivesEveryBoxItsTextBack) {
    Build(6, {"1,00", "", "12345678901234", "abc def", "0,02", " 7"});
    const std::string texts = Texts();
    const QTemporaryDir dir;
    const std::string path = dir.filePath("column.txt").toStdString();
    std::ofstream out(path);
    array_.SaveColumn(1, out);
    out.close();
    array_.ClearAll();
    std::ifstream in(path);
    array_.ReadColumn(1, in);
    EXPECT_EQ(Texts(), texts);
    std::istringstream shorter("1,5\r\n2,5"); // runs out, the last line without its end
    array_.ReadColumn(1, shorter);
    EXPECT_EQ(Texts(), "1,5|2,5|12345678901234|abc def|0,02| 7");
}

// Shown to the user like every other error of the system; the lines and
// boxes done so far stay.
TEST_F(Transfer, FailedWriteOrStreamNotOpenThrowsAnInputOutputError) {
    Build(3, {"1"});
    FullDisk disk;
    std::ostream full(&disk);
    EXPECT_THROW(array_.WriteAllLines("", "", 0, full), EditArrayIoError);
    EXPECT_EQ(disk.Written(), "          1\r\n ");
    std::ofstream out;
    EXPECT_THROW(array_.SaveColumn(1, out), SystemError);
    std::ifstream in;
    EXPECT_THROW(array_.ReadColumn(1, in), EditArrayIoError);
    EXPECT_EQ(Texts(), "1||");
}

// February always has 28 days; a month outside 1 to 12 counts as 31. The
// rows past the month are emptied; Cpos and the marks stay.
TEST_F(Transfer, FillDatesWritesDayDotMonth) {
    const int days[] = {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31};
    Build(31);
    array_.Cpos = 2;
    array_.Box(1, 1)->SetTagB(1);
    for (int month = 0; month <= 13; ++month) {
        array_.ClearAll();
        array_.WriteEntry(31, 1, "x");
        array_.FillDates(month, 1);
        std::string expected;
        for (int r = 1; r <= 31; ++r) {
            expected += (r > 1 ? "|" : "") +
                        (r <= days[month] ? std::to_string(r) + "." + std::to_string(month) : "");
        }
        EXPECT_EQ(Texts(), expected) << "month " << month;
    }
    EXPECT_EQ(std::pair(array_.Cpos, array_.Box(1, 1)->TagB()), std::pair(2, 1));
    Build(6); // fewer rows than days
    array_.FillDates(2, 1);
    EXPECT_EQ(Texts(), "1.2|2.2|3.2|4.2|5.2|6.2");
}

} // namespace
