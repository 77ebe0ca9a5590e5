#include "platform/help/HelpBrowser.h"

#include <QHelpEngineCore>

namespace help {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("helpBrowser");
    // Topic links stay inside the help file; QTextBrowser would hand qthelp links to the desktop.
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    QUrl url = name;
    if (url.isRelative())
        url = source().resolved(url);
    if (engine_ && url.scheme() == QLatin1String("qthelp")) {
        const QByteArray data = engine_->fileData(url);
        if (data.isEmpty())
            return {};
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(data);
        return data;
    }
    return QTextBrowser::loadResource(type, name);
}

} // namespace help
