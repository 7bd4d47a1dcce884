// TAlignEdit: the one-line number box of the edit array. It adds a choosable
// text alignment and a spare integer, TagB, to the toolkit's line edit, and
// carries the integer Tag by which the array tells its boxes apart.
#pragma once

#include <QLineEdit>
#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

class TAlignEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TAlignEdit(QWidget* parent = nullptr);
    ~TAlignEdit() override;

    TAlignment Alignment() const { return alignment_; }
    // Re-applies the alignment only when the value changes; the text and all
    // other settings stay.
    void SetAlignment(TAlignment value);

    // How often the alignment was re-applied after creation.
    int32_t NativeRebuilds() const { return nativeRebuilds_; }

    int32_t TagB() const { return tagB_; }
    void SetTagB(int32_t value) { tagB_ = value; }

    int32_t Tag() const { return tag_; }
    void SetTag(int32_t value) { tag_ = value; }

    // The most characters typing or pasting may bring the text to.
    int32_t MaxLength() const { return maxLength_; }
    void SetMaxLength(int32_t value);
    // Sets the whole text, even one longer than MaxLength: the limit binds the
    // user's input only. Such a text can then be edited up to its own length.
    void SetText(const QString& text);

    // Select the whole text when the box receives the focus other than by a
    // left-button click. On by default, like the toolkit's own behaviour.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // A right click's menu opens on the button's release, after the box's
    // event filters have seen that release, as they see a left one.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyAlignment();

    TAlignment alignment_ = taLeftJustify;
    int32_t tagB_ = 0;
    int32_t tag_ = 0;
    bool autoSelect_ = true;
    int32_t maxLength_;
    int32_t nativeRebuilds_ = 0;
    bool menuOnRelease_ = false;
};
