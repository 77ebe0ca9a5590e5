#pragma once
// Message boxes and common dialogs. Every one goes through a process-wide responder when one is
// installed, so that tests script the answer and read back what was shown; without one the real
// Qt dialog runs.

#include <QString>

#include <optional>

class QWidget;

namespace host {

struct PrinterSetupChoice;
struct PrinterSetupRequest;

// Values as the host environment numbers them.
enum class MsgButtons {
    Ok = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5
};
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    QString title;
    QString text; // lines may be separated by CR, LF or CR LF
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QString filter; // "Description|pattern|Description|pattern", patterns separated by ';'
    QString initialDir;
    QString defaultExt; // without the dot; appended to a name typed without an extension unless
                        // that name is an existing file
    bool promptOverwrite = false;
    bool fileMustExist = false;
    bool hideReadOnly = false;
};

struct FolderDialogRequest {
    QString title;
    QString initialDir;
};

// Answers the dialogs instead of the user. Returning no file name means the user cancelled.
class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    virtual MsgAnswer messageBox(const MessageBoxRequest& request) = 0;
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> folderDialog(const FolderDialogRequest& request) = 0;
    // Nothing: cancelled.
    virtual std::optional<PrinterSetupChoice> printerSetup(const PrinterSetupRequest& request);
};

// nullptr restores the real dialogs.
void setDialogResponder(DialogResponder* responder);
DialogResponder* dialogResponder();

MsgAnswer messageBox(QWidget* owner, const MessageBoxRequest& request);

// The full path of the chosen file, or nothing when cancelled.
std::optional<QString> fileDialog(QWidget* owner, const FileDialogRequest& request);

// The chosen folder, or nothing when cancelled.
std::optional<QString> folderDialog(QWidget* owner, const FolderDialogRequest& request);

// "Dwelling Files (*.dwl)|*.dwl" in the form Qt's file dialog lists.
QStringList qtNameFilters(const QString& filter);

// The name with ".ext" appended when it has no extension of its own.
QString withDefaultExtension(const QString& path, const QString& ext);

} // namespace host
