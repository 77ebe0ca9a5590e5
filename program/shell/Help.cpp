#include "program/shell/Help.h"

#include "platform/help/WinHelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QWidget>

namespace ampleton {

namespace {

// Kept by the help module for every call, as start-up set them.
struct HelpState {
    QPointer<QWidget> owner;
    QString file;
};

HelpState& state() {
    static HelpState s;
    return s;
}

} // namespace

QString helpFilePath(const QString& programFolder) {
    // Spaces around the folder are not part of it.
    const QString folder = programFolder.trimmed();
    const bool endsInSeparator =
        folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator());
    return endsInSeparator ? folder + QLatin1String(kHelpFileName)
                           : folder + QDir::separator() + QLatin1String(kHelpFileName);
}

QString helpFilePath() {
    if (state().file.isEmpty())
        return helpFilePath(QCoreApplication::applicationDirPath());
    return state().file;
}

void helpInit(QWidget* owner) {
    state().owner = owner;
    state().file = helpFilePath(QCoreApplication::applicationDirPath());
    help::setDefaultHelpFile(owner, state().file);
}

// The engine's answer is not examined: it reports its own failures in the help window.
void helpContents() {
    help::WinHelp(state().owner, helpFilePath(), help::HelpCommand::Contents);
}

void helpSearch() {
    help::WinHelp(state().owner, helpFilePath(), help::HelpCommand::PartialKey, QString());
}

void helpQuit() {
    help::WinHelp(state().owner, helpFilePath(), help::HelpCommand::Quit);
}

} // namespace ampleton
