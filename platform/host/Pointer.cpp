#include "platform/host/Pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace host {

namespace {

// One pointer for the whole process, as the screen object has it.
MousePointer gPointer = MousePointer::Default;

bool haveGui() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

void setMousePointer(MousePointer pointer) {
    if (pointer == gPointer)
        return;
    if (haveGui()) {
        // At most one override of ours is on Qt's stack at any time.
        if (gPointer != MousePointer::Default)
            QGuiApplication::restoreOverrideCursor();
        if (pointer == MousePointer::Hourglass)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else if (pointer == MousePointer::Arrow)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    gPointer = pointer;
}

MousePointer mousePointer() {
    return gPointer;
}

HourglassPointer::HourglassPointer() : previous_(mousePointer()) {
    setMousePointer(MousePointer::Hourglass);
}

HourglassPointer::~HourglassPointer() {
    setMousePointer(previous_);
}

} // namespace host
