// dvrender: turns a document file into PDF or PNG pages, or prints it, without the preview.
//
//   dvrender DOC -o OUT.pdf                        every page through the built-in PDF printer
//   dvrender DOC --page N --width PX -o OUT.png    one page onto an image PX pixels wide
//   dvrender DOC --printer NAME                    every page through that printer
//
// --page N also limits the PDF and printer forms to one page. The renderer's messages are
// written to standard error instead of being shown.

#include "tools/dvrender/Dvrender.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Nothing is shown on screen, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    return dvrender::run(args);
}
