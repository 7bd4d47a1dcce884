// The model's view of the warning box ErrMemo and its OK button.
#pragma once

#include "warning_box.h"

class QPlainTextEdit;
class QWidget;

class MemoWarningBox final : public WarningMemo {
public:
    explicit MemoWarningBox(QPlainTextEdit& memo) : memo_(memo) {}
    void Clear() override;
    void AppendLine(const std::string& line) override;
    int LineCount() const override;
    void BringToFront() override;
    void SetVisible(bool visible) override;

private:
    QPlainTextEdit& memo_;
};

class WidgetWarningControl final : public WarningControl {
public:
    explicit WidgetWarningControl(QWidget& widget) : widget_(widget) {}
    void BringToFront() override;
    void SetVisible(bool visible) override;

private:
    QWidget& widget_;
};
