#include "platform/host/Events.h"

#include <QApplication>

namespace host {

namespace {
int gBeeps = 0;
}

void beep() {
    ++gBeeps;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

int beepCount() {
    return gBeeps;
}

void doEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace host
