#include "platform/help/HelpWindow.h"
#include "platform/help/WinHelp.h"
#include "platform/host/TestApplicationEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

using help::HelpCommand;
using help::HelpWindow;

const auto* const kApp =
    ::testing::AddGlobalTestEnvironment(new host::TestApplicationEnvironment<QApplication>);

const QString kSample = QStringLiteral(HELP_SAMPLE_FILE);

HelpWindow* readyWindow() {
    HelpWindow* window = help::helpWindow();
    if (window && window->isOpen() && !window->isReady()) {
        QSignalSpy ready(window, &HelpWindow::ready);
        ready.wait(10000);
    }
    return window;
}

QTabWidget* tabs(HelpWindow* w) {
    return w->findChild<QTabWidget*>("helpTabs");
}
QLineEdit* searchField(HelpWindow* w) {
    return w->findChild<QLineEdit*>("searchField");
}
QTextBrowser* browser(HelpWindow* w) {
    return w->findChild<QTextBrowser*>("helpBrowser");
}

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override {
        help::WinHelp(&owner, kSample, HelpCommand::Quit);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget owner;
};

TEST_F(HelpTest, ContentsListsTheTopicsAndShowsTheFirst) {
    EXPECT_TRUE(help::WinHelp(&owner, kSample, HelpCommand::Contents));
    HelpWindow* window = readyWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isReady());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->contentsTitles(),
              (QStringList{"Sample Help", "Second Topic", "Third Topic"}));
    EXPECT_EQ(window->windowTitle(), "Sample Help");
    EXPECT_EQ(tabs(window)->currentIndex(), 0);
    EXPECT_TRUE(window->currentTopic().toString().endsWith("/first.html"));
    EXPECT_TRUE(browser(window)->toPlainText().contains("The first page."));
}

TEST_F(HelpTest, LinksBetweenTopicsFollowInsideTheFile) {
    help::WinHelp(&owner, kSample, HelpCommand::Contents);
    HelpWindow* window = readyWindow();
    QTextBrowser* view = browser(window);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_TRUE(view->toPlainText().contains("All about apples."));
    EXPECT_TRUE(window->currentTopic().toString().endsWith("/second.html"));
    EXPECT_EQ(window->currentTopic().scheme(), "qthelp");
    // The contents follow the topic shown.
    EXPECT_EQ(window->findChild<QTreeView*>("contentsTree")->currentIndex().data().toString(),
              "Second Topic");
}

TEST_F(HelpTest, EmptyKeywordOpensTheSearchWithNothingTyped) {
    help::WinHelp(&owner, kSample, HelpCommand::Contents);
    HelpWindow* window = readyWindow();
    searchField(window)->setText("left over");
    EXPECT_TRUE(help::WinHelp(&owner, kSample, HelpCommand::PartialKey, QString()));
    EXPECT_EQ(tabs(window)->currentIndex(), 1);
    EXPECT_EQ(searchField(window)->text(), "");
    auto* keywords = window->findChild<QListView*>("keywordList");
    EXPECT_EQ(keywords->model()->rowCount(), 3); // apple, apricot, shared
}

TEST_F(HelpTest, KeywordSearch) {
    struct Case {
        QString keyword;
        QString topic; // empty: the search stays open without a new topic
    };
    const Case cases[] = {
        {"apple", "/second.html"},
        {"apricot", "/third.html#later"},
        {"ap", ""},
        {"zebra", ""},
    };
    for (const Case& c : cases) {
        help::WinHelp(&owner, kSample, HelpCommand::Contents);
        HelpWindow* window = readyWindow();
        help::WinHelp(&owner, kSample, HelpCommand::Contents);
        browser(window)->setSource(window->currentTopic().resolved(QUrl("first.html")));
        help::WinHelp(&owner, kSample, HelpCommand::PartialKey, c.keyword);
        EXPECT_EQ(tabs(window)->currentIndex(), 1) << c.keyword.toStdString();
        EXPECT_EQ(searchField(window)->text(), c.keyword);
        const QString shown = window->currentTopic().toString();
        EXPECT_TRUE(shown.endsWith(c.topic.isEmpty() ? QString("/first.html") : c.topic))
            << c.keyword.toStdString() << " " << shown.toStdString();
    }
}

TEST_F(HelpTest, TypingInTheSearchFieldAndEnterShowsTheTopic) {
    help::WinHelp(&owner, kSample, HelpCommand::PartialKey);
    HelpWindow* window = readyWindow();
    QTest::keyClicks(searchField(window), "apr");
    QTest::keyClick(searchField(window), Qt::Key_Return);
    EXPECT_TRUE(window->currentTopic().toString().endsWith("/third.html#later"));
}

TEST_F(HelpTest, KeywordOfSeveralTopicsListsThem) {
    help::WinHelp(&owner, kSample, HelpCommand::Contents);
    HelpWindow* window = readyWindow();
    ASSERT_TRUE(window->showKeyword("shared"));
    auto* topics = window->findChild<QListWidget*>("topicList");
    ASSERT_EQ(topics->count(), 2);
    EXPECT_FALSE(topics->isHidden());
    QStringList titles{topics->item(0)->text(), topics->item(1)->text()};
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Second Topic", "Third Topic"}));
}

TEST_F(HelpTest, QuitClosesTheWindow) {
    help::WinHelp(&owner, kSample, HelpCommand::Contents);
    QPointer<HelpWindow> window = readyWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(help::WinHelp(&owner, kSample, HelpCommand::Quit));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(help::helpWindow(), nullptr);
    // Quit without a window is harmless.
    EXPECT_TRUE(help::WinHelp(&owner, kSample, HelpCommand::Quit));
}

TEST_F(HelpTest, QuitWhileTheFileIsStillBeingReadIsSafe) {
    for (int i = 0; i < 5; ++i) {
        help::WinHelp(&owner, kSample, HelpCommand::Contents);
        help::WinHelp(&owner, kSample, HelpCommand::Quit);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(help::helpWindow(), nullptr);
    }
}

TEST_F(HelpTest, OwnerGoingClosesTheWindow) {
    auto owner = std::make_unique<QWidget>();
    help::WinHelp(owner.get(), kSample, HelpCommand::Contents);
    QPointer<HelpWindow> window = help::helpWindow();
    ASSERT_TRUE(window);
    owner.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
}

TEST_F(HelpTest, MissingOrDamagedFileIsReportedInTheWindow) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("NOWHERE.HLP");
    const QString damaged = dir.filePath("DAMAGED.HLP");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a help file\n");
    file.close();
    const QString empty = dir.filePath("EMPTY.HLP");
    QFile(empty).open(QIODevice::WriteOnly);

    for (const QString& path : {missing, damaged, empty}) {
        for (HelpCommand command : {HelpCommand::Contents, HelpCommand::PartialKey}) {
            EXPECT_FALSE(help::WinHelp(&owner, path, command));
            HelpWindow* window = help::helpWindow();
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(window->isVisible());
            EXPECT_FALSE(window->isOpen());
            EXPECT_TRUE(window->errorText().contains(QDir::toNativeSeparators(path)));
            EXPECT_TRUE(browser(window)->toPlainText().contains(window->errorText()));
        }
    }
    // A good file opens in the same window afterwards.
    EXPECT_TRUE(help::WinHelp(&owner, kSample, HelpCommand::Contents));
    EXPECT_TRUE(readyWindow()->isReady());
    EXPECT_TRUE(help::helpWindow()->errorText().isEmpty());
}

TEST_F(HelpTest, FileWithoutTopicsIsReported) {
    const QString file = QStringLiteral(HELP_NO_TOPICS_FILE);
    help::WinHelp(&owner, file, HelpCommand::Contents);
    HelpWindow* window = help::helpWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->errorText().isEmpty(); }, 10000));
    EXPECT_TRUE(window->errorText().contains("no topics"));
    EXPECT_FALSE(window->isOpen());
}

TEST_F(HelpTest, F1OpensTheDefaultHelpFile) {
    auto* field = new QLineEdit(&owner);
    owner.show();
    help::setDefaultHelpFile(&owner, kSample);
    QTest::keyClick(field, Qt::Key_F1);
    HelpWindow* window = readyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->file(), kSample);
    EXPECT_EQ(tabs(window)->currentIndex(), 0);
    EXPECT_TRUE(field->text().isEmpty());
    help::setDefaultHelpFile(&owner, QString());
    help::WinHelp(&owner, kSample, HelpCommand::Quit);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(help::helpWindow(), nullptr);
}

TEST_F(HelpTest, HelpStaysUsableOverAModalWindow) {
    owner.show();
    QDialog modal(&owner);
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&modal));
    help::WinHelp(&modal, kSample, HelpCommand::PartialKey);
    HelpWindow* window = readyWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    searchField(window)->setFocus();
    QCoreApplication::processEvents();
    // Keys through the window system are dropped for a window that a modal window blocks.
    QTest::keyClick(window->windowHandle(), Qt::Key_A);
    QTest::keyClick(window->windowHandle(), Qt::Key_P);
    EXPECT_EQ(searchField(window)->text(), "ap");
}

TEST_F(HelpTest, HelpOpenBeforeAModalWindowStaysUsable) {
    owner.show();
    help::WinHelp(&owner, kSample, HelpCommand::PartialKey);
    HelpWindow* window = readyWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    {
        QDialog modal(&owner);
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&modal));
        QCoreApplication::processEvents();
        searchField(window)->setFocus();
        QTest::keyClick(window->windowHandle(), Qt::Key_A);
        EXPECT_EQ(searchField(window)->text(), "a");
        modal.hide();
        QCoreApplication::processEvents();
        EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);
    }
    QTest::keyClick(window->windowHandle(), Qt::Key_P);
    EXPECT_EQ(searchField(window)->text(), "ap");
}

} // namespace
