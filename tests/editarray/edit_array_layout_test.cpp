#include "edit_array.h"
#include "fp_errors.h"
#include "gui_window.h"
#include "tab_sequence.h"

#include <QLineEdit>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

const QColor kPaleYellow(255, 255, 208);

QColor BackgroundOf(const QWidget& box) {
    return box.palette().color(QPalette::Base);
}

QColor DefaultBackground() {
    const QLineEdit plain;
    return plain.palette().color(QPalette::Base);
}

class EditArrayLayout : public ::testing::Test {
protected:
    void Build(int32_t rows, int32_t cols = 1) {
        array_.Initialize(&window_.Widget(), &window_.Widget(), 32, 40, rows, cols);
    }

    GuiWindow window_;
    TEditArray array_;
};

TEST_F(EditArrayLayout, SixRowsStackAtA20PixelPitch) {
    Build(6);
    for (int32_t r = 1; r <= 6; ++r) {
        const TAlignEdit* const box = array_.Box(r, 1);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->geometry(), QRect(32, 40 + 20 * (r - 1), 136, 24)) << "row " << r;
    }
    int32_t width = 0;
    array_.GetWidth(width);
    EXPECT_EQ(width, 136);
}

TEST_F(EditArrayLayout, BoxesAreEmptyRightAlignedFixedPitchAndTagged) {
    Build(6);
    for (int32_t r = 1; r <= 6; ++r) {
        const TAlignEdit* const box = array_.Box(r, 1);
        EXPECT_EQ(box->Tag(), 1024 + r);
        EXPECT_EQ(box->TagB(), 0);
        EXPECT_EQ(box->text(), "");
        EXPECT_EQ(box->Alignment(), taRightJustify);
        EXPECT_FALSE(box->AutoSelect());
        EXPECT_EQ(box->MaxLength(), 10);
        EXPECT_TRUE(box->isEnabled());
        EXPECT_FALSE(box->isHidden());
        EXPECT_EQ(QFontInfo(box->font()).family(), "Liberation Mono");
        EXPECT_TRUE(QFontInfo(box->font()).fixedPitch());
        EXPECT_EQ(box->font().pixelSize(), 16);
    }
}

struct HeightCase {
    const char* name;
    int32_t rows;
    int32_t height;
};

void PrintTo(const HeightCase& c, std::ostream* os) {
    *os << c.name;
}

class ArrayHeight : public ::testing::TestWithParam<HeightCase> {};

TEST_P(ArrayHeight, SpansFromTheFirstTopToTheLastBottom) {
    GuiWindow window;
    TEditArray array;
    array.Initialize(&window.Widget(), &window.Widget(), 32, 40, GetParam().rows, 1);
    int32_t height = 0;
    array.GetHeight(height);
    EXPECT_EQ(height, GetParam().height);
}

const HeightCase kHeights[] = {{"SixRows", 6, 124}, {"FourRows", 4, 84}, {"OneRow", 1, 24}};

INSTANTIATE_TEST_SUITE_P(Rows, ArrayHeight, ::testing::ValuesIn(kHeights),
                         [](const ::testing::TestParamInfo<HeightCase>& info) {
                             return std::string(info.param.name);
                         });

struct CountCase {
    const char* name;
    int32_t rows;
    int32_t cols;
};

void PrintTo(const CountCase& c, std::ostream* os) {
    *os << c.name;
}

class BadCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(BadCounts, GiveTheFullColumnOf31Rows) {
    GuiWindow window;
    TEditArray array;
    array.Initialize(&window.Widget(), &window.Widget(), 0, 0, GetParam().rows, GetParam().cols);
    EXPECT_EQ(array.GetNrows(), 31);
    EXPECT_EQ(array.Ncols, 1);
    EXPECT_EQ(window.Widget().findChildren<TAlignEdit*>().size(), 31);
    ASSERT_NE(array.Box(31, 1), nullptr);
    EXPECT_EQ(array.Box(31, 1)->y(), 600);
}

const CountCase kBadCounts[] = {{"NoRows", 0, 1},
                                {"ThirtyTwoRows", 32, 1},
                                {"NegativeRows", -1, 1},
                                {"TwoColumns", 6, 2},
                                {"NoColumns", 6, 0}};

INSTANTIATE_TEST_SUITE_P(Initialize, BadCounts, ::testing::ValuesIn(kBadCounts),
                         [](const ::testing::TestParamInfo<CountCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EditArrayLayout, EvenRowsArePaleYellow) {
    Build(6);
    const QColor plain = DefaultBackground();
    ASSERT_NE(plain, kPaleYellow);
    for (int32_t r = 1; r <= 6; ++r) {
        EXPECT_EQ(BackgroundOf(*array_.Box(r, 1)), r % 2 == 0 ? kPaleYellow : plain) << r;
    }
}

TEST_F(EditArrayLayout, FourRowArrayColoursRowsTwoAndFour) {
    Build(4);
    EXPECT_EQ(BackgroundOf(*array_.Box(2, 1)), kPaleYellow);
    EXPECT_EQ(BackgroundOf(*array_.Box(4, 1)), kPaleYellow);
    EXPECT_NE(BackgroundOf(*array_.Box(3, 1)), kPaleYellow);
}

TEST_F(EditArrayLayout, ChangeColorPaintsTheWholeColumnOnly) {
    Build(3);
    const QColor yellow(255, 255, 0);
    array_.ChangeColor(2, yellow);
    EXPECT_NE(BackgroundOf(*array_.Box(1, 1)), yellow);
    array_.ChangeColor(1, yellow);
    for (int32_t r = 1; r <= 3; ++r) {
        EXPECT_EQ(BackgroundOf(*array_.Box(r, 1)), yellow);
    }
}

TEST_F(EditArrayLayout, StartsAtRowOneWithNothingChanged) {
    Build(6);
    int32_t row = 0;
    int32_t col = 0;
    array_.GetIndices(row, col);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(array_.Cpos, 0);
    EXPECT_FALSE(array_.Changed);
    EXPECT_FALSE(array_.tagBset());
    EXPECT_EQ(array_.MaxChars, 10);
    EXPECT_EQ(array_.CharWidth, 10);
    EXPECT_GE(array_.GetAcTime(), 0.0);
    EXPECT_LT(array_.GetAcTime(), 1.0);
}

TEST_F(EditArrayLayout, AcTimeIsTheTimeOfDay) {
    const double before = QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
    Build(2);
    const double after = QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
    if (after < before) {
        GTEST_SKIP() << "midnight passed";
    }
    EXPECT_GE(array_.GetAcTime(), before);
    EXPECT_LE(array_.GetAcTime(), after);
}

TEST_F(EditArrayLayout, PutEntryWritesTwoDecimalsWithComma) {
    Build(3);
    array_.PutEntry(1, 1, 0.02F);
    array_.PutEntry(2, 1, 10.0F);
    array_.WriteEntry(3, 1, "x");
    array_.PutEntry(3, 1, 3e9F);
    EXPECT_EQ(array_.Box(1, 1)->text(), "0,02");
    EXPECT_EQ(array_.Box(2, 1)->text(), "10,00");
    EXPECT_EQ(array_.Box(3, 1)->text(), "");
}

TEST_F(EditArrayLayout, LongerTextsAreWrittenWhole) {
    Build(2);
    array_.PutEntry(1, 1, 123456789.0F);
    array_.WriteEntry(2, 1, "12345678901234");
    EXPECT_EQ(array_.Box(1, 1)->text(), "123456792,00");
    EXPECT_EQ(array_.Box(2, 1)->text(), "12345678901234");
}

struct DataCase {
    const char* name;
    const char* text;
    float value;
};

void PrintTo(const DataCase& c, std::ostream* os) {
    *os << c.name;
}

class GetData : public ::testing::TestWithParam<DataCase> {};

TEST_P(GetData, ReadsTheFirstNumberOrZero) {
    GuiWindow window;
    TEditArray array;
    array.Initialize(&window.Widget(), &window.Widget(), 0, 0, 2, 1);
    array.WriteEntry(2, 1, GetParam().text);
    EXPECT_EQ(std::bit_cast<uint32_t>(array.GetData(2, 1)),
              std::bit_cast<uint32_t>(GetParam().value));
}

const DataCase kData[] = {
    {"Empty", "", 0.0F},
    {"Blanks", "   ", 0.0F},
    {"Letters", "abc", 0.0F},
    {"OneThenLetter", "1 x", 0.0F},
    {"TwoThenLetter", "2 x", 0.0F},
    {"TwoThree", "2 3", 2.0F},
    {"CommaDecimal", "1,5", 1.5F},
    {"PointDecimal", "1.5", 1.5F},
    {"Entry", "0,80", 0.8F},
};

INSTANTIATE_TEST_SUITE_P(Texts, GetData, ::testing::ValuesIn(kData),
                         [](const ::testing::TestParamInfo<DataCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EditArrayLayout, GetDataLetsConversionErrorsThrough) {
    Build(1);
    array_.WriteEntry(1, 1, "-");
    EXPECT_THROW(array_.GetData(1, 1), ConversionError);
}

TEST_F(EditArrayLayout, IndicesOutOfRangeDoNothing) {
    Build(6);
    for (int32_t r = 1; r <= 6; ++r) {
        array_.WriteEntry(r, 1, "5");
    }
    EXPECT_EQ(array_.GetData(0, 1), 0.0F);
    EXPECT_EQ(array_.GetData(7, 1), 0.0F);
    EXPECT_EQ(array_.GetData(1, 2), 0.0F);
    EXPECT_EQ(array_.GetData(1, 0), 0.0F);

    array_.WriteEntry(0, 1, "9");
    array_.WriteEntry(1, 2, "9");
    array_.WriteEntry(7, 1, "9");
    array_.PutEntry(0, 1, 9.0F);
    array_.PutEntry(1, 2, 9.0F);
    array_.SetColumnReadOnly(2);
    array_.SetColumnReadOnly(0);
    array_.DisableColumn(2);
    array_.SetRowReadOnly(0);
    array_.SetRowReadOnly(7);
    array_.DisableTabStopRow(7);
    array_.ChangeColor(0, QColor(1, 2, 3));
    array_.PasteSelStart(0);
    array_.SetBoxActive(7, 1);
    array_.SetBoxActive(1, 2);
    for (int32_t r = 1; r <= 6; ++r) {
        const TAlignEdit* const box = array_.Box(r, 1);
        EXPECT_EQ(box->text(), "5");
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_TRUE(box->isEnabled());
        EXPECT_FALSE(box->hasFocus());
    }
    EXPECT_EQ(array_.Box(0, 1), nullptr);
    EXPECT_EQ(array_.Box(7, 1), nullptr);
}

TEST_F(EditArrayLayout, CheckEnabledShowsTheEnabledStates) {
    Build(3);
    array_.CheckEnabled();
    for (int32_t r = 1; r <= 3; ++r) {
        EXPECT_EQ(array_.Box(r, 1)->text(), "1");
    }
    array_.DisableColumn(1);
    array_.CheckEnabled();
    for (int32_t r = 1; r <= 3; ++r) {
        EXPECT_EQ(array_.Box(r, 1)->text(), "0");
    }
    array_.ClearAll();
    for (int32_t r = 1; r <= 3; ++r) {
        EXPECT_EQ(array_.Box(r, 1)->text(), "");
    }
}

TEST_F(EditArrayLayout, ReadOnlyByColumnAndByRow) {
    Build(3);
    array_.SetRowReadOnly(2);
    EXPECT_FALSE(array_.Box(1, 1)->isReadOnly());
    EXPECT_TRUE(array_.Box(2, 1)->isReadOnly());
    array_.RemoveRowReadOnly(2);
    EXPECT_FALSE(array_.Box(2, 1)->isReadOnly());
    array_.SetColumnReadOnly(1);
    for (int32_t r = 1; r <= 3; ++r) {
        EXPECT_TRUE(array_.Box(r, 1)->isReadOnly());
    }
}

TEST_F(EditArrayLayout, DestroyerRemovesEveryBox) {
    Build(3);
    array_.Destroyer();
    EXPECT_TRUE(window_.Widget().findChildren<TAlignEdit*>().isEmpty());
    EXPECT_EQ(array_.Box(1, 1), nullptr);
    array_.WriteEntry(1, 1, "1");
    EXPECT_EQ(array_.GetData(1, 1), 0.0F);
}

TEST(EditArrayLifetime, ArrayMayOutliveItsWindow) {
    TEditArray array;
    {
        GuiWindow window;
        array.Initialize(&window.Widget(), &window.Widget(), 0, 0, 2, 1);
        ASSERT_TRUE(window.ShowActive());
        array.SetBoxActive(2, 1);
    }
    EXPECT_EQ(array.Box(2, 1), nullptr);
    array.PutEntry(2, 1, 1.0F);
    int32_t col = -1;
    int32_t row = -1;
    array.CheckActiveControl(col, row);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
}

// Tab order: a control made first keeps place 0; each array puts its rows
// from place 1 on, so the array built later comes first.
TEST(EditArrayTabOrder, LaterArrayComesBeforeTheEarlierOne) {
    GuiWindow window;
    auto* const first = new QLineEdit(&window.Widget());
    TEditArray earlier;
    earlier.Initialize(&window.Widget(), &window.Widget(), 10, 40, 3, 1);
    TEditArray later;
    later.Initialize(&window.Widget(), &window.Widget(), 200, 40, 2, 1);
    auto* const last = new QLineEdit(&window.Widget());
    last->move(0, 300);
    ASSERT_TRUE(window.ShowActive());

    const QList<QWidget*> expected = {first,
                                      later.Box(1, 1),
                                      later.Box(2, 1),
                                      earlier.Box(1, 1),
                                      earlier.Box(2, 1),
                                      earlier.Box(3, 1),
                                      last};
    EXPECT_EQ(TabSequenceOf(window.Widget()), expected);

    first->setFocus();
    QList<QWidget*> visited = {QApplication::focusWidget()};
    for (int i = 1; i < expected.size(); ++i) {
        window.Tap(Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
}

TEST(EditArrayTabOrder, RowWithoutTabStopIsPassedBy) {
    GuiWindow window;
    TEditArray array;
    array.Initialize(&window.Widget(), &window.Widget(), 10, 40, 3, 1);
    array.DisableTabStopRow(2);
    ASSERT_TRUE(window.ShowActive());
    array.SetBoxActive(1, 1);
    window.Tap(Qt::Key_Tab);
    EXPECT_TRUE(array.Box(3, 1)->hasFocus());
}

} // namespace
