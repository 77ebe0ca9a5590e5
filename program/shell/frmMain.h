#pragma once
// The main window: a menu bar over an otherwise empty window. It opens the dwelling window, the
// preferences and the About window, and asks before the program ends.

#include <QMainWindow>

#include <filesystem>

class QAction;

namespace ampleton {

inline constexpr const char* kProgramTitle = "Ampleton 97";
inline constexpr const char* kQuitQuestion = "Quit to Windows?";

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain();

    QAction* mnuPrinterSetup;
    QAction* mnuPreferences;
    QAction* mnuExit;
    QAction* mnuDwelling;
    QAction* mnuCookingUnitDemand;
    QAction* mnuGroundElectrode;
    QAction* mnuServiceFeeder;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuAbout;

    // The quit question; true when answered OK.
    bool confirmQuit();

signals:
    // "Exit To Windows" was confirmed: the program ends at once.
    void exitToWindows();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The start-up steps over a created main window: prepare help, show it, make the program's folder current and
// load the settings.
void startAmpleton(frmMain& window, const std::filesystem::path& folder);

// `ampleton` without arguments: the main window until the user quits.
int runWindows(int& argc, char** argv);

} // namespace ampleton
