// The Tab sequence of one parent container: its direct children that can
// take the focus, in the order the Tab key visits them.
#pragma once

#include <QList>

class QWidget;

// The parent's sequence as the window's focus chain currently orders it.
QList<QWidget*> TabSequenceOf(const QWidget& parent);

// Moves control (a child of parent) to place `place`, counted from 0, of the
// parent's sequence; the controls from that place on move one place back,
// and a place beyond the end means the last place.
void PlaceInTabSequence(QWidget& parent, QWidget& control, qsizetype place);
