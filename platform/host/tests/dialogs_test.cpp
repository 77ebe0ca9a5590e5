#include "platform/host/Dialogs.h"
#include "platform/host/ScriptedDialogs.h"
#include "platform/host/TestApplication.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(QtNameFilters, DescriptionAndPatternBecomeOneEntry) {
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"Dwelling Files (*.dwl)|*.dwl", {"Dwelling Files (*.dwl)"}},
        {"Text|*.txt;*.log", {"Text (*.txt *.log)"}},
        {"Dwelling Files (*.dwl)|*.dwl|All Files|*", {"Dwelling Files (*.dwl)", "All Files (*)"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qtNameFilters(QString::fromLatin1(c.filter)), c.expected) << c.filter;
}

TEST(WithDefaultExtension, AppendsOnlyToANameWithoutExtension) {
    const struct {
        const char* path;
        const char* ext;
        const char* expected;
    } cases[] = {
        {"/d/house", "dwl", "/d/house.dwl"},     {"/d/house.dwl", "dwl", "/d/house.dwl"},
        {"/d/house.txt", "dwl", "/d/house.txt"}, {"/d/house", "", "/d/house"},
        {"/d.x/house", "dwl", "/d.x/house.dwl"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaultExtension(c.path, c.ext), QString::fromLatin1(c.expected)) << c.path;
}

TEST(ScriptedDialogs, RecordsWhatWasShownAndAnswersFromTheScript) {
    testApplication();
    ScriptedDialogs dialogs;
    dialogs.messageAnswers = {MsgAnswer::Cancel};
    const MessageBoxRequest quit{"Ampleton 97", "Quit to Windows?", MsgIcon::Question,
                                 MsgButtons::OkCancel};
    EXPECT_EQ(messageBox(nullptr, quit), MsgAnswer::Cancel);
    EXPECT_EQ(messageBox(nullptr, quit), MsgAnswer::Ok); // unscripted: the first button
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].title, "Ampleton 97");
    EXPECT_EQ(dialogs.messages[0].text, "Quit to Windows?");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::OkCancel);
}

TEST(ScriptedDialogs, FileDialogAppliesTheDefaultExtensionAndCancelGivesNothing) {
    testApplication();
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {QString("/tmp/house"), QString("/tmp/house"), QString()};
    FileDialogRequest open{FileDialogKind::Open,
                           "Open",
                           "Dwelling Files (*.dwl)|*.dwl",
                           "/tmp",
                           "dwl",
                           false,
                           true,
                           true};
    FileDialogRequest save = open;
    save.kind = FileDialogKind::Save;
    save.defaultExt.clear();
    EXPECT_EQ(fileDialog(nullptr, open), QString("/tmp/house.dwl"));
    EXPECT_EQ(fileDialog(nullptr, save), QString("/tmp/house"));
    EXPECT_EQ(fileDialog(nullptr, save), std::nullopt); // an empty name is a cancel
    EXPECT_EQ(fileDialog(nullptr, save), std::nullopt); // unscripted: cancelled
    ASSERT_EQ(dialogs.fileDialogs.size(), 4u);
    EXPECT_EQ(dialogs.fileDialogs[0].initialDir, "/tmp");
    EXPECT_TRUE(dialogs.fileDialogs[0].fileMustExist);
}

TEST(ScriptedDialogs, InnerScriptRestoresTheOuterOne) {
    ScriptedDialogs outer;
    {
        ScriptedDialogs inner;
        EXPECT_EQ(dialogResponder(), &inner);
    }
    EXPECT_EQ(dialogResponder(), &outer);
}

} // namespace
} // namespace host
