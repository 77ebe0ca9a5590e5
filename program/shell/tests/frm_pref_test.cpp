#include "program/dwelling/tests/WindowTesting.h"
#include "program/shell/Settings.h"
#include "program/shell/frmPref.h"

#include "platform/host/ScriptedDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ampleton {
namespace {

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid() && data.isValid());
        setProgramFolder(program.path().toStdString());
        settings() = Settings();
        settings().defaultDataDir = data.path().toStdString();
    }
    std::filesystem::path iniFile() const { return programFolder() / kSettingsFileName; }

    windowtest::ApplicationFirst app;
    QTemporaryDir program, data, other;
    host::ScriptedDialogs dialogs;
};

TEST_F(Preferences, SaveStoresTheFieldsAndTheShownFolderAndReadsBackWhole) {
    frmPref dialog;
    windowtest::showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    EXPECT_EQ(dialog.lblDefaultDataDir->text(), data.path()); // untouched lists keep the folder
    windowtest::typeInto(dialog.txtName, "Smith, Jones & Co.");
    windowtest::typeInto(dialog.txtCityState, "Spring\"field"); // a quote cannot be typed
    dialog.chkPrintHeader->setChecked(true);
    dialog.cmdPrefOk->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    Settings expected;
    expected.headerLines = {"Smith, Jones & Co.", "", "", "Springfield"};
    expected.drive = dialog.lblDrive->text().toStdString();
    expected.directory = expected.defaultDataDir = data.path().toStdString();
    expected.printHeader = 1;
    EXPECT_EQ(settings(), expected);
    Settings fromFile;
    ASSERT_TRUE(readSettings(iniFile(), fromFile));
    EXPECT_EQ(fromFile, expected);

    frmPref again; // opens with what was saved
    EXPECT_EQ(again.txtName->text(), "Smith, Jones & Co.");
    EXPECT_TRUE(again.chkPrintHeader->isChecked());
}

TEST_F(Preferences, HeaderLinesTakeFiftyCharacters) {
    frmPref dialog;
    windowtest::showActive(dialog);
    for (QLineEdit* line :
         {dialog.txtName, dialog.txtCompany, dialog.txtAddress, dialog.txtCityState}) {
        windowtest::typeInto(line, QString(51, u'x'));
        EXPECT_EQ(line->text(), QString(50, u'x'));
    }
}

TEST_F(Preferences, ChosenFolderBecomesTheDataDirectoryAndCancelChangesNothing) {
    {
        frmPref dialog;
        dialogs.folderAnswers = {other.path()};
        dialog.cmdChooseFolder->click();
        ASSERT_EQ(dialogs.folderDialogs.size(), 1u);
        EXPECT_EQ(dialogs.folderDialogs[0].initialDir, data.path());
        EXPECT_EQ(dialog.lblDefaultDataDir->text(), other.path());
        windowtest::typeInto(dialog.txtName, "changed");
        dialog.cmdPrefCancel->click();
    }
    EXPECT_EQ(settings().defaultDataDir, data.path().toStdString());
    EXPECT_EQ(settings().headerLines[0], "");
    EXPECT_FALSE(std::filesystem::exists(iniFile()));

    frmPref dialog;
    dialogs.folderAnswers = {other.path()};
    dialog.cmdChooseFolder->click();
    dialog.cmdPrefOk->click();
    EXPECT_EQ(settings().defaultDataDir, other.path().toStdString());
    EXPECT_EQ(settings().directory, other.path().toStdString());
}

TEST_F(Preferences, AFolderThatCannotBeOpenedShowsTheDiskErrorAndGoesBack) {
    frmPref dialog;
    dialogs.folderAnswers = {data.filePath("gone")};
    dialog.cmdChooseFolder->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Disk Error");
    EXPECT_EQ(dialogs.messages[0].text, "That path does not exist.");
    EXPECT_EQ(dialogs.messages[0].icon, host::MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].buttons, host::MsgButtons::Ok);
    EXPECT_EQ(dialog.directory(), data.path());
}

TEST_F(Preferences, AnUnwritableSettingsFileStillChangesTheSettingsSilently) {
    setProgramFolder(program.filePath("missing").toStdString());
    frmPref dialog;
    windowtest::typeInto(dialog.txtName, "New");
    dialog.cmdPrefOk->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(settings().headerLines[0], "New");
    EXPECT_EQ(QDir(program.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
}

} // namespace
} // namespace ampleton
