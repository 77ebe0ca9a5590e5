#pragma once
// One QApplication for a test executable, created on first use. It is never destroyed: tearing it
// down among the exit handlers would outlive Qt's own globals.

#include <QApplication>

namespace host {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace host
