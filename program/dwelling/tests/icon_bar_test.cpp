#include "program/dwelling/IconBar.h"
#include "program/dwelling/tests/WindowTesting.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace ampleton {
namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class Toolbar : public ::testing::Test {
protected:
    void SetUp() override {
        bar.resize(400, 34);
        windowtest::showActive(bar);
        bar.setButtonEnabled(3, false);
    }
    QPoint centre(int i) const { return bar.buttonRect(i).center(); }
    std::vector<ButtonState> states() const {
        return {bar.buttonState(0), bar.buttonState(1), bar.buttonState(2), bar.buttonState(3)};
    }

    windowtest::ApplicationFirst app;
    IconBar bar;
};

using S = ButtonState;

TEST_F(Toolbar, HoverShowsTheHintAndRaisesOnlyThatButton) {
    EXPECT_EQ(states(), (std::vector{S::Flat, S::Flat, S::Flat, S::Grey}));
    const char* hints[] = {"Load file", "Save file", "Preview report"};
    for (int i = 0; i < 3; ++i) {
        mouse(&bar, QEvent::MouseMove, centre(i));
        EXPECT_EQ(bar.StatusPanel->text(), hints[i]);
        EXPECT_EQ(bar.highlighted(), i);
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(bar.buttonState(j), i == j ? S::Raised : S::Flat);
        EXPECT_EQ(bar.buttonState(3), S::Grey);
    }
    mouse(&bar, QEvent::MouseMove, centre(3)); // a disabled button counts as the bare strip
    EXPECT_EQ(bar.StatusPanel->text(), "");
    EXPECT_EQ(bar.highlighted(), std::nullopt);
    EXPECT_EQ(states(), (std::vector{S::Flat, S::Flat, S::Flat, S::Grey}));

    mouse(&bar, QEvent::MouseMove, centre(1));
    QEvent leave(QEvent::Leave); // onto the window itself
    QApplication::sendEvent(&bar, &leave);
    EXPECT_EQ(bar.StatusPanel->text(), "");
    EXPECT_EQ(bar.buttonState(1), S::Flat);
}

TEST_F(Toolbar, ClickSinksTheButtonRunsTheActionFlatAndClearsTheHighlight) {
    std::vector<ButtonState> duringAction;
    QObject::connect(&bar, &IconBar::buttonClicked, [&](int) { duringAction = states(); });
    QSignalSpy clicked(&bar, &IconBar::buttonClicked);
    mouse(&bar, QEvent::MouseMove, centre(0));
    mouse(&bar, QEvent::MouseButtonPress, centre(0), Qt::LeftButton);
    EXPECT_EQ(bar.buttonState(0), S::Sunken);
    mouse(&bar, QEvent::MouseButtonRelease, centre(0), Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 0);
    EXPECT_EQ(duringAction, (std::vector{S::Flat, S::Flat, S::Flat, S::Grey}));
    EXPECT_EQ(bar.highlighted(), std::nullopt);

    mouse(&bar, QEvent::MouseButtonPress, centre(3), Qt::LeftButton); // disabled
    mouse(&bar, QEvent::MouseButtonRelease, centre(3), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(ToolbarPicture, EveryCellIsDrawnSharpAndTheStatesDiffer) {
    host::testApplication();
    for (qreal dpr : {1.0, 2.0}) {
        for (int b = 0; b < kToolbarButtonCount; ++b) {
            std::vector<QImage> cells;
            for (int s = 0; s < 4; ++s) {
                const QPixmap cell = toolbarCell(ToolbarImage(b), ButtonState(s), dpr);
                EXPECT_EQ(cell.size(), QSize(kToolbarCellWidth * dpr, kToolbarCellHeight * dpr));
                cells.push_back(cell.toImage());
            }
            for (int s = 1; s < 4; ++s)
                EXPECT_NE(cells[s], cells[0]) << "button " << b << " state " << s;
        }
    }
}

} // namespace
} // namespace ampleton
