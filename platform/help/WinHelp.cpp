#include "platform/help/WinHelp.h"

#include "platform/help/HelpWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace help {

namespace {

// The one help window of the process, like the platform's own help engine.
QPointer<HelpWindow>& theWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

// Places a new help window beside its owner, inside the owner's screen.
void place(HelpWindow& window, QWidget* owner) {
    if (!owner)
        return;
    const QRect ownerFrame = owner->window()->frameGeometry();
    QPoint at = ownerFrame.topLeft() + QPoint(40, 40);
    if (QScreen* screen = owner->window()->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - window.width())));
        at.setY(
            std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - window.height())));
    }
    window.move(at);
}

HelpWindow& openWindow(QWidget* owner) {
    QPointer<HelpWindow>& window = theWindow();
    if (!window) {
        // No Qt parent: the help window stays above no window of the program and closes with none;
        // only the end of its owner takes it away.
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (owner)
            QObject::connect(owner, &QObject::destroyed, window,
                             [help = QPointer<HelpWindow>(window)] { delete help.data(); });
        place(*window, owner);
    }
    return *window;
}

void raise(HelpWindow& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

// F1 anywhere in the application shows the default help file.
class HelpKey : public QObject {
public:
    HelpKey(QWidget* owner, const QString& file) : QObject(owner), owner_(owner), file_(file) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            WinHelp(owner_, file_, HelpCommand::Contents);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> owner_;
    QString file_;
};

QPointer<HelpKey>& theHelpKey() {
    static QPointer<HelpKey> key;
    return key;
}

} // namespace

bool WinHelp(QWidget* owner, const QString& helpFile, HelpCommand command, const QString& data) {
    switch (command) {
    case HelpCommand::Quit:
        if (HelpWindow* window = theWindow())
            window->close();
        return true;
    case HelpCommand::Contents: {
        HelpWindow& window = openWindow(owner);
        const bool opened = window.openFile(helpFile);
        window.showContents();
        raise(window);
        return opened;
    }
    case HelpCommand::PartialKey: {
        HelpWindow& window = openWindow(owner);
        const bool opened = window.openFile(helpFile);
        window.showSearch(data);
        raise(window);
        return opened;
    }
    }
    return false;
}

void setDefaultHelpFile(QWidget* owner, const QString& helpFile) {
    delete theHelpKey().data();
    if (helpFile.isEmpty() || !qApp)
        return;
    auto* key = new HelpKey(owner, helpFile);
    qApp->installEventFilter(key);
    theHelpKey() = key;
}

HelpWindow* helpWindow() {
    return theWindow();
}

} // namespace help
