#pragma once
// The help engine of the platform: one help window per process, shared by every caller, that shows
// a compiled Qt Help file with a contents page and a keyword search.

#include <QString>

class QWidget;

namespace help {

class HelpWindow;

// The commands of the help engine; the values are those the platform's help engine uses.
enum class HelpCommand {
    Quit = 2,         // close the help window
    Contents = 3,     // show the contents page
    PartialKey = 261, // search for a keyword; an empty keyword opens the search with nothing typed
};

// Carries out a help command for the help file. The owner places the window when it first
// opens; when the owner is destroyed the help window goes with it. Returns false when the command
// could not be carried out (the window itself reports a missing or damaged file).
bool WinHelp(QWidget* owner, const QString& helpFile, HelpCommand command,
             const QString& data = QString());

// Makes the help file the application's default help file: F1 in any window of the application
// then shows its contents. An empty file name turns F1 off again.
void setDefaultHelpFile(QWidget* owner, const QString& helpFile);

// The help window while it is open, else nullptr.
HelpWindow* helpWindow();

} // namespace help
