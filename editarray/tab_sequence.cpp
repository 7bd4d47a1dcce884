#include "tab_sequence.h"

#include <QWidget>
#include <algorithm>

namespace {

// Widgets without any focus policy take no place: the focus chain skips them
// and setTabOrder refuses them.
bool TakesPlace(const QWidget& widget, const QWidget& parent) {
    return widget.parentWidget() == &parent && widget.focusPolicy() != Qt::NoFocus;
}

} // namespace

QList<QWidget*> TabSequenceOf(const QWidget& parent) {
    QList<QWidget*> sequence;
    QWidget* const window = parent.window();
    for (QWidget* w = window->nextInFocusChain(); w != nullptr && w != window;
         w = w->nextInFocusChain()) {
        if (TakesPlace(*w, parent)) {
            sequence.append(w);
        }
    }
    return sequence;
}

void PlaceInTabSequence(QWidget& parent, QWidget& control, qsizetype place) {
    QList<QWidget*> sequence = TabSequenceOf(parent);
    sequence.removeAll(&control);
    sequence.insert(std::clamp<qsizetype>(place, 0, sequence.size()), &control);
    for (qsizetype i = 1; i < sequence.size(); ++i) {
        QWidget::setTabOrder(sequence[i - 1], sequence[i]);
    }
}
