#include "program/dwelling/LoadCalculation.h"
#include "program/dwelling/ResultValid.h"
#include "program/dwelling/frmOneFam.h"
#include "program/dwelling/tests/WindowTesting.h"

#include "platform/host/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace ampleton {
namespace {

using windowtest::press;
using windowtest::settle;
using windowtest::typeInto;

const QString kValidation = "Only numbers accepted.\rNo spaces or decimals allowed.";

class DwellingWindow : public ::testing::Test {
protected:
    void SetUp() override { windowtest::showActive(window); }
    windowtest::ApplicationFirst app;
    host::ScriptedDialogs dialogs;
    frmOneFam window;
};

TEST_F(DwellingWindow, OpensEmptyWithTheDefaults) {
    EXPECT_EQ(window.windowTitle(), "OneFamily Dwelling");
    EXPECT_EQ(window.readInput(), DwellingInput());
    EXPECT_EQ(window.lblNclVa->text(), "");
    EXPECT_EQ(window.txtHeatType->count(), 4);
    EXPECT_EQ(window.txtHeatType->currentIndex(), -1);
    for (int i = 0; i < kEntryCount; ++i)
        EXPECT_EQ(window.Label1[i]->text().toStdString(), kEntryCaptions[i]);
    EXPECT_FALSE(window.mnuPreview->isEnabled()); // report output is not there yet
    EXPECT_FALSE(window.mnuPrint->isEnabled());
}

TEST_F(DwellingWindow, NumericFieldsRefuseWhatIsNotAWholeNumber) {
    const struct {
        int entry;
        const char* typed;
        const char* remains;
        std::size_t messages;
    } cases[] = {
        {FloorArea, "12a", "12", 1},     {FloorArea, "1.5", "15", 1},
        {FloorArea, "-12", "12", 1}, // "-" alone is no number yet       {Cooktop, "a1", "1", 1},
        {Cooktop, "123456", "12345", 0}, {SmallApplianceCircuits, "123", "12", 0},
        {FloorArea, "1 2", "1 ", 1}, // spaces around a number are allowed
    };
    for (const auto& c : cases) {
        QLineEdit* field = window.Text1[c.entry];
        field->clear();
        dialogs.messages.clear();
        typeInto(field, c.typed);
        EXPECT_EQ(field->text(), QString(c.remains)) << c.typed;
        ASSERT_EQ(dialogs.messages.size(), c.messages) << c.typed;
        for (const auto& m : dialogs.messages) {
            EXPECT_EQ(m.title, "ERROR");
            EXPECT_EQ(m.text, kValidation);
            EXPECT_EQ(m.icon, host::MsgIcon::Exclamation);
            EXPECT_EQ(m.buttons, host::MsgButtons::Ok);
        }
    }
}

TEST_F(DwellingWindow, OneRecalculationRunsWithTheBadTextBeforeTheBackspace) {
    QLineEdit* field = window.Text1[WaterHeater];
    typeInto(field, "700");
    EXPECT_EQ(window.lblNclVa->text(), "700");
    std::vector<QString> textAtMessage;
    dialogs.onMessage = [&](const host::MessageBoxRequest&) {
        textAtMessage.push_back(field->text());
    };
    field->setCursorPosition(1);
    QTest::keyClick(field, Qt::Key_A);
    EXPECT_EQ(window.lblNclVa->text(), "7"); // "7a00" counts as its leading number
    settle();
    EXPECT_EQ(field->text(), "700"); // the Backspace removed the character before the caret
    EXPECT_EQ(window.lblNclVa->text(), "700");
    EXPECT_EQ(textAtMessage, std::vector<QString>{"7a00"});
}

TEST_F(DwellingWindow, EnterDownAndUpMoveThroughTheFieldsWithWrapAround) {
    const struct {
        int from;
        Qt::Key key;
        int to;
    } cases[] = {
        {19, Qt::Key_Return, 0}, {19, Qt::Key_Enter, 0},  {0, Qt::Key_Up, 19},
        {4, Qt::Key_Down, 5},    {9, Qt::Key_Return, 10}, {10, Qt::Key_Up, 9},
    };
    for (const auto& c : cases) {
        window.Text1[c.from]->setFocus();
        window.Text1[c.from]->setText("12");
        press(window.Text1[c.from], c.key);
        EXPECT_EQ(QApplication::focusWidget(), window.Text1[c.to]) << c.from << " " << c.key;
        EXPECT_EQ(window.Text1[c.from]->text(), "12"); // no character reached the field
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DwellingWindow, OtherLoadControlsAreEnabledOnlyWhileTheirEntryHoldsText) {
    const struct {
        int entry;
        std::vector<QWidget*> controls;
    } cases[] = {
        {OtherAppliance1,
         {window.txtOthApp1, window.optOthApp1Motor[0], window.optOthApp1Motor[1],
          window.optOthApp1Fixed[0], window.optOthApp1Fixed[1]}},
        {OtherAppliance2,
         {window.txtOthApp2, window.optOthApp2Motor[0], window.optOthApp2Motor[1],
          window.optOthApp2Fixed[0], window.optOthApp2Fixed[1]}},
        {OtherLighting, {window.txtOthLight, window.optOthLightCont[0], window.optOthLightCont[1]}},
    };
    for (const auto& c : cases) {
        auto enabled = [&] {
            for (QWidget* w : c.controls)
                if (w->isEnabled() != c.controls.front()->isEnabled())
                    ADD_FAILURE() << "controls of entry " << c.entry << " disagree";
            return c.controls.front()->isEnabled();
        };
        EXPECT_FALSE(enabled()) << c.entry;
        typeInto(window.Text1[c.entry], "1500");
        EXPECT_TRUE(enabled()) << c.entry;
        window.Text1[c.entry]->clear();
        EXPECT_FALSE(enabled()) << c.entry;
    }
}

TEST_F(DwellingWindow, EveryTriggerRecalculates) {
    const struct {
        const char* what;
        std::function<void()> act;
    } triggers[] = {
        {"numeric field change",
         [&] {
             typeInto(window.Text1[FloorArea], "1");
         }},
        {"numeric field loses the focus",
         [&] {
             window.Text1[Cooktop]->setFocus(Qt::TabFocusReason);
         }},
        {"method option",
         [&] {
             window.optNecMethod[1]->click();
         }},
        {"motor option",
         [&] {
             window.optOthApp1Motor[1]->setChecked(true);
         }},
        {"fixed option",
         [&] {
             window.optOthApp2Fixed[1]->setChecked(true);
         }},
        {"continuous option",
         [&] {
             window.optOthLightCont[1]->setChecked(true);
         }},
        {"heat type",
         [&] {
             window.txtHeatType->setCurrentIndex(2);
         }},
        {"name",
         [&] {
             window.txtOthApp1->setText("Sauna");
         }},
        {"lighting name",
         [&] {
             window.txtOthLight->setText("Yard");
         }},
    };
    for (const auto& t : triggers) {
        resultValid() = false;
        t.act();
        EXPECT_TRUE(resultValid()) << t.what;
    }
}

TEST_F(DwellingWindow, ShowsTheNetComputedLoadRoundedHalfToEven) {
    typeInto(window.Text1[FloorArea], "1500");
    typeInto(window.Text1[SmallApplianceCircuits], "2");
    typeInto(window.Text1[LaundryCircuits], "1");
    typeInto(window.Text1[Dryer], "19020");
    EXPECT_EQ(window.lblNclVa->text(), "24120");
    EXPECT_EQ(window.lblNclAmps->text(), "100"); // 100.5 A
}

TEST_F(DwellingWindow, DryerMessageWaitsUntilTheFocusLeavesTheDryerField) {
    std::vector<QWidget*> focusAtMessage;
    dialogs.onMessage = [&](const host::MessageBoxRequest&) {
        focusAtMessage.push_back(QApplication::focusWidget());
    };
    typeInto(window.Text1[Dryer], "4000");
    EXPECT_TRUE(dialogs.messages.empty()); // still typing in the dryer field
    EXPECT_EQ(window.lblNclVa->text(), "4000");

    press(window.Text1[Dryer], Qt::Key_Return);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "ERROR");
    EXPECT_EQ(dialogs.messages[0].text.toStdString(), kDryerMinimumMessage);
    EXPECT_EQ(focusAtMessage, std::vector<QWidget*>{window.Text1[WaterHeater]});
    EXPECT_EQ(window.Text1[Dryer]->text(), "5000");
    EXPECT_EQ(QApplication::focusWidget(), window.Text1[Dryer]);
    EXPECT_EQ(window.lblNclVa->text(), "5000");
}

TEST_F(DwellingWindow, DryerMinimumOnlyInTheStandardMethod) {
    window.optNecMethod[1]->click();
    typeInto(window.Text1[Dryer], "4000");
    press(window.Text1[Dryer], Qt::Key_Down);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window.Text1[Dryer]->text(), "4000");

    window.Text1[FloorArea]->setFocus();
    window.optNecMethod[0]->setChecked(true); // back to Standard, focus elsewhere
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(window.Text1[Dryer]->text(), "5000");
}

TEST_F(DwellingWindow, ExitClosesWithoutAQuestion) {
    window.mnuExit->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace ampleton
