// Builders for the kinds of control the main window is laid out with, so
// that the window's layout reads as one line per control.
#pragma once

#include "circuit_pictures.h"
#include "named_fonts.h"

#include <QColor>
#include <QRect>

class QLabel;
class QLineEdit;
class QWidget;

// Font and text colour of a control; an invalid colour keeps the window text.
struct Look {
    FontName font = FontName::MSSansSerif;
    int pixels = 11;
    bool bold = false;
    QColor colour;
};

inline const QColor Black{0, 0, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor Red{255, 0, 0};
inline const QColor Green{0, 128, 0};

void ApplyLook(QWidget& control, const Look& look);

// A label that sizes itself to its text from its left-top corner.
QLabel* MakeLabel(QWidget* parent, QPoint at, const char* text, const Look& look);
// A label of fixed size.
QLabel* MakeFixedLabel(QWidget* parent, const QRect& rect, const char* text, const Look& look);
// A flat one-line edit box.
QLineEdit* MakeEditBox(QWidget* parent, const QRect& rect, const char* text, const Look& look,
                       const char* tooltip);
// A read-only, borderless box on the window's background: it looks like a
// label, but its text can be selected and copied.
QLineEdit* MakeOutputBox(QWidget* parent, const QRect& rect, const Look& look);
TPicture* MakePicture(QWidget* parent, const QRect& frame, CircuitPicture picture);
