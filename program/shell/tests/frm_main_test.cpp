#include "program/dwelling/frmOneFam.h"
#include "program/dwelling/tests/WindowTesting.h"
#include "program/shell/Settings.h"
#include "program/shell/frmAboutAmpleton.h"
#include "program/shell/frmMain.h"
#include "program/shell/frmPref.h"

#include "platform/host/ScriptedDialogs.h"
#include "platform/host/printer/Printer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ampleton {
namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        settings() = Settings();
        startAmpleton(window, folder.path().toStdString());
    }
    template <class T> T* openChild() const {
        const auto found = window.findChildren<T*>();
        return found.isEmpty() ? nullptr : found.back();
    }

    windowtest::ApplicationFirst app;
    QTemporaryDir folder;
    host::ScriptedDialogs dialogs;
    frmMain window;
};

TEST_F(MainWindow, StartsInTheProgramsFolderWithItsMenus) {
    EXPECT_EQ(window.windowTitle(), "Ampleton 97");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QDir::currentPath(), QDir(folder.path()).canonicalPath());
    EXPECT_EQ(settings().defaultDataDir, folder.path().toStdString());
    QStringList menus;
    for (QAction* a : window.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Dwelling", "&Reference", "&Help"}));
    EXPECT_EQ(window.mnuDwelling->menu(), nullptr); // the title itself is the command
}

TEST_F(MainWindow, QuitQuestionFromTheMenuAnsweredBothWays) {
    QSignalSpy exits(&window, &frmMain::exitToWindows);
    dialogs.messageAnswers = {host::MsgAnswer::Cancel, host::MsgAnswer::Ok};
    window.mnuExit->trigger();
    EXPECT_EQ(exits.count(), 0);
    window.mnuExit->trigger();
    EXPECT_EQ(exits.count(), 1);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].title, "Ampleton 97");
    EXPECT_EQ(dialogs.messages[0].text, "Quit to Windows?");
    EXPECT_EQ(dialogs.messages[0].buttons, host::MsgButtons::OkCancel);
}

TEST_F(MainWindow, QuitQuestionFromTheCloseCommandAnsweredBothWays) {
    dialogs.messageAnswers = {host::MsgAnswer::Cancel, host::MsgAnswer::Ok};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(MainWindow, EachOpeningOfTheDwellingWindowStartsEmpty) {
    window.mnuDwelling->trigger();
    frmOneFam* first = openChild<frmOneFam>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isModal());
    first->Text1[0]->setText("1500");
    QPointer<frmOneFam> gone(first);
    first->mnuExit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull()); // discarded on closing

    window.mnuDwelling->trigger();
    frmOneFam* second = openChild<frmOneFam>();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->readInput(), DwellingInput());
    second->close();
}

TEST_F(MainWindow, PreferencesAndAboutOpenModally) {
    window.mnuPreferences->trigger();
    frmPref* pref = openChild<frmPref>();
    ASSERT_NE(pref, nullptr);
    EXPECT_TRUE(pref->isModal());
    pref->cmdPrefCancel->click();

    window.mnuAbout->trigger();
    frmAboutAmpleton* about = openChild<frmAboutAmpleton>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isModal());
    EXPECT_FALSE(about->findChildren<QLabel*>().isEmpty());
    EXPECT_EQ(about->findChildren<QLabel*>().front()->text(), "Ampleton 97  ver1.0");
    EXPECT_EQ(about->cmdAccept->text(), "Accept");
    about->cmdAccept->click();
    EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindow, PrinterSetupFromBothWindowsSetsTheApplicationsPrinter) {
    host::setPrinterSources(host::PrinterSources::PdfOnly);
    ASSERT_TRUE(host::printer().select(host::kPdfPrinterName));
    dialogs.printerSetupAnswers = {
        host::PrinterSetupChoice{host::kPdfPrinterName, 5, host::Orientation::Landscape}};
    window.mnuPrinterSetup->trigger();
    EXPECT_EQ(host::printer().orientation(), host::Orientation::Landscape);
    EXPECT_EQ(host::printer().paperSize(), 5);

    window.mnuDwelling->trigger();
    frmOneFam* dwelling = openChild<frmOneFam>();
    ASSERT_NE(dwelling, nullptr);
    dwelling->mnuPrinterSetup->trigger(); // cancelled: nothing changes
    EXPECT_EQ(dialogs.printerSetups.size(), 2u);
    EXPECT_EQ(host::printer().orientation(), host::Orientation::Landscape);
    dwelling->close();
}

} // namespace
} // namespace ampleton
