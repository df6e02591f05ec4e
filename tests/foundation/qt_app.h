#pragma once
// One QApplication for the whole test program (offscreen platform from the test environment).
#include <QApplication>

inline void EnsureQtApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "foundation_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}
