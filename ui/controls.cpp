#include "controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <array>
#include <cstddef>

void ApplyLook(QWidget& control, const Look& look) {
    control.setFont(NamedFont(look.font, look.pixels, look.bold));
    if (look.colour.isValid()) {
        QPalette palette = control.palette();
        palette.setColor(QPalette::WindowText, look.colour);
        palette.setColor(QPalette::Text, look.colour);
        palette.setColor(QPalette::ButtonText, look.colour);
        control.setPalette(palette);
    }
}

QLabel* MakeLabel(QWidget* parent, QPoint at, const char* text, const Look& look) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    ApplyLook(*label, look);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* MakeFixedLabel(QWidget* parent, const QRect& rect, const char* text, const Look& look) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    ApplyLook(*label, look);
    label->setGeometry(rect);
    return label;
}

QLineEdit* MakeEditBox(QWidget* parent, const QRect& rect, const char* text, const Look& look,
                       const char* tooltip) {
    auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
    ApplyLook(*edit, look);
    edit->setGeometry(rect);
    edit->setToolTip(QString::fromLatin1(tooltip));
    return edit;
}

namespace {

// A read-only line edit hides its caret, and without a frame nothing else
// shows that it has the focus. This one draws its caret while focused, as
// an editable box would, only without blinking.
class OutputBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        if (!hasFocus()) {
            return;
        }
        const QRect around = cursorRect(); // a few pixels either side of the caret
        QPainter painter(this);
        painter.fillRect(
            QRect(around.left() + around.width() / 2, around.top(), 1, around.height() - 1),
            palette().color(QPalette::Text));
    }
};

} // namespace

QLineEdit* MakeOutputBox(QWidget* parent, const QRect& rect, const Look& look) {
    auto* box = new OutputBox(parent);
    ApplyLook(*box, look);
    box->setGeometry(rect);
    box->setReadOnly(true);
    box->setFrame(false);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
    return box;
}

namespace {

// Sixteen pictures show seven drawings: each is painted once and shared
// (QImage copies share their pixels).
const QImage& SharedCircuitPicture(CircuitPicture picture) {
    static std::array<QImage, static_cast<std::size_t>(CircuitPicture::VerticalResistor) + 1>
        painted;
    QImage& image = painted.at(static_cast<std::size_t>(picture));
    if (image.isNull()) {
        image = PaintCircuitPicture(picture);
    }
    return image;
}

} // namespace

TPicture* MakePicture(QWidget* parent, const QRect& frame, CircuitPicture picture) {
    auto* shown = new TPicture(parent, SharedCircuitPicture(picture));
    shown->setGeometry(frame);
    return shown;
}
