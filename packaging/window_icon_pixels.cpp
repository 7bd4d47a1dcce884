// Writes the 32 x 32 window icon as C++ source: its premultiplied ARGB pixels
// as painted by the window's own painter. Run at build time under the
// offscreen platform, so that the program shows its icon without painting it
// (and loading the icon's font) at every start.
// Usage: window-icon-pixels FILE
#include "circuit_pictures.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: window-icon-pixels FILE\n", stderr);
        return 2;
    }
    int toolkitArgc = 1;
    QGuiApplication app(toolkitArgc, argv); // fonts need the application
    const QImage icon = PaintWindowIcon();
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::fprintf(stderr, "window-icon-pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fputs("// Generated at build time by window-icon-pixels; do not edit.\n"
               "#include \"window_icon.h\"\n\n"
               "const std::uint32_t WindowIconPixels[WindowIconSide * WindowIconSide] = {\n",
               out);
    for (int y = 0; y < icon.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(icon.constScanLine(y));
        for (int x = 0; x < icon.width(); ++x) {
            std::fprintf(out, "%s0x%08xu,", x % 8 == 0 ? "\n    " : " ", row[x]);
        }
    }
    std::fputs("\n};\n", out);
    return std::fclose(out) == 0 ? 0 : 1;
}
