#include "helptext.h"

#include "help_lines.h"
#include "named_fonts.h"
#include "window_frame.h"

#include <QPlainTextEdit>
#include <QStringList>

namespace {

constexpr QSize OuterDesignSize{497, 350};
constexpr int MemoWidth = 481;
constexpr int MemoHeight = 321;
constexpr int MemoHeightAllowance = 24;

} // namespace

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Help"));
    setFont(NamedFont(FontName::MSSansSerif, 11));
    // Closing the main window ends the program; this one only hides.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(ClientSizeFor(OuterDesignSize));

    HelpMemo = new QPlainTextEdit(this);
    HelpMemo->setGeometry(0, 0, MemoWidth, MemoHeight);
    HelpMemo->setReadOnly(true);
    HelpMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    HelpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HelpMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HelpMemo->setFont(NamedFont(FontName::Arial, 12));
    QPalette palette = HelpMemo->palette();
    palette.setColor(QPalette::Text, Qt::black);
    HelpMemo->setPalette(palette);
    QStringList lines;
    for (const std::string_view line : HelpLines) {
        lines.append(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    }
    HelpMemo->setPlainText(lines.join(QLatin1Char('\n')));
    CentreOnScreen(*this);
}

void THelpForm::FormResize() {
    if (HelpMemo == nullptr) {
        return;
    }
    HelpMemo->resize(HelpMemo->width(), OuterSize(*this).height() - MemoHeightAllowance);
}

void THelpForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}
