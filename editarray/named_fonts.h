// The font names the windows were designed with, mapped onto installed
// faces: "MS Sans Serif" and "Arial" to Liberation Sans, "Courier" to
// Liberation Mono (from fonts-liberation, which the set-up installs). Sizes
// are character heights in pixels so that the fixed pixel layouts hold
// whatever the screen's resolution setting.
#pragma once

#include <QFont>

enum class FontName { MSSansSerif, Arial, Courier };

QFont NamedFont(FontName name, int pixelSize, bool bold = false);

// Points of a 96 dots-per-inch design, as pixels (12 pt is 16 px).
constexpr int PointsAsPixels(int points) {
    return points * 96 / 72;
}
