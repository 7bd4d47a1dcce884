// The window icon, painted at build time by the same painter as the desktop
// icon files (PaintWindowIcon), kept as its pixels.
#pragma once

#include <QImage>

#include <cstdint>

inline constexpr int WindowIconSide = 32;

// Premultiplied ARGB, row by row.
extern const std::uint32_t WindowIconPixels[WindowIconSide * WindowIconSide];

// The icon as an image over those pixels; nothing is copied or painted.
inline QImage WindowIcon() {
    return QImage(reinterpret_cast<const uchar*>(WindowIconPixels), WindowIconSide, WindowIconSide,
                  QImage::Format_ARGB32_Premultiplied);
}
