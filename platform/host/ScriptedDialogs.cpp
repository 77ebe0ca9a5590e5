#include "platform/host/ScriptedDialogs.h"

namespace host {

ScriptedDialogs::ScriptedDialogs() : previous_(dialogResponder()) {
    setDialogResponder(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    setDialogResponder(previous_);
}

namespace {

std::optional<QString> takeName(std::deque<std::optional<QString>>& queue) {
    std::optional<QString> name;
    if (!queue.empty()) {
        name.swap(queue.front());
        queue.pop_front();
    }
    return name;
}

MsgAnswer firstButton(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::AbortRetryIgnore:
        return MsgAnswer::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
        return MsgAnswer::Retry;
    }
    return MsgAnswer::Ok;
}

} // namespace

MsgAnswer ScriptedDialogs::messageBox(const MessageBoxRequest& request) {
    messages.push_back(request);
    if (onMessage)
        onMessage(request);
    if (messageAnswers.empty())
        return firstButton(request.buttons);
    const MsgAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::fileDialog(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return takeName(fileAnswers);
}

std::optional<QString> ScriptedDialogs::folderDialog(const FolderDialogRequest& request) {
    folderDialogs.push_back(request);
    return takeName(folderAnswers);
}

std::optional<PrinterSetupChoice>
ScriptedDialogs::printerSetup(const PrinterSetupRequest& request) {
    printerSetups.push_back(request);
    std::optional<PrinterSetupChoice> choice;
    if (!printerSetupAnswers.empty()) {
        choice = printerSetupAnswers.front();
        printerSetupAnswers.pop_front();
    }
    return choice;
}

} // namespace host
