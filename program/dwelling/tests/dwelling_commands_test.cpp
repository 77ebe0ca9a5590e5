#include "program/dwelling/DwellingFile.h"
#include "program/dwelling/IconBar.h"
#include "program/dwelling/frmOneFam.h"
#include "program/dwelling/tests/WindowTesting.h"
#include "program/shell/Settings.h"

#include "platform/host/ScriptedDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ampleton {
namespace {

class DwellingFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings().defaultDataDir = dir.path().toStdString();
        windowtest::showActive(window);
    }
    QString path(const char* name) const { return dir.filePath(name); }
    void writeLines(const QString& file, const std::vector<std::string>& lines) const {
        std::ofstream out(file.toStdString(), std::ios::binary);
        for (const auto& l : lines)
            out << l << "\r\n";
    }
    std::vector<std::string> linesOf(const DwellingInput& in) const {
        std::istringstream all(formatDwellingFile(in));
        std::vector<std::string> lines;
        for (std::string l; std::getline(all, l);)
            lines.push_back(l.substr(0, l.size() - 1));
        return lines;
    }
    void fillWorkedDwelling() {
        const char* values[kEntryCount] = {"2400", "3",    "1",    "9000", "6000", "",     "12000",
                                           "",     "5500", "4500", "",     "",     "1200", "900",
                                           "",     "",     "",     "1500", "",     "300"};
        for (int i = 0; i < kEntryCount; ++i)
            window.Text1[i]->setText(values[i]);
        window.txtOthApp1->setText("Sauna \"Nordic\"");
        window.optOthApp1Motor[1]->setChecked(true);
        window.txtOthLight->setText("Yard");
        window.optOthLightCont[1]->setChecked(true);
        window.txtHeatType->setCurrentIndex(1);
        window.optNecMethod[1]->setChecked(true);
    }

    windowtest::ApplicationFirst app;
    QTemporaryDir dir;
    host::ScriptedDialogs dialogs;
    frmOneFam window;
};

TEST_F(DwellingFiles, SaveAndOpenRoundTripThroughTheToolbarDialogs) {
    fillWorkedDwelling();
    const DwellingInput saved = window.readInput();
    const QString vaBefore = window.lblNclVa->text();
    dialogs.fileAnswers = {path("house")};
    window.saveDwelling("Save File: Dwelling");
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    const auto& save = dialogs.fileDialogs[0];
    EXPECT_EQ(save.kind, host::FileDialogKind::Save);
    EXPECT_EQ(save.title, "Save File: Dwelling");
    EXPECT_EQ(save.filter, "Dwelling Files (*.dwl)|*.dwl");
    EXPECT_EQ(save.initialDir, dir.path());
    EXPECT_EQ(save.defaultExt, ""); // the name is taken as typed
    EXPECT_FALSE(save.promptOverwrite);
    EXPECT_TRUE(QFileInfo::exists(path("house"))); // no extension added
    EXPECT_FALSE(QFileInfo::exists(path("house.dwl")));
    EXPECT_TRUE(dialogs.messages.empty());

    frmOneFam other;
    windowtest::showActive(other);
    dialogs.fileAnswers = {path("house")};
    other.openDwelling("Open File: Dwelling");
    const auto& open = dialogs.fileDialogs[1];
    EXPECT_EQ(open.kind, host::FileDialogKind::Open);
    EXPECT_EQ(open.title, "Open File: Dwelling");
    EXPECT_EQ(open.defaultExt, "dwl");
    EXPECT_TRUE(open.fileMustExist);
    EXPECT_TRUE(open.hideReadOnly);
    EXPECT_EQ(other.readInput(), saved);
    EXPECT_EQ(other.lblNclVa->text(), vaBefore);
    EXPECT_EQ(QApplication::focusWidget(), other.Text1[0]);
    EXPECT_TRUE(other.txtOthApp1->isEnabled()); // the enabling rule ran with each field
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DwellingFiles, ToolbarButtonsOpenTheDialogsAndCancelDoesNothing) {
    const auto clickButton = [&](int i) {
        const QPoint at = window.IconBar->buttonRect(i).center();
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(
                type, QPointF(at), window.IconBar->mapToGlobal(QPointF(at)), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(window.IconBar, &e);
        }
    };
    clickButton(0);
    clickButton(1);
    ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, "Open File: Dwelling");
    EXPECT_EQ(dialogs.fileDialogs[1].title, "Save File: Dwelling");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window.readInput(), DwellingInput());
}

TEST_F(DwellingFiles, RefusedFilesKeepWhatWasAppliedBeforeTheFailingLine) {
    DwellingInput in;
    in.entryTexts[FloorArea] = "1500";
    in.entryTexts[OtherAppliance1] = "800";
    in.otherApp1.name = "Kiln";
    in.heatType = 2;
    const auto good = linesOf(in);

    auto replaced = [&](int line, std::string text) {
        auto l = good;
        l[line - 1] = std::move(text);
        return l;
    };
    const struct {
        const char* name;
        std::vector<std::string> lines;
        bool entriesApplied;
    } cases[] = {
        {"case.dwl", replaced(1, "\"Dwelling file\""), false},
        {"short.dwl", {good.begin(), good.begin() + 30}, true},
        {"heat.dwl", replaced(22, "\"Solar\""), true},
        {"flag.dwl", replaced(36, "maybe"), true},
    };
    for (const auto& c : cases) {
        frmOneFam fresh;
        windowtest::showActive(fresh);
        writeLines(path(c.name), c.lines);
        dialogs.messages.clear();
        dialogs.fileAnswers = {path(c.name)};
        fresh.openDwelling("Open File: Dwelling");
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.name;
        EXPECT_EQ(dialogs.messages[0].title, "ERROR");
        EXPECT_EQ(dialogs.messages[0].text.toStdString(),
                  "Error opening file: " + path(c.name).toStdString() +
                      ". Selected file appears not to be a valid dwelling file.");
        EXPECT_EQ(fresh.Text1[FloorArea]->text(), c.entriesApplied ? "1500" : "") << c.name;
        const bool nameApplied =
            c.name != std::string("case.dwl") && c.name != std::string("heat.dwl");
        EXPECT_EQ(fresh.txtOthApp1->text(), nameApplied ? "Kiln" : "") << c.name;
    }
}

TEST_F(DwellingFiles, EmptyNamesAndHeatTypeInTheFileKeepTheWindowsValues) {
    writeLines(path("plain.dwl"), linesOf(DwellingInput()));
    window.Text1[OtherAppliance1]->setText("100");
    window.txtOthApp1->setText("Kiln");
    window.txtHeatType->setCurrentIndex(3);
    dialogs.fileAnswers = {path("plain.dwl")};
    window.openDwelling("Open File: Dwelling");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window.Text1[OtherAppliance1]->text(), ""); // "" lines empty the fields
    EXPECT_EQ(window.txtOthApp1->text(), "Kiln");
    EXPECT_EQ(window.txtHeatType->currentIndex(), 3);
}

TEST_F(DwellingFiles, AFailedSaveSaysSoAndKeepsTheOldFile) {
    dialogs.fileAnswers = {path("missing/house.dwl"), path("old.dwl")};
    window.saveDwelling("Save File: Dwelling");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "ERROR");
    EXPECT_EQ(dialogs.messages[0].text,
              "Error saving file: " + path("missing/house.dwl") + ". File not saved.");

    // A directory where the file should go: nothing is replaced, nothing half-written stays.
    QDir(dir.path()).mkdir("old.dwl");
    window.saveDwelling("Save File: Dwelling");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

} // namespace
} // namespace ampleton
