#include "test_support.h"

#include <QTime>
#include <sstream>

namespace {

using EditArrayLayout = ArrayTest;

// The main window's input array: six rows at (32, 40), the even ones pale
// yellow, starting in row 1 with nothing changed, at the time of day.
TEST_F(EditArrayLayout, SixEmptyRightAlignedFixedPitchBoxesAtA20PixelPitch) {
    const double before = QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
    Build(6);
    const std::string plain = aspect::Colour(TAlignEdit());
    ASSERT_NE(plain, "#ffffd0");
    EXPECT_EQ(Column(array_, aspect::Colour),
              plain + "|#ffffd0|" + plain + "|#ffffd0|" + plain + "|#ffffd0");
    for (int32_t r = 1; r <= 6; ++r) {
        const TAlignEdit& box = *array_.Box(r, 1);
        EXPECT_EQ(box.geometry(), QRect(32, 40 + 20 * (r - 1), 136, 24)) << r;
        EXPECT_EQ(std::tuple(box.Tag(), box.TagB(), box.Alignment(), box.AutoSelect(),
                             box.MaxLength(), box.text(), box.isEnabled()),
                  std::tuple(1024 + r, 0, taRightJustify, false, 10, QString(), true));
        EXPECT_EQ(QFontInfo(box.font()).family() + QString::number(box.font().pixelSize()),
                  "Liberation Mono16");
    }
    int32_t width = 0;
    int32_t row = 0;
    int32_t col = 0;
    array_.GetWidth(width);
    array_.GetIndices(row, col);
    EXPECT_EQ(std::tuple(width, row, col, array_.Cpos, array_.Changed, array_.tagBset()),
              std::tuple(136, 1, 1, 0, false, false));
    EXPECT_GE(array_.GetAcTime(), before); // fails only across midnight
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
    array_.Initialize(&window_, &window_, 32, 40, GetParam().rows, GetParam().cols);
    int32_t height = 0;
    array_.GetHeight(height);
    EXPECT_EQ(std::tuple(array_.GetNrows(), array_.Ncols, height),
              std::tuple(GetParam().nrows, 1, GetParam().height));
    EXPECT_EQ(window_.findChildren<TAlignEdit*>().size(), GetParam().nrows);
}

// Bad counts give the full column of 31 rows.
const ShapeRow kShapes[] = {{"SixRows", 6, 1, 6, 124},     {"OneRow", 1, 1, 1, 24},
                            {"NoRows", 0, 1, 31, 624},     {"ThirtyTwoRows", 32, 1, 31, 624},
                            {"TwoColumns", 6, 2, 31, 624}, {"NoColumns", 6, 0, 31, 624}};

INSTANTIATE_TEST_SUITE_P(Initialize, Shape, ::testing::ValuesIn(kShapes), RowName);

TEST_F(EditArrayLayout, RowAndColumnOperations) {
    Build(3);
    array_.CheckEnabled();
    EXPECT_EQ(Texts(), "1|1|1");
    array_.SetRowReadOnly(2);
    const std::string one = Column(array_, aspect::ReadOnly);
    array_.RemoveRowReadOnly(2);
    EXPECT_EQ(one + " " + Column(array_, aspect::ReadOnly), "0|1|0 0|0|0");
    array_.SetColumnReadOnly(1);
    array_.ChangeColor(1, QColor(255, 255, 0));
    array_.DisableColumn(1);
    array_.CheckEnabled();
    EXPECT_EQ(Column(array_, aspect::ReadOnly) + " " + Column(array_, aspect::Colour) + " " +
                  Texts(),
              "1|1|1 #ffff00|#ffff00|#ffff00 0|0|0");
    array_.ClearAll();
    EXPECT_EQ(Texts(), "||");
}

// Cell, row and column operations, column transfer and dates alike.
TEST_F(EditArrayLayout, IndicesOutOfRangeDoNothing) {
    Build(6, {"5", "5", "5", "5", "5", "5"});
    ASSERT_TRUE(window_.ShowActive());
    array_.Box(3, 1)->setFocus();
    const std::string colours = Column(array_, aspect::Colour);
    for (const int32_t bad : {0, 7}) { // as a row, and as a column
        for (const auto& [row, col] : {std::pair{bad, 1}, {1, bad}}) {
            EXPECT_EQ(array_.Box(row, col), nullptr);
            EXPECT_EQ(array_.GetData(row, col), 0.0F);
            array_.WriteEntry(row, col, "9");
            array_.PutEntry(row, col, 9.0F);
            array_.SetBoxActive(row, col);
        }
        array_.SetRowReadOnly(bad);
        array_.DisableTabStopRow(bad);
        array_.PasteSelStart(bad);
        array_.SetColumnReadOnly(bad);
        array_.DisableColumn(bad);
        array_.ChangeColor(bad, QColor(255, 0, 0));
        std::ostringstream out;
        array_.SaveColumn(bad, out);
        std::istringstream in("9\n");
        array_.ReadColumn(bad, in);
        array_.FillDates(2, bad);
        EXPECT_EQ(out.str() + std::to_string(in.tellg()), "0");
    }
    EXPECT_EQ(Texts() + Column(array_, aspect::ReadOnly) + Column(array_, aspect::Enabled),
              "5|5|5|5|5|50|0|0|0|0|01|1|1|1|1|1");
    EXPECT_EQ(Column(array_, aspect::Colour), colours);
    EXPECT_TRUE(array_.Box(3, 1)->hasFocus());
}

} // namespace
