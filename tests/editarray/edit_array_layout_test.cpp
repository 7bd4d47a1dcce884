#include "edit_array.h"
#include "fp_errors.h"
#include "gui_window.h"
#include "tab_sequence.h"
#include "test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QTime>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

double TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
}

class EditArrayLayout : public ::testing::Test {
protected:
    void Build(int32_t rows) {
        array_.Initialize(&window_.Widget(), &window_.Widget(), 32, 40, rows, 1);
    }

    GuiWindow window_;
    TEditArray array_;
};

// The main window's input array: six rows at (32, 40), the even ones pale yellow.
TEST_F(EditArrayLayout, SixEmptyRightAlignedFixedPitchBoxesAtA20PixelPitch) {
    Build(6);
    const std::string plain = aspect::Colour(TAlignEdit());
    ASSERT_NE(plain, "#ffffd0");
    EXPECT_EQ(Column(array_, aspect::Colour),
              plain + "|#ffffd0|" + plain + "|#ffffd0|" + plain + "|#ffffd0");
    for (int32_t r = 1; r <= 6; ++r) {
        SCOPED_TRACE(r);
        const TAlignEdit& box = *array_.Box(r, 1);
        EXPECT_EQ(box.geometry(), QRect(32, 40 + 20 * (r - 1), 136, 24));
        EXPECT_EQ(box.Tag(), 1024 + r);
        EXPECT_EQ(std::tuple(box.TagB(), box.Alignment(), box.AutoSelect(), box.MaxLength()),
                  std::tuple(0, taRightJustify, false, 10));
        EXPECT_TRUE(box.text().isEmpty() && box.isEnabled() && !box.isHidden());
        EXPECT_EQ(QFontInfo(box.font()).family(), "Liberation Mono");
        EXPECT_EQ(box.font().pixelSize(), 16);
    }
    int32_t width = 0;
    array_.GetWidth(width);
    EXPECT_EQ(width, 136);
}

struct ShapeRow {
    const char* name;
    int32_t rows;
    int32_t cols;
    int32_t nrows;
    int32_t height;
};

class Shape : public EditArrayLayout, public ::testing::WithParamInterface<ShapeRow> {};

TEST_P(Shape, RowsAndHeightFromTheFirstTopToTheLastBottom) {
    array_.Initialize(&window_.Widget(), &window_.Widget(), 32, 40, GetParam().rows,
                      GetParam().cols);
    int32_t height = 0;
    array_.GetHeight(height);
    EXPECT_EQ(array_.GetNrows(), GetParam().nrows);
    EXPECT_EQ(array_.Ncols, 1);
    EXPECT_EQ(window_.Widget().findChildren<TAlignEdit*>().size(), GetParam().nrows);
    EXPECT_EQ(height, GetParam().height);
}

// Bad counts give the full column of 31 rows.
const ShapeRow kShapes[] = {
    {"SixRows", 6, 1, 6, 124},    {"FourRows", 4, 1, 4, 84},         {"OneRow", 1, 1, 1, 24},
    {"NoRows", 0, 1, 31, 624},    {"ThirtyTwoRows", 32, 1, 31, 624}, {"TwoColumns", 6, 2, 31, 624},
    {"NoColumns", 6, 0, 31, 624},
};

INSTANTIATE_TEST_SUITE_P(Initialize, Shape, ::testing::ValuesIn(kShapes), RowName);

TEST_F(EditArrayLayout, StartsInRowOneWithNothingChangedAtTheTimeOfDay) {
    const double before = TimeOfDay();
    Build(2);
    const double after = TimeOfDay();
    int32_t row = 0;
    int32_t col = 0;
    array_.GetIndices(row, col);
    EXPECT_EQ(std::tuple(row, col, array_.Cpos, array_.Changed, array_.tagBset()),
              std::tuple(1, 1, 0, false, false));
    if (after >= before) { // else midnight passed
        EXPECT_GE(array_.GetAcTime(), before);
        EXPECT_LE(array_.GetAcTime(), after);
    }
}

TEST_F(EditArrayLayout, RowAndColumnOperations) {
    Build(3);
    array_.CheckEnabled();
    EXPECT_EQ(Column(array_, aspect::Text), "1|1|1");
    array_.SetRowReadOnly(2);
    EXPECT_EQ(Column(array_, aspect::ReadOnly), "0|1|0");
    array_.RemoveRowReadOnly(2);
    EXPECT_EQ(Column(array_, aspect::ReadOnly), "0|0|0");

    array_.SetColumnReadOnly(1);
    array_.ChangeColor(1, QColor(255, 255, 0));
    array_.DisableColumn(1);
    array_.CheckEnabled();
    EXPECT_EQ(Column(array_, aspect::ReadOnly), "1|1|1");
    EXPECT_EQ(Column(array_, aspect::Colour), "#ffff00|#ffff00|#ffff00");
    EXPECT_EQ(Column(array_, aspect::Text), "0|0|0");
    array_.ClearAll();
    EXPECT_EQ(Column(array_, aspect::Text), "||");
}

TEST_F(EditArrayLayout, PutEntryWritesTwoDecimalsWithCommaAndLongTextsWhole) {
    Build(5);
    array_.PutEntry(1, 1, 0.02F);
    array_.PutEntry(2, 1, 10.0F);
    array_.WriteEntry(3, 1, "x");
    array_.PutEntry(3, 1, 3e9F);
    array_.PutEntry(4, 1, 123456789.0F);
    array_.WriteEntry(5, 1, "12345678901234");
    EXPECT_EQ(Column(array_, aspect::Text), "0,02|10,00||123456792,00|12345678901234");
}

// Blank, malformed or not: the first number of the text, or 0.
TEST_F(EditArrayLayout, GetDataReadsTheFirstNumberOrZero) {
    const std::pair<const char*, float> rows[] = {{"", 0.0F},    {"   ", 0.0F}, {"abc", 0.0F},
                                                  {"2 x", 0.0F}, {"2 3", 2.0F}, {"1,5", 1.5F},
                                                  {"1.5", 1.5F}};
    Build(7);
    for (int32_t r = 1; r <= 7; ++r) {
        const auto& [text, value] = rows[r - 1];
        array_.WriteEntry(r, 1, text);
        EXPECT_EQ(std::bit_cast<uint32_t>(array_.GetData(r, 1)), std::bit_cast<uint32_t>(value))
            << "'" << text << "'";
    }
}

TEST_F(EditArrayLayout, GetDataLetsConversionErrorsThrough) {
    Build(1);
    array_.WriteEntry(1, 1, "-");
    EXPECT_THROW(array_.GetData(1, 1), ConversionError);
}

TEST_F(EditArrayLayout, IndicesOutOfRangeDoNothing) {
    Build(6);
    ASSERT_TRUE(window_.ShowActive());
    array_.Box(3, 1)->setFocus();
    for (int32_t r = 1; r <= 6; ++r) {
        array_.WriteEntry(r, 1, "5");
    }
    const std::string colours = Column(array_, aspect::Colour);
    for (const int32_t row : {0, 7}) {
        EXPECT_EQ(array_.Box(row, 1), nullptr);
        EXPECT_EQ(array_.GetData(row, 1), 0.0F);
        array_.WriteEntry(row, 1, "9");
        array_.PutEntry(row, 1, 9.0F);
        array_.SetRowReadOnly(row);
        array_.DisableTabStopRow(row);
        array_.PasteSelStart(row);
        array_.SetBoxActive(row, 1);
    }
    for (const int32_t col : {0, 2}) {
        EXPECT_EQ(array_.Box(1, col), nullptr);
        EXPECT_EQ(array_.GetData(1, col), 0.0F);
        array_.WriteEntry(1, col, "9");
        array_.PutEntry(1, col, 9.0F);
        array_.SetColumnReadOnly(col);
        array_.DisableColumn(col);
        array_.ChangeColor(col, QColor(255, 0, 0));
        array_.SetBoxActive(1, col);
    }
    EXPECT_EQ(Column(array_, aspect::Text), "5|5|5|5|5|5");
    EXPECT_EQ(Column(array_, aspect::ReadOnly), "0|0|0|0|0|0");
    EXPECT_EQ(Column(array_, aspect::Enabled), "1|1|1|1|1|1");
    EXPECT_EQ(Column(array_, aspect::Colour), colours);
    EXPECT_TRUE(array_.Box(3, 1)->hasFocus());
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
    EXPECT_EQ(std::pair(col, row), std::pair(0, 0));
}

// A control made first keeps place 0; each array puts its rows from place 1
// on, so the array built later comes first. The Tab key follows that order
// and passes a row without tab stop by.
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

    earlier.DisableTabStopRow(2);
    earlier.SetBoxActive(1, 1);
    window.Tap(Qt::Key_Tab);
    EXPECT_TRUE(earlier.Box(3, 1)->hasFocus());
}

} // namespace
