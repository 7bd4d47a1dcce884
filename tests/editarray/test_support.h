// A column of boxes read as one text per aspect, so that a test compares a
// whole column at once.
#pragma once

#include "edit_array.h"
#include "named_rows.h"
#include "qt_input.h"

#include <string>

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
