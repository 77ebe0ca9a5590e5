#pragma once
// The help window: the topics of one Qt Help file, with a contents tree, a keyword search and a
// page viewer. A missing or damaged file is reported inside the window.

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class QHelpEngine;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QModelIndex;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeView;
class QUrl;

namespace help {

class HelpBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Opens the help file unless it is the one already open. False when it is missing or damaged;
    // the window then shows why.
    bool openFile(const QString& path);
    QString file() const { return file_; }
    bool isOpen() const { return engine_ != nullptr; }
    QString errorText() const { return errorText_; }

    // The contents page; the first topic is shown when nothing is shown yet.
    void showContents();
    // The keyword search with this text typed; a keyword of exactly one topic shows that topic.
    void showSearch(const QString& keyword);
    // Shows the topics of an index keyword (the first, and the list when there are several).
    // False when the keyword has no topic.
    bool showKeyword(const QString& keyword);

    // The topic shown, a qthelp URL, or empty.
    QUrl currentTopic() const;
    // Titles of the contents tree, depth first; empty until the contents are read.
    QStringList contentsTitles() const;
    // Whether the contents and the index have been read from the file.
    bool isReady() const;

protected:
    bool event(QEvent* event) override;

signals:
    // The contents and the index of the open file are read.
    void ready();

private:
    void closeFile();
    void joinModalWindow();
    bool fail(const QString& text);
    void contentsRead();
    void indexRead();
    void showTopic(const QUrl& url);
    void markTopic(const QUrl& url);
    void displaySelectedKeyword();
    void filterKeywords(const QString& text);

    QString file_;
    QString errorText_;
    std::unique_ptr<QTemporaryDir> collectionDir_;
    std::unique_ptr<QHelpEngine> engine_;
    bool contentsRead_ = false;
    bool indexRead_ = false;
    bool showFirstTopic_ = false;

    QTabWidget* tabs_;
    QTreeView* contents_;
    QLineEdit* searchField_;
    QListView* keywords_;
    QLabel* topicsLabel_;
    QListWidget* topics_;
    QPushButton* display_;
    QToolButton* back_;
    QToolButton* forward_;
    HelpBrowser* browser_;
};

} // namespace help
