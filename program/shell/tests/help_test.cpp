#include "program/shell/Help.h"

#include "platform/help/HelpWindow.h"
#include "platform/help/WinHelp.h"
#include "platform/host/TestApplicationEnvironment.h"
#include "program/reports/ReferenceTables.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

const auto* const kApp =
    ::testing::AddGlobalTestEnvironment(new host::TestApplicationEnvironment<QApplication>);

help::HelpWindow* readyWindow() {
    help::HelpWindow* window = help::helpWindow();
    if (window && window->isOpen() && !window->isReady()) {
        QSignalSpy ready(window, &help::HelpWindow::ready);
        ready.wait(10000);
    }
    return window;
}

QTextBrowser* browser(help::HelpWindow* w) {
    return w->findChild<QTextBrowser*>("helpBrowser");
}

// The page of a topic as the help window shows it.
QString shownText(help::HelpWindow* window, const QString& page) {
    browser(window)->setSource(window->currentTopic().resolved(QUrl(page)));
    return browser(window)->toPlainText();
}

class ProgramHelp : public ::testing::Test {
protected:
    void SetUp() override { ampleton::helpInit(&mainWindow); }
    void TearDown() override {
        ampleton::helpQuit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget mainWindow;
};

TEST(HelpFilePath, FollowsTheProgramFolder) {
    const QString sep = QDir::separator();
    struct Case {
        QString folder, path;
    };
    const Case cases[] = {
        {sep + "opt" + sep + "amp", sep + "opt" + sep + "amp" + sep + "AMPLETON.HLP"},
        {sep + "opt" + sep + "amp" + sep, sep + "opt" + sep + "amp" + sep + "AMPLETON.HLP"},
        {sep, sep + "AMPLETON.HLP"},
        {"  " + sep + "opt" + sep + "amp  ", sep + "opt" + sep + "amp" + sep + "AMPLETON.HLP"},
        {" " + sep + " ", sep + "AMPLETON.HLP"},
        {"/opt/amp/", "/opt/amp/AMPLETON.HLP"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ampleton::helpFilePath(c.folder), c.path) << c.folder.toStdString();
}

TEST_F(ProgramHelp, InitSetsTheFileBesideTheProgram) {
    const QString expected =
        QCoreApplication::applicationDirPath() + QDir::separator() + "AMPLETON.HLP";
    EXPECT_EQ(ampleton::helpFilePath(), expected);
    EXPECT_TRUE(QFileInfo(expected).isFile()) << "the build makes the help file";
}

TEST_F(ProgramHelp, ContentsListsEveryTopicAndEachPageOpens) {
    ampleton::helpContents();
    help::HelpWindow* window = readyWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isReady()) << window->errorText().toStdString();
    EXPECT_EQ(window->windowTitle(), "Ampleton 97 Help");
    EXPECT_EQ(window->findChild<QTabWidget*>("helpTabs")->currentIndex(), 0);
    EXPECT_TRUE(browser(window)->toPlainText().startsWith("Ampleton 97 Help"));

    const QStringList titles = window->contentsTitles();
    for (const char* topic : {"Ampleton 97 Help",
                              "The Main Window",
                              "The Dwelling Window",
                              "Dwelling Entries",
                              "Other Appliances and Other Lighting",
                              "Keys and the Toolbar",
                              "NEC Calculation Methods",
                              "Standard Method",
                              "Cooking Equipment Demand Load",
                              "Optional Method",
                              "Addition to Existing Dwelling",
                              "Net Computed Load and Service Size",
                              "Dwelling Files",
                              "The Dwelling Load Report",
                              "Preferences and the Settings File",
                              "Reference Tables",
                              "Cooking Unit Demand Loads",
                              "Grounding Electrode Conductors",
                              "Service/Feeder Conductors",
                              "Messages"})
        EXPECT_TRUE(titles.contains(topic)) << topic;

    // Every entry of the contents opens a page headed by its own title, with every text filled in.
    auto* tree = window->findChild<QTreeView*>("contentsTree");
    tree->expandAll();
    int pages = 0;
    for (QModelIndex index = tree->model()->index(0, 0); index.isValid();
         index = tree->indexBelow(index), ++pages) {
        emit tree->activated(index);
        const QString text = browser(window)->toPlainText();
        EXPECT_TRUE(text.startsWith(index.data().toString()))
            << index.data().toString().toStdString();
        EXPECT_FALSE(text.contains("{{")) << index.data().toString().toStdString();
    }
    EXPECT_EQ(pages, titles.size());
}

TEST_F(ProgramHelp, SearchOpensWithAnEmptyKeywordAndFindsTopics) {
    ampleton::helpSearch();
    help::HelpWindow* window = readyWindow();
    ASSERT_TRUE(window && window->isReady());
    EXPECT_EQ(window->findChild<QTabWidget*>("helpTabs")->currentIndex(), 1);
    auto* field = window->findChild<QLineEdit*>("searchField");
    EXPECT_EQ(field->text(), "");

    QTest::keyClicks(field, "Ampleton.i");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(window->currentTopic().toString().endsWith("/preferences.html"));
    EXPECT_TRUE(window->showKeyword("Net Computed Load"));
    EXPECT_TRUE(window->currentTopic().toString().endsWith("/net_load.html"));
    EXPECT_TRUE(window->showKeyword("Dwelling Square Ft."));
    EXPECT_TRUE(window->currentTopic().toString().endsWith("/entries.html"));
}

TEST_F(ProgramHelp, ReferenceTablesQuoteTheProgramsTables) {
    ampleton::helpContents();
    help::HelpWindow* window = readyWindow();
    ASSERT_TRUE(window && window->isReady());
    struct Case {
        std::string_view key;
        const char* page;
    };
    for (const Case& c : {Case{ampleton::kCookingUnitDemandKey, "ref_cooking.html"},
                          Case{ampleton::kGroundElectrodeKey, "ref_grounding.html"},
                          Case{ampleton::kNote3Key, "ref_conductors.html"}}) {
        const QString text = shownText(window, c.page);
        const auto lines = ampleton::buildReferenceTable(c.key);
        ASSERT_TRUE(lines);
        for (const std::string& line : *lines) {
            QString expected = QString::fromStdString(line);
            while (expected.endsWith('\t'))
                expected.chop(1);
            expected.replace('\t', "     ");
            EXPECT_TRUE(text.contains(expected)) << c.page << ": " << line;
        }
    }
    EXPECT_TRUE(shownText(window, "ref_conductors.html")
                    .contains("Service Size     Copper         Aluminum Or Copper Clad"));
}

TEST_F(ProgramHelp, QuitClosesTheHelpWindow) {
    ampleton::helpContents();
    QPointer<help::HelpWindow> window = readyWindow();
    ASSERT_TRUE(window && window->isVisible());
    ampleton::helpQuit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
}

TEST_F(ProgramHelp, F1OpensTheContents) {
    auto* field = new QLineEdit(&mainWindow);
    mainWindow.show();
    QTest::keyClick(field, Qt::Key_F1);
    help::HelpWindow* window = readyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->file(), ampleton::helpFilePath());
    EXPECT_EQ(window->findChild<QTabWidget*>("helpTabs")->currentIndex(), 0);
}

} // namespace
