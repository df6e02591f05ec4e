#pragma once
// One QCoreApplication for a program that needs an event loop but no widgets (sockets,
// timers). Never destroyed, like the widget programs' QApplication.
#include <QCoreApplication>

inline void EnsureCoreApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "tessaro_core";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}
