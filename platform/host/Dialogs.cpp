#include "platform/host/Dialogs.h"

#include "platform/host/PrinterSetup.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace host {

namespace {

DialogResponder* gResponder = nullptr;

struct ButtonSpec {
    QMessageBox::StandardButton qt;
    MsgAnswer answer;
};

std::vector<ButtonSpec> buttonsOf(MsgButtons buttons) {
    using B = QMessageBox;
    switch (buttons) {
    case MsgButtons::Ok:
        return {{B::Ok, MsgAnswer::Ok}};
    case MsgButtons::OkCancel:
        return {{B::Ok, MsgAnswer::Ok}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{B::Abort, MsgAnswer::Abort},
                {B::Retry, MsgAnswer::Retry},
                {B::Ignore, MsgAnswer::Ignore}};
    case MsgButtons::YesNoCancel:
        return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::YesNo:
        return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}};
    case MsgButtons::RetryCancel:
        return {{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}};
    }
    return {{B::Ok, MsgAnswer::Ok}};
}

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString displayText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

std::optional<PrinterSetupChoice> DialogResponder::printerSetup(const PrinterSetupRequest&) {
    return std::nullopt;
}

void setDialogResponder(DialogResponder* responder) {
    gResponder = responder;
}

DialogResponder* dialogResponder() {
    return gResponder;
}

MsgAnswer messageBox(QWidget* owner, const MessageBoxRequest& request) {
    if (gResponder)
        return gResponder->messageBox(request);

    const auto buttons = buttonsOf(request.buttons);
    QMessageBox box(qtIcon(request.icon), request.title, displayText(request.text),
                    QMessageBox::NoButton, owner);
    for (const ButtonSpec& b : buttons)
        box.addButton(b.qt);
    box.setDefaultButton(buttons.front().qt);
    // Escape answers Cancel where there is one, else the only button.
    for (const ButtonSpec& b : buttons)
        if (b.answer == MsgAnswer::Cancel || buttons.size() == 1)
            box.setEscapeButton(b.qt);
    const auto clicked = QMessageBox::StandardButton(box.exec());
    for (const ButtonSpec& b : buttons)
        if (b.qt == clicked)
            return b.answer;
    return buttons.size() == 1 ? buttons.front().answer : MsgAnswer::Cancel;
}

QStringList qtNameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of the entry.
        out << (description.contains(QLatin1Char('(')) && description.contains(patterns)
                    ? description
                    : description + QLatin1String(" (") + patterns + QLatin1Char(')'));
    }
    return out;
}

QString withDefaultExtension(const QString& path, const QString& ext) {
    if (ext.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + ext;
}

std::optional<QString> fileDialog(QWidget* owner, const FileDialogRequest& request) {
    std::optional<QString> chosen;
    if (gResponder) {
        chosen = gResponder->fileDialog(request);
    } else {
        QFileDialog dialog(owner, request.title, request.initialDir);
        dialog.setNameFilters(qtNameFilters(request.filter));
        const bool open = request.kind == FileDialogKind::Open;
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(open && request.fileMustExist ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
        if (!request.defaultExt.isEmpty())
            dialog.setDefaultSuffix(request.defaultExt);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
        dialog.setOption(QFileDialog::ReadOnly, false);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front();
    }
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    // A name typed without extension gets the default one, unless it names a file as it stands.
    if (QFileInfo(*chosen).isFile())
        return chosen;
    return withDefaultExtension(*chosen, request.defaultExt);
}

std::optional<QString> folderDialog(QWidget* owner, const FolderDialogRequest& request) {
    std::optional<QString> chosen;
    if (gResponder) {
        chosen = gResponder->folderDialog(request);
    } else {
        const QString dir =
            QFileDialog::getExistingDirectory(owner, request.title, request.initialDir);
        if (!dir.isEmpty())
            chosen = dir;
    }
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace host
