#include "align_edit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array<Qt::Alignment, 3> kHorizontal = {Qt::AlignLeft, Qt::AlignRight,
                                                      Qt::AlignHCenter};

bool IsLineBreak(const QString& text) {
    return text == QLatin1Char('\r') || text == QLatin1Char('\n');
}

} // namespace

TAlignEdit::TAlignEdit(QWidget* parent) : QLineEdit(parent), maxLength_(maxLength()) {
    setAlignment(kHorizontal[alignment_] | Qt::AlignVCenter);
}

TAlignEdit::~TAlignEdit() {
    // The base destructor would drop the focus with this object already half
    // gone, and event filters watching the box would see that focus-out.
    // Dropping it here lets them see a whole box.
    if (hasFocus()) {
        clearFocus();
    }
}

void TAlignEdit::SetAlignment(TAlignment value) {
    if (value == alignment_) {
        return;
    }
    alignment_ = value;
    ApplyAlignment();
}

void TAlignEdit::ApplyAlignment() {
    setAlignment(kHorizontal[alignment_] | Qt::AlignVCenter);
    ++nativeRebuilds_;
}

void TAlignEdit::SetMaxLength(int32_t value) {
    maxLength_ = value;
    SetText(text());
}

void TAlignEdit::SetText(const QString& text) {
    // The line edit cuts every text to its own limit, so that limit follows
    // the text; it is widened before and narrowed after, so that neither
    // step cuts a text.
    const int limit = std::max<int>(maxLength_, static_cast<int>(text.size()));
    if (limit >= maxLength()) {
        setMaxLength(limit);
        setText(text);
    } else {
        setText(text);
        setMaxLength(limit);
    }
}

void TAlignEdit::keyPressEvent(QKeyEvent* event) {
    // Enter and Return insert nothing but keep their usual signals; any other
    // key that types a line break (Ctrl+J, Ctrl+M) is dropped, so the text
    // always stays one line. Key-press filters have already run by now.
    const bool enterKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enterKey && IsLineBreak(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TAlignEdit::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    const bool byLeftClick =
        reason == Qt::MouseFocusReason && QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    // A returning popup gives back a focus the box never really lost.
    if (autoSelect_ && !byLeftClick && reason != Qt::PopupFocusReason) {
        selectAll();
    }
    // The line edit selects everything by itself on keyboard focus; hand it a
    // neutral reason so that the rule above alone decides.
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        QFocusEvent neutral(event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&neutral);
        return;
    }
    QLineEdit::focusInEvent(event);
}

void TAlignEdit::contextMenuEvent(QContextMenuEvent* event) {
    // Where the toolkit asks for the menu on the press, it would take the
    // release for itself: the box would never see it.
    if (event->reason() == QContextMenuEvent::Mouse &&
        QGuiApplication::mouseButtons().testFlag(Qt::RightButton)) {
        menuOnRelease_ = true;
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

void TAlignEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && std::exchange(menuOnRelease_, false)) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, event->position().toPoint(),
                               event->globalPosition().toPoint(), event->modifiers());
        QLineEdit::contextMenuEvent(&menu);
    }
}
