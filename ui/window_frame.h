// The windows' outer sizes are given with frame and title bar, as drawn for
// a desktop with 4-pixel borders and a 19-pixel caption. Under a window
// manager that reports its frame the real frame is used; without one
// (a bare X server) the design frame stands in, so that the client areas,
// where all positions are measured, come out the same everywhere.
#pragma once

#include <QSize>

class QWidget;

inline constexpr QSize DesignFrame{8, 27};

// Outer size of a top-level window, frame and title bar included.
QSize OuterSize(const QWidget& window);

// Client size that gives the outer size with the design frame.
QSize ClientSizeFor(QSize outer);

// Centres a top-level window on its screen's available area.
void CentreOnScreen(QWidget& window);
