#include "program/shell/frmMain.h"

#include "platform/host/Dialogs.h"
#include "platform/host/PrinterSetup.h"
#include "program/dwelling/frmOneFam.h"
#include "program/shell/Help.h"
#include "program/shell/Settings.h"
#include "program/shell/frmAboutAmpleton.h"
#include "program/shell/frmPref.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace ampleton {

frmMain::frmMain() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuPrinterSetup = file->addAction(QStringLiteral("&Printer Setup"));
    mnuPreferences = file->addAction(QStringLiteral("Pre&ferences"));
    file->addSeparator();
    mnuExit = file->addAction(QStringLiteral("&Exit To Windows"));

    // The menu title itself is the command.
    mnuDwelling = menuBar()->addAction(QStringLiteral("&Dwelling"));

    QMenu* reference = menuBar()->addMenu(QStringLiteral("&Reference"));
    mnuCookingUnitDemand = reference->addAction(QStringLiteral("&Cooking Unit Demand Loads"));
    mnuGroundElectrode = reference->addAction(QStringLiteral("&Grounding Electrode Conductors"));
    mnuServiceFeeder = reference->addAction(QStringLiteral("&Service/Feeder Conductors"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpContents = help->addAction(QStringLiteral("&Contents"));
    mnuHelpSearch = help->addAction(QStringLiteral("&Search For Help On..."));
    help->addSeparator();
    mnuAbout = help->addAction(QStringLiteral("&About Ampleton 97"));

    // Not available yet: the reference tables come with the report output.
    for (QAction* pending : {mnuCookingUnitDemand, mnuGroundElectrode, mnuServiceFeeder})
        pending->setEnabled(false);

    // Failures and cancel are ignored.
    connect(mnuPrinterSetup, &QAction::triggered, this, [this] { host::printerSetup(this); });

    connect(mnuPreferences, &QAction::triggered, this, [this] { showPreferences(this); });
    connect(mnuExit, &QAction::triggered, this, [this] {
        if (confirmQuit())
            emit exitToWindows();
    });
    connect(mnuDwelling, &QAction::triggered, this, [this] { showDwellingWindow(this); });
    connect(mnuHelpContents, &QAction::triggered, this, [] { helpContents(); });
    connect(mnuHelpSearch, &QAction::triggered, this, [] { helpSearch(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { showAbout(this); });

    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("frmMainClient"));
    auto* layout = new QVBoxLayout(client);
    auto* title = new QLabel(QString::fromLatin1(kProgramTitle));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);
    auto* line = new QLabel(QStringLiteral("Dwelling service load by the NEC methods"));
    for (QLabel* l : {title, line}) {
        l->setAlignment(Qt::AlignCenter);
        l->setForegroundRole(QPalette::PlaceholderText);
    }
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addStretch();
    setCentralWidget(client);
    resize(640, 420);
}

bool frmMain::confirmQuit() {
    return host::messageBox(this, {QString::fromLatin1(kProgramTitle),
                                   QString::fromLatin1(kQuitQuestion), host::MsgIcon::Question,
                                   host::MsgButtons::OkCancel}) == host::MsgAnswer::Ok;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!confirmQuit()) {
        event->ignore();
        return;
    }
    helpQuit();
    event->accept();
}

void startAmpleton(frmMain& window, const std::filesystem::path& folder) {
    helpInit(&window);
    setProgramFolder(folder);
    window.show();
    QDir::setCurrent(QString::fromStdString(folder.string()));
    loadStartupSettings(folder, settings());
}

int runWindows(int& argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
    frmMain window;
    QObject::connect(&window, &frmMain::exitToWindows, &app, [] { QApplication::exit(0); });
    startAmpleton(window, std::filesystem::path(QApplication::applicationDirPath().toStdString()));
    return app.exec();
}

} // namespace ampleton
