#include "named_fonts.h"

#include <QString>

QFont NamedFont(FontName name, int pixelSize, bool bold) {
    QFont font(name == FontName::Courier ? QStringLiteral("Liberation Mono")
                                         : QStringLiteral("Liberation Sans"));
    font.setStyleHint(name == FontName::Courier ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(name == FontName::Courier);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
