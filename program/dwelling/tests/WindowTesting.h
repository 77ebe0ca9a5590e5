#pragma once
// Driving windows headless as a user would: an active window, keys typed one at a time with the
// window events between them.

#include "platform/host/TestApplication.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace ampleton::windowtest {

// As the first member of a fixture: the application exists before any window of the fixture.
struct ApplicationFirst {
    ApplicationFirst() { host::testApplication(); }
};

inline void showActive(QWidget& window) {
    host::testApplication();
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window, 1000))
        qWarning("window did not become active");
}

// Lets posted events (such as the validation's Backspace) arrive.
inline void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

inline void typeInto(QWidget* field, const QString& text) {
    field->setFocus();
    for (QChar c : text) {
        QTest::keyClicks(field, QString(c));
        settle();
    }
}

inline void press(QWidget* field, Qt::Key key) {
    QTest::keyClick(field, key);
    settle();
}

} // namespace ampleton::windowtest
