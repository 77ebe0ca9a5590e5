#pragma once
// A text browser that reads its pages and pictures from a Qt Help file.

#include <QTextBrowser>

class QHelpEngineCore;

namespace help {

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    void setHelpEngine(QHelpEngineCore* engine) { engine_ = engine; }
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngineCore* engine_ = nullptr;
};

} // namespace help
