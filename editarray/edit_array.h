// TEditArray: a column of right-aligned, fixed-pitch number boxes
// (TAlignEdit) that behaves like one column of a spreadsheet.
//
// The owner window builds it with Initialize, fills it with PutEntry and
// WriteEntry, reads it with GetData and locks or colours rows and columns.
// The array handles every mouse, key and focus event of its boxes itself: the
// Up and Down arrows move the focus between rows, one caret position (Cpos,
// counted from the right end of the text) is kept for the whole column, and
// each box's TagB tells the window's key filter whether the box already holds
// a decimal separator. Rows and columns are 1-based; an index out of range
// makes an operation do nothing (a read gives 0). The grid accepts exactly one
// column of up to 31 rows.
//
// The boxes belong to the owner window and go with it; the array object is
// not a widget and may outlive them.
#pragma once

#include "align_edit.h"
#include "nameplate_source.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>

class QObject;
class QWidget;
class TEditArrayEvents;

class TEditArray : public NameplateSource {
public:
    static constexpr int32_t kMaxRows = 31;
    static constexpr int32_t kMaxCols = 1;
    static constexpr int32_t kBoxWidth = 136;
    static constexpr int32_t kBoxHeight = 24;
    static constexpr int32_t kRowPitch = 20; // neighbouring boxes overlap by 4 pixels
    static constexpr int32_t kTagColumnFactor = 1024;

    TEditArray();
    TEditArray(const TEditArray&) = delete;
    TEditArray& operator=(const TEditArray&) = delete;
    // Leaves the boxes to their owner window.
    virtual ~TEditArray();

    // Construction, layout and data.
    void Initialize(QWidget* owner, QWidget* parent, int32_t left, int32_t top, int32_t rowCount,
                    int32_t colCount);
    void Destroyer();
    void GetWidth(int32_t& width) const;
    void GetHeight(int32_t& height) const;
    int32_t GetNrows() const;
    void GetIndices(int32_t& row, int32_t& col) const;
    double GetAcTime() const;
    void SetColumnReadOnly(int32_t col);
    void DisableColumn(int32_t col);
    void ChangeColor(int32_t col, const QColor& colour);
    void SetRowReadOnly(int32_t row);
    void RemoveRowReadOnly(int32_t row);
    void DisableTabStopRow(int32_t row);
    void EnableOld();
    void CheckEnabled();
    void ClearAll();
    void PutEntry(int32_t row, int32_t col, float value);
    void WriteEntry(int32_t row, int32_t col, const QString& text);
    // The first number of the box's text, or 0 when the text is empty or any
    // of its tokens is malformed. The number-text errors reach the caller.
    float GetData(int32_t row, int32_t col) const override;
    bool tagBset() const;

    // Keyboard, mouse and focus; wired to every box by Initialize.
    void Enter(QObject* sender);
    void EditExit(QObject* sender);
    void Exit(QObject* sender);
    // key is a virtual-key code (virtual_keys.h); it is left unchanged.
    void KeyDown(QObject* sender, uint16_t& key, Qt::KeyboardModifiers shift);
    void KeyUp(QObject* sender, uint16_t& key, Qt::KeyboardModifiers shift);
    void EditKeyUp(QObject* sender, uint16_t& key, Qt::KeyboardModifiers shift);
    void MouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x,
                   int32_t y);
    void EditMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    // x and y in the box's own pixels.
    void MouseUp(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x,
                 int32_t y);
    void UpArrow();
    void DownArrow();
    void LeftArrow();
    void RightArrow();

    // Hooks for descendants: at every Down key, and where the caret or the
    // focus would leave the grid downward, to the left or to the right.
    virtual void AdditionalDownArrow1();
    virtual void AdditionalDownArrow2();
    virtual void AdditionalRightArrow();
    void AdditionalLeftArrow();

    void putCpos(int32_t value);
    void PasteSelStart(int32_t row);
    void SetBoxActive(int32_t row, int32_t col);
    void RestoreBoxActive();
    // Column first, then row; 0 and 0 when the owner's active control is none
    // of the boxes.
    void CheckActiveControl(int32_t& col, int32_t& row) const;

    // Column transfer and dates, on streams the caller opens and closes.
    // Lines are written with CR LF; a failed write or read throws
    // EditArrayIoError, leaving the lines and boxes done so far as they are.
    void WriteAllLines(const QString& prefix, const QString& separator, int32_t width,
                       std::ostream& file) const;
    void SaveColumn(int32_t col, std::ostream& file) const;
    void ReadColumn(int32_t col, std::istream& file);
    void FillDates(int32_t month, int32_t col);

    // The box at (row, col), or nullptr out of range or once destroyed.
    TAlignEdit* Box(int32_t row, int32_t col) const;

    bool Changed = false;
    double AcTime = 0.0; // time of day of the last entry, as a fraction of a day
    int32_t Cpos = 0;    // caret position, in characters from the right end of the text
    int32_t OldCpos = 0;
    int32_t Row = 0;
    int32_t Col = 0;
    int32_t BoxRow = 0;
    int32_t BoxCol = 0;
    int32_t OldRow = 0;
    int32_t OldCol = 0;
    int32_t LeftPos = 0;
    int32_t MaxChars = 0;
    int32_t Nrows = 0;
    int32_t Ncols = 0;
    std::array<std::array<QPointer<TAlignEdit>, kMaxCols>, kMaxRows> Boxes{};
    QPointer<QWidget> OwnerWindow;
    int32_t CharWidth = 0; // pixels of one character cell, for turning clicks into Cpos

private:
    bool InRange(int32_t row, int32_t col) const;
    QWidget* ActiveControl() const;
    void SetEnabled(int32_t row, int32_t col, bool enabled);
    void ChangeColorOf(int32_t row, int32_t col, const QColor& colour);
    void MarkSeparator();
    // Moves the focus to the enabled box at (row, Col) and then disables the
    // current one.
    void MoveFocusTo(int32_t row);

    std::unique_ptr<TEditArrayEvents> events_;
};
