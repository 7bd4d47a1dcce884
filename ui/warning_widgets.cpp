#include "warning_widgets.h"

#include <QPlainTextEdit>
#include <QTextDocument>

void MemoWarningBox::Clear() {
    memo_.clear();
}

void MemoWarningBox::AppendLine(const std::string& line) {
    memo_.appendPlainText(QString::fromStdString(line));
}

int MemoWarningBox::LineCount() const {
    // An empty box still has one empty block; it holds no line.
    if (memo_.document()->isEmpty()) {
        return 0;
    }
    return memo_.document()->blockCount();
}

void MemoWarningBox::BringToFront() {
    memo_.raise();
}

void MemoWarningBox::SetVisible(bool visible) {
    memo_.setVisible(visible);
}

void WidgetWarningControl::BringToFront() {
    widget_.raise();
}

void WidgetWarningControl::SetVisible(bool visible) {
    widget_.setVisible(visible);
}
