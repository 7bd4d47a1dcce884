#include "edit_array.h"

#include "edit_array_events.h"
#include "named_fonts.h"
#include "number_parse.h"
#include "read_number.h"
#include "tab_sequence.h"
#include "virtual_keys.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QTime>
#include <QWidget>
#include <algorithm>

namespace {

const QColor kPaleYellow(255, 255, 208);
constexpr int kMaxTextLength = 10;

// Local time of day as a fraction of a day, to the millisecond.
double TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
}

// Right-aligned digits of equal rank stand above each other only in a
// fixed-pitch face; at 12 points (16 px) its cells are about CharWidth wide.
QFont BoxFont() {
    return NamedFont(FontName::Courier, PointsAsPixels(12));
}

bool IsEditingKey(uint16_t key) {
    return key == vk::Back || key == vk::Delete || IsNumberKey(key);
}

void PlaceCaret(TAlignEdit& box, int32_t cpos) {
    const auto length = static_cast<int32_t>(box.text().size());
    box.deselect();
    box.setCursorPosition(length >= cpos ? length - cpos : 0);
}

} // namespace

TEditArray::TEditArray() = default;

TEditArray::~TEditArray() = default;

bool TEditArray::InRange(int32_t row, int32_t col) const {
    return row >= 1 && row <= Nrows && col >= 1 && col <= Ncols;
}

TAlignEdit* TEditArray::Box(int32_t row, int32_t col) const {
    if (!InRange(row, col)) {
        return nullptr;
    }
    return Boxes[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)];
}

QWidget* TEditArray::ActiveControl() const {
    return OwnerWindow != nullptr ? OwnerWindow->focusWidget() : QApplication::focusWidget();
}

void TEditArray::SetEnabled(int32_t row, int32_t col, bool enabled) {
    if (TAlignEdit* const box = Box(row, col)) {
        box->setEnabled(enabled);
    }
}

// ---- Construction, layout and data ----

void TEditArray::Initialize(QWidget* owner, QWidget* parent, int32_t left, int32_t top,
                            int32_t rowCount, int32_t colCount) {
    OwnerWindow = owner;
    LeftPos = left;
    if (rowCount >= 1 && rowCount <= kMaxRows && colCount == 1) {
        Nrows = rowCount;
        Ncols = colCount;
    } else {
        Nrows = kMaxRows;
        Ncols = 1;
    }
    MaxChars = kMaxTextLength;
    CharWidth = 10;

    if (events_ == nullptr) {
        events_ = std::make_unique<TEditArrayEvents>(*this);
    }
    // Without a container the boxes would become windows of their own.
    QWidget* const container = parent != nullptr ? parent : owner;
    const QFont font = BoxFont();
    for (int32_t c = 1; c <= Ncols; ++c) {
        for (int32_t r = 1; r <= Nrows; ++r) {
            auto* const box = new TAlignEdit(container);
            box->setEnabled(true);
            box->setFont(font);
            box->resize(kBoxWidth, kBoxHeight);
            box->move(LeftPos + (c - 1) * box->width(), top + kRowPitch * (r - 1));
            box->setFixedHeight(kBoxHeight);
            box->SetAlignment(taRightJustify);
            box->SetAutoSelect(false);
            box->SetMaxLength(kMaxTextLength);
            if (container != nullptr) {
                PlaceInTabSequence(*container, *box, r);
            }
            box->SetTag(kTagColumnFactor * c + r);
            box->SetTagB(0);
            box->SetText(QString());
            box->setEnabled(true);
            box->setVisible(true);
            events_->Watch(*box);
            Boxes[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)] = box;
        }
    }
    for (int32_t c = 1; c <= Ncols; ++c) {
        for (int32_t k = 1; k <= Nrows / 2; ++k) {
            ChangeColorOf(2 * k, c, kPaleYellow);
        }
    }

    Row = 1;
    Col = 1;
    BoxRow = Row;
    BoxCol = Col;
    OldRow = Row;
    OldCol = Col;
    OldCpos = 0;
    Cpos = 0;
    AcTime = TimeOfDay();
    Changed = false;
}

void TEditArray::Destroyer() {
    for (auto& row : Boxes) {
        for (QPointer<TAlignEdit>& cell : row) {
            delete cell.data();
            cell = nullptr;
        }
    }
}

void TEditArray::GetWidth(int32_t& width) const {
    const TAlignEdit* const box = Box(1, 1);
    width = box != nullptr ? box->width() : 0;
}

void TEditArray::GetHeight(int32_t& height) const {
    const TAlignEdit* const first = Box(1, 1);
    const TAlignEdit* const last = Box(Nrows, 1);
    height = first != nullptr && last != nullptr ? last->y() + last->height() - first->y() : 0;
}

int32_t TEditArray::GetNrows() const {
    return Nrows;
}

void TEditArray::GetIndices(int32_t& row, int32_t& col) const {
    row = Row;
    col = Col;
}

double TEditArray::GetAcTime() const {
    return AcTime;
}

void TEditArray::SetColumnReadOnly(int32_t col) {
    if (col < 1 || col > Ncols) {
        return;
    }
    for (int32_t r = 1; r <= Nrows; ++r) {
        if (TAlignEdit* const box = Box(r, col)) {
            box->setReadOnly(true);
        }
    }
}

void TEditArray::DisableColumn(int32_t col) {
    if (col < 1 || col > Ncols) {
        return;
    }
    // Qt hands the focus of a disabled box on to the next control, which
    // here is the next box, also about to be disabled, and so on out of
    // the column. The window keeps the focus itself instead, with no
    // control active.
    int32_t focusCol = 0;
    int32_t focusRow = 0;
    CheckActiveControl(focusCol, focusRow);
    if (focusCol == col) {
        Box(focusRow, col)->clearFocus();
    }
    for (int32_t r = 1; r <= Nrows; ++r) {
        SetEnabled(r, col, false);
    }
}

void TEditArray::ChangeColorOf(int32_t row, int32_t col, const QColor& colour) {
    if (TAlignEdit* const box = Box(row, col)) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, colour);
        box->setPalette(palette);
    }
}

void TEditArray::ChangeColor(int32_t col, const QColor& colour) {
    if (col < 1 || col > Ncols) {
        return;
    }
    for (int32_t r = 1; r <= Nrows; ++r) {
        ChangeColorOf(r, col, colour);
    }
}

void TEditArray::SetRowReadOnly(int32_t row) {
    if (row < 1 || row > Nrows) {
        return;
    }
    for (int32_t c = 1; c <= Ncols; ++c) {
        if (TAlignEdit* const box = Box(row, c)) {
            box->setReadOnly(true);
        }
    }
}

void TEditArray::RemoveRowReadOnly(int32_t row) {
    if (row < 1 || row > Nrows) {
        return;
    }
    for (int32_t c = 1; c <= Ncols; ++c) {
        if (TAlignEdit* const box = Box(row, c)) {
            box->setReadOnly(false);
        }
    }
}

void TEditArray::DisableTabStopRow(int32_t row) {
    if (row < 1 || row > Nrows) {
        return;
    }
    for (int32_t c = 1; c <= Ncols; ++c) {
        if (TAlignEdit* const box = Box(row, c)) {
            // Still reachable by a click; the Tab key passes it by.
            box->setFocusPolicy(Qt::ClickFocus);
        }
    }
}

void TEditArray::EnableOld() {
    SetEnabled(OldRow, OldCol, true);
}

void TEditArray::CheckEnabled() {
    for (int32_t c = 1; c <= Ncols; ++c) {
        for (int32_t r = 1; r <= Nrows; ++r) {
            if (TAlignEdit* const box = Box(r, c)) {
                box->SetText(box->isEnabled() ? QStringLiteral("1") : QStringLiteral("0"));
            }
        }
    }
}

void TEditArray::ClearAll() {
    for (int32_t c = 1; c <= Ncols; ++c) {
        for (int32_t r = 1; r <= Nrows; ++r) {
            if (TAlignEdit* const box = Box(r, c)) {
                box->SetText(QString());
            }
        }
    }
}

void TEditArray::PutEntry(int32_t row, int32_t col, float value) {
    if (TAlignEdit* const box = Box(row, col)) {
        box->SetText(QString::fromStdString(FormatEntry(value)));
    }
}

void TEditArray::WriteEntry(int32_t row, int32_t col, const QString& text) {
    if (TAlignEdit* const box = Box(row, col)) {
        box->SetText(text);
    }
}

float TEditArray::GetData(int32_t row, int32_t col) const {
    const TAlignEdit* const box = Box(row, col);
    if (box == nullptr) {
        return 0.0F;
    }
    return ReadFirstNumber(box->text().toStdString());
}

bool TEditArray::tagBset() const {
    const TAlignEdit* const box = Box(Row, Col);
    return box != nullptr && box->TagB() != 0;
}

// ---- Keyboard, mouse and focus ----

void TEditArray::Enter(QObject* sender) {
    OldRow = Row;
    OldCol = Col;
    // The window records its new focused control before the box hears of it.
    const auto* box = qobject_cast<const TAlignEdit*>(ActiveControl());
    if (box == nullptr) {
        box = qobject_cast<const TAlignEdit*>(sender);
    }
    const int32_t tag = box != nullptr ? box->Tag() : 0;
    Col = tag / kTagColumnFactor;
    Row = tag - kTagColumnFactor * Col;
    if (const TAlignEdit* const current = Box(Row, Col)) {
        const auto length = static_cast<int32_t>(current->text().size());
        if (length < Cpos) {
            Cpos = length;
            OldCpos = length;
        }
    }
    BoxRow = Row;
    BoxCol = Col;
    AcTime = TimeOfDay();
}

void TEditArray::EditExit(QObject* /*sender*/) {
    if (TAlignEdit* const box = Box(Row, Col)) {
        box->SetTagB(0);
    }
}

void TEditArray::Exit(QObject* /*sender*/) {}

void TEditArray::KeyDown(QObject* /*sender*/, uint16_t& key, Qt::KeyboardModifiers /*shift*/) {
    OldRow = Row;
    OldCol = Col;
    if (IsEditingKey(key)) {
        Changed = true;
    }
    switch (key) {
    case vk::Up:
        UpArrow();
        break;
    case vk::Down:
        DownArrow();
        break;
    case vk::Left:
        LeftArrow();
        break;
    case vk::Right:
        RightArrow();
        break;
    case vk::Delete:
        if (Cpos - 1 >= 0) {
            putCpos(Cpos - 1);
        } else {
            Cpos = 0;
            OldCpos = 0;
        }
        break;
    default:
        break;
    }
}

void TEditArray::MarkSeparator() {
    if (TAlignEdit* const box = Box(Row, Col)) {
        box->SetTagB(HasSeparator(box->text().toStdString()));
    }
}

void TEditArray::KeyUp(QObject* /*sender*/, uint16_t& /*key*/, Qt::KeyboardModifiers /*shift*/) {
    if (Row < Nrows) {
        SetEnabled(Row + 1, Col, true);
    }
    if (Row > 1) {
        SetEnabled(Row - 1, Col, true);
    }
    for (int32_t r = 1; r <= Nrows; ++r) {
        if (r != Row) {
            PasteSelStart(r);
        }
    }
    MarkSeparator();
}

void TEditArray::EditKeyUp(QObject* /*sender*/, uint16_t& /*key*/,
                           Qt::KeyboardModifiers /*shift*/) {
    MarkSeparator();
}

void TEditArray::MouseDown(QObject* /*sender*/, Qt::MouseButton /*button*/,
                           Qt::KeyboardModifiers /*shift*/, int32_t /*x*/, int32_t /*y*/) {}

void TEditArray::EditMouseMove(QObject* /*sender*/, Qt::KeyboardModifiers /*shift*/, int32_t /*x*/,
                               int32_t /*y*/) {}

void TEditArray::MouseUp(QObject* /*sender*/, Qt::MouseButton /*button*/,
                         Qt::KeyboardModifiers /*shift*/, int32_t x, int32_t /*y*/) {
    const TAlignEdit* const box = Box(Row, Col);
    if (box == nullptr) {
        return;
    }
    const auto length = static_cast<int32_t>(box->text().size());
    // Character cells between the click and the right edge of the box.
    const int32_t k = std::clamp((box->width() - x) / CharWidth, 0, MaxChars);
    Cpos = std::min(k, length);
    OldCpos = Cpos;
    if (Row > 1) {
        PasteSelStart(Row - 1);
    }
    if (Row < Nrows) {
        PasteSelStart(Row + 1);
    }
    MarkSeparator();
}

void TEditArray::MoveFocusTo(int32_t row) {
    TAlignEdit* const current = Box(Row, Col);
    TAlignEdit* const target = Box(row, Col);
    if (target == nullptr) {
        return;
    }
    if (!target->isEnabled()) {
        target->setEnabled(true);
    }
    // Qt hands the focus on to the next control when the focused one is
    // disabled, which would enter a third box; so the focus moves first.
    target->setFocus();
    if (current != nullptr && current != target) {
        current->setEnabled(false);
    }
}

void TEditArray::UpArrow() {
    if (Row < Nrows) {
        SetEnabled(Row + 1, Col, true);
    }
    if (Row <= 1) {
        return;
    }
    MoveFocusTo(Row - 1);
}

void TEditArray::DownArrow() {
    if (Row > 1) {
        SetEnabled(Row - 1, Col, true);
    }
    AdditionalDownArrow1();
    if (Row < Nrows) {
        MoveFocusTo(Row + 1);
    } else {
        AdditionalDownArrow2();
    }
}

void TEditArray::LeftArrow() {
    const TAlignEdit* const box = Box(Row, Col);
    const auto length = box != nullptr ? static_cast<int32_t>(box->text().size()) : 0;
    if (length > Cpos) {
        putCpos(Cpos + 1);
    } else {
        Cpos = length;
        OldCpos = length;
        AdditionalLeftArrow();
    }
}

void TEditArray::RightArrow() {
    if (Cpos > 0) {
        putCpos(Cpos - 1);
    } else {
        Cpos = 0;
        OldCpos = 0;
        AdditionalRightArrow();
    }
}

void TEditArray::AdditionalDownArrow1() {}

void TEditArray::AdditionalDownArrow2() {}

void TEditArray::AdditionalRightArrow() {}

void TEditArray::AdditionalLeftArrow() {}

void TEditArray::putCpos(int32_t value) {
    OldCpos = Cpos;
    Cpos = value;
}

void TEditArray::PasteSelStart(int32_t row) {
    if (TAlignEdit* const box = Box(row, Col)) {
        PlaceCaret(*box, Cpos);
    }
}

void TEditArray::SetBoxActive(int32_t row, int32_t col) {
    TAlignEdit* const box = Box(row, col);
    if (box == nullptr || !box->isEnabled()) {
        return;
    }
    PlaceCaret(*box, Cpos);
    box->setFocus();
}

void TEditArray::RestoreBoxActive() {
    SetBoxActive(BoxRow, BoxCol);
}

void TEditArray::CheckActiveControl(int32_t& col, int32_t& row) const {
    col = 0;
    row = 0;
    const QWidget* const active = ActiveControl();
    if (active == nullptr) {
        return;
    }
    for (int32_t c = 1; c <= Ncols; ++c) {
        for (int32_t r = 1; r <= Nrows; ++r) {
            if (Box(r, c) == active) {
                col = c;
                row = r;
                break;
            }
        }
    }
}
