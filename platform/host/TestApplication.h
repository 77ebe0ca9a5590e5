#pragma once
// One QApplication for a test executable, created on first use.

#include <QApplication>

namespace host {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace host
