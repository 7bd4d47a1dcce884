// A column of boxes read as one text per aspect, so that a test compares a
// whole column at once, and a window with an array in it.
#pragma once

#include "edit_array.h"
#include "named_rows.h"
#include "qt_input.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

struct aspect {
    static std::string Text(const TAlignEdit& box) { return box.text().toStdString(); }
    static std::string Enabled(const TAlignEdit& box) { return box.isEnabled() ? "1" : "0"; }
    static std::string Focus(const TAlignEdit& box) { return box.hasFocus() ? "1" : "0"; }
    static std::string ReadOnly(const TAlignEdit& box) { return box.isReadOnly() ? "1" : "0"; }
    static std::string Colour(const TAlignEdit& box) {
        return box.palette().color(QPalette::Base).name().toStdString();
    }
    // The caret position, marked when text is selected.
    static std::string Caret(const TAlignEdit& box) {
        return std::to_string(box.cursorPosition()) + (box.hasSelectedText() ? "+" : "");
    }
};

// The aspect of each row of column 1, top to bottom, separated by '|'.
template <typename Aspect> std::string Column(const TEditArray& array, Aspect aspect) {
    std::string column;
    for (int32_t r = 1; r <= array.GetNrows(); ++r) {
        column += (r > 1 ? "|" : "") + aspect(*array.Box(r, 1));
    }
    return column;
}

class ArrayTest : public ::testing::Test {
protected:
    // `rows` boxes at (32, 40), the first ones holding the texts.
    void Build(int32_t rows, const std::vector<QString>& texts = {}) {
        array_.Initialize(&window_, &window_, 32, 40, rows, 1);
        for (std::size_t r = 0; r < texts.size(); ++r) {
            array_.WriteEntry(static_cast<int32_t>(r) + 1, 1, texts[r]);
        }
    }
    std::string Texts() const { return Column(array_, aspect::Text); }

    QtWindow window_;
    TEditArray array_;
};
