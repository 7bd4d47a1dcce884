#include "circuit_pictures.h"

#include "named_fonts.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int Side = 32;
constexpr int Lead = 2;    // line thickness
constexpr int Middle = 15; // first of the two lead pixels
constexpr int Turns = 4;

QImage Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage SolidLine(int width, int height) {
    QImage image = Transparent(width, height);
    image.fill(Qt::black);
    return image;
}

// Painted lying along x; the vertical forms are the same drawing turned.
QImage HorizontalCoil() {
    QImage image = Transparent(Side, Side);
    QPainter p(&image);
    p.fillRect(0, Middle, 4, Lead, Qt::black);
    p.fillRect(Side - 4, Middle, 4, Lead, Qt::black);
    p.setRenderHint(QPainter::Antialiasing); // the few grey edge pixels
    p.setPen(QPen(Qt::black, 2));
    QPainterPath turns;
    const qreal turnWidth = (Side - 8) / static_cast<qreal>(Turns);
    turns.moveTo(4, Middle + 1);
    for (int t = 0; t < Turns; ++t) {
        const qreal left = 4 + t * turnWidth;
        turns.arcTo(QRectF(left, Middle + 1 - turnWidth / 2 - 2, turnWidth, turnWidth + 4), 180,
                    -180);
    }
    p.drawPath(turns);
    return image;
}

QImage HorizontalResistor() {
    QImage image = Transparent(Side, Side);
    QPainter p(&image);
    p.fillRect(0, Middle, 6, Lead, Qt::black);
    p.fillRect(Side - 6, Middle, 6, Lead, Qt::black);
    // Open rectangle: its outline only, 10 pixels high, so that a pixel
    // stays free above the labels under the resistors.
    p.fillRect(6, Middle - 4, Side - 12, Lead, Qt::black);
    p.fillRect(6, Middle + 4, Side - 12, Lead, Qt::black);
    p.fillRect(6, Middle - 4, Lead, 10, Qt::black);
    p.fillRect(Side - 8, Middle - 4, Lead, 10, Qt::black);
    return image;
}

QImage Turned(const QImage& image) {
    // A quarter turn maps pixel row 15-16 onto pixel column 15-16.
    return image.transformed(QTransform().rotate(90)).mirrored(true, false);
}

} // namespace

QImage PaintCircuitPicture(CircuitPicture picture) {
    switch (picture) {
    case CircuitPicture::HorizontalLine:
        return SolidLine(Side, Lead);
    case CircuitPicture::VerticalLine:
        return SolidLine(Lead, Side);
    case CircuitPicture::LongLine:
        return SolidLine(1000, Lead);
    case CircuitPicture::HorizontalCoil:
        return HorizontalCoil();
    case CircuitPicture::VerticalCoil:
        return Turned(HorizontalCoil());
    case CircuitPicture::HorizontalResistor:
        return HorizontalResistor();
    case CircuitPicture::VerticalResistor:
        return Turned(HorizontalResistor());
    }
    return {};
}

TPicture::TPicture(QWidget* parent, const QImage& image) : QWidget(parent), image_(image) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPoint TPicture::Offset() const {
    // Integer halves truncated towards zero, also for a picture larger than
    // its frame, so the frames' pixel positions line the leads up exactly.
    return {(width() - image_.width()) / 2, (height() - image_.height()) / 2};
}

void TPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setClipRect(rect());
    p.drawImage(Offset(), image_);
}

QImage PaintWindowIcon() {
    return PaintWindowIcon(Side);
}

QImage PaintWindowIcon(int side) {
    QImage icon = Transparent(side, side);
    QPainter p(&icon);
    // The drawing is laid out on the 32-pixel grid; larger sizes are the
    // same drawing painted finer, not the small image enlarged.
    p.scale(side / qreal(Side), side / qreal(Side));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(16, 0), QPointF(16, 5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 5, 26, 26));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(NamedFont(FontName::Arial, 11, true));
    p.drawText(QRectF(3, 7, 26, 12), Qt::AlignCenter, QStringLiteral("M"));
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRectF(3, 17, 26, 12), Qt::AlignCenter, QStringLiteral("AS"));
    return icon;
}
