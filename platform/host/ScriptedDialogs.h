#pragma once
// A dialog responder for tests: installed for its lifetime, it records every dialog shown and
// answers from scripted queues. An unscripted message box answers its first button; an unscripted
// file or folder dialog is cancelled.

#include "platform/host/Dialogs.h"
#include "platform/host/PrinterSetup.h"

#include <deque>
#include <functional>
#include <vector>

namespace host {

class ScriptedDialogs : public DialogResponder {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    MsgAnswer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    std::optional<QString> folderDialog(const FolderDialogRequest& request) override;
    std::optional<PrinterSetupChoice> printerSetup(const PrinterSetupRequest& request) override;

    std::deque<MsgAnswer> messageAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<PrinterSetupChoice>> printerSetupAnswers;
    // Runs while a message box is "open", before it is answered.
    std::function<void(const MessageBoxRequest&)> onMessage;

    std::vector<MessageBoxRequest> messages;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<FolderDialogRequest> folderDialogs;
    std::vector<PrinterSetupRequest> printerSetups;

private:
    DialogResponder* previous_;
};

} // namespace host
