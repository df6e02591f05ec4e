#pragma once
// One QApplication for the whole test program (offscreen platform from the test environment).
// It is never destroyed: tearing Qt down among the exit handlers crashes in QTest's devices.
#include <QApplication>

inline void EnsureQtApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "tessaro_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}
