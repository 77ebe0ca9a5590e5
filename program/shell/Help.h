#pragma once
// The program's help: the help file AMPLETON.HLP in the program's folder, shown by the platform's
// help engine. helpInit runs once at start-up; the Help menus call the others.

#include <QString>

class QWidget;

namespace ampleton {

inline constexpr char kHelpFileName[] = "AMPLETON.HLP";

// Remembers the owner window, sets the help file path from the program's folder and makes the file
// the default help file, so F1 in any window shows its contents.
void helpInit(QWidget* owner);
// "&Contents": the contents page.
void helpContents();
// "&Search For Help On...": the keyword search with nothing typed.
void helpSearch();
// The main window closing: the help window closes.
void helpQuit();

// The help file of a program folder: the folder, a separator unless the folder already ends in one
// (surrounding spaces ignored), and AMPLETON.HLP.
QString helpFilePath(const QString& programFolder);
// The help file path set by helpInit (before it: the one of the program's folder).
QString helpFilePath();

} // namespace ampleton
