// The small pictures the circuit diagram is put together from, painted at
// start-up: black line drawings on a transparent background. Component
// pictures are 32 x 32 with their leads at the middle (pixels 15 and 16),
// so that neighbouring pictures join into one drawing.
#pragma once

#include <QImage>
#include <QWidget>

enum class CircuitPicture {
    HorizontalLine, // 32 x 2
    VerticalLine,   // 2 x 32
    LongLine,       // 1000 x 2, the common bottom line
    HorizontalCoil, // four turns, leads left and right
    VerticalCoil,   // four turns, leads top and bottom
    HorizontalResistor,
    VerticalResistor,
};

QImage PaintCircuitPicture(CircuitPicture picture);

// A picture shown at its natural size, centred in its frame and cut to it.
class TPicture : public QWidget {
public:
    TPicture(QWidget* parent, const QImage& image);
    const QImage& Image() const { return image_; }
    // Where the picture's top-left corner stands in the frame.
    QPoint Offset() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// The 32 x 32 window icon: the motor symbol, a circle with a lead rising
// from its top, a black M above a red AS inside, transparent around it.
QImage PaintWindowIcon();
// The same icon painted at side x side pixels, for the desktop's larger
// icon sizes.
QImage PaintWindowIcon(int side);
