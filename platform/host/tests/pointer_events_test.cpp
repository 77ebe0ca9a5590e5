#include "platform/host/Events.h"
#include "platform/host/Pointer.h"
#include "platform/host/TestApplication.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace host {
namespace {

Qt::CursorShape overrideShape() {
    const QCursor* c = QGuiApplication::overrideCursor();
    return c ? c->shape() : Qt::BlankCursor;
}

TEST(HourglassPointer, ShowsTheHourglassAndPutsThePreviousPointerBack) {
    testApplication();
    ASSERT_EQ(mousePointer(), MousePointer::Default);
    {
        HourglassPointer busy;
        EXPECT_EQ(mousePointer(), MousePointer::Hourglass);
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        {
            HourglassPointer nested;
            EXPECT_EQ(mousePointer(), MousePointer::Hourglass);
        }
        EXPECT_EQ(overrideShape(), Qt::WaitCursor); // the outer operation is still running
    }
    EXPECT_EQ(mousePointer(), MousePointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Events, BeepIsCountedAndDoEventsRunsPendingEvents) {
    testApplication();
    const int before = beepCount();
    beep();
    EXPECT_EQ(beepCount(), before + 1);

    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    doEvents();
    EXPECT_TRUE(ran);
}

} // namespace
} // namespace host
