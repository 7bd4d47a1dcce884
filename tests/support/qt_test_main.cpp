// GoogleTest entry for the window tests: one QApplication for the whole run,
// on the offscreen platform unless another one is chosen.
//
// The windows measure their outer size from the frame the platform reports
// and fall back to their design frame when there is none, as on an X server
// without a window manager. The offscreen platform invents a thin frame of
// its own by default, so it runs here without one.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + OFFSCREEN_CONFIG);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
