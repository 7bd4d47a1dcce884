// Writes the window icon as a PNG for the desktop's icon theme, painted by
// the same code as the window's own icon. Run at build time, under the
// offscreen platform. Usage: window-icon-png SIDE FILE
#include "circuit_pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: window-icon-png SIDE FILE\n", stderr);
        return 2;
    }
    const int side = std::atoi(argv[1]);
    if (side < 16 || side > 1024) {
        std::fputs("window-icon-png: SIDE is 16 to 1024\n", stderr);
        return 2;
    }
    int toolkitArgc = 1;
    QGuiApplication app(toolkitArgc, argv); // fonts need the application
    const QImage icon = PaintWindowIcon(side);
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "window-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
