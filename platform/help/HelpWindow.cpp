#include "platform/help/HelpWindow.h"

#include "platform/help/HelpBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>

#include <memory>

namespace help {

namespace {

constexpr int kContentsTab = 0;
constexpr int kSearchTab = 1;

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

void collectTitles(const QHelpContentItem* item, QStringList& titles) {
    for (int i = 0; i < item->childCount(); ++i) {
        titles << item->child(i)->title();
        collectTitles(item->child(i), titles);
    }
}

// Lets Up and Down in the search field move through the keyword list while the caret stays put.
class KeywordKeys : public QObject {
public:
    KeywordKeys(QListView* list, QObject* parent) : QObject(parent), list_(list) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                key == Qt::Key_PageDown) {
                const auto* keyEvent = static_cast<QKeyEvent*>(event);
                QKeyEvent copy(keyEvent->type(), key, keyEvent->modifiers(), keyEvent->text());
                QCoreApplication::sendEvent(list_, &copy);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QListView* list_;
};

// The contents entry of a topic, whatever part of the topic the URL points to.
QModelIndex findTopic(const QHelpContentModel& model, const QModelIndex& parent, const QUrl& url) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (const QHelpContentItem* item = model.contentItemAt(index))
            if (item->url().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment))
                return index;
        const QModelIndex found = findTopic(model, index, url);
        if (found.isValid())
            return found;
    }
    return {};
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("helpWindow");
    setWindowTitle(tr("Help"));
    // The help window never keeps the application running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);

    tabs_ = new QTabWidget;
    tabs_->setObjectName("helpTabs");

    contents_ = new QTreeView;
    contents_->setObjectName("contentsTree");
    contents_->setHeaderHidden(true);
    contents_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabs_->insertTab(kContentsTab, contents_, tr("C&ontents"));

    auto* search = new QWidget;
    auto* typeLabel = new QLabel(tr("&Type the first few letters of the word you're looking for:"));
    typeLabel->setWordWrap(true);
    searchField_ = new QLineEdit;
    searchField_->setObjectName("searchField");
    typeLabel->setBuddy(searchField_);
    auto* clickLabel = new QLabel(tr("&Click the index entry you want, and then click Display."));
    clickLabel->setWordWrap(true);
    keywords_ = new QListView;
    keywords_->setObjectName("keywordList");
    keywords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keywords_->setUniformItemSizes(true);
    clickLabel->setBuddy(keywords_);
    topicsLabel_ = new QLabel(tr("Topics &found:"));
    topics_ = new QListWidget;
    topics_->setObjectName("topicList");
    topicsLabel_->setBuddy(topics_);
    topicsLabel_->hide();
    topics_->hide();
    display_ = new QPushButton(tr("&Display"));
    display_->setObjectName("displayButton");
    auto* searchLayout = new QVBoxLayout(search);
    searchLayout->addWidget(typeLabel);
    searchLayout->addWidget(searchField_);
    searchLayout->addWidget(clickLabel);
    searchLayout->addWidget(keywords_, 3);
    searchLayout->addWidget(topicsLabel_);
    searchLayout->addWidget(topics_, 1);
    searchLayout->addWidget(display_, 0, Qt::AlignRight);
    tabs_->insertTab(kSearchTab, search, tr("&Search"));

    browser_ = new HelpBrowser;

    back_ = new QToolButton;
    back_->setText(tr("&Back"));
    back_->setEnabled(false);
    forward_ = new QToolButton;
    forward_->setText(tr("&Forward"));
    forward_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(820, 560);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    // Whichever way a topic is reached, the contents show where it stands.
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::markTopic);
    connect(contents_, &QTreeView::activated, this, [this](const QModelIndex& index) {
        if (engine_)
            if (auto* item = engine_->contentModel()->contentItemAt(index))
                showTopic(item->url());
    });
    connect(contents_, &QTreeView::clicked, contents_, &QTreeView::activated);
    connect(searchField_, &QLineEdit::textChanged, this, &HelpWindow::filterKeywords);
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::displaySelectedKeyword);
    searchField_->installEventFilter(new KeywordKeys(keywords_, this));
    connect(keywords_, &QListView::activated, this, &HelpWindow::displaySelectedKeyword);
    connect(display_, &QPushButton::clicked, this, [this] {
        if (topics_->isVisible() && topics_->currentItem())
            showTopic(topics_->currentItem()->data(Qt::UserRole).toUrl());
        else
            displaySelectedKeyword();
    });
    connect(topics_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showTopic(item->data(Qt::UserRole).toUrl()); });
}

bool HelpWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked)
        QMetaObject::invokeMethod(this, &HelpWindow::joinModalWindow, Qt::QueuedConnection);
    return QWidget::event(event);
}

// The platform's help runs beside the program, so a modal window of the program never blocks it.
// Here the help window joins the modal window as its transient child, which a modal window does
// not block, and leaves it again when the modal window goes.
void HelpWindow::joinModalWindow() {
    QWindow* modal = QGuiApplication::modalWindow();
    QWindow* handle = windowHandle();
    if (!handle || !modal || modal == handle || handle->transientParent() == modal)
        return;
    handle->setTransientParent(modal);
    QPointer<QWindow> joined = modal;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        connect(modal, &QWindow::visibleChanged, this, [this, joined, connection](bool on) {
            if (on)
                return;
            disconnect(*connection);
            if (QWindow* own = windowHandle(); own && own->transientParent() == joined)
                own->setTransientParent(nullptr);
        });
}

HelpWindow::~HelpWindow() {
    closeFile();
}

void HelpWindow::closeFile() {
    // The views hold the engine's models and must let go of them first.
    contents_->setModel(nullptr);
    keywords_->setModel(nullptr);
    topics_->clear();
    browser_->setHelpEngine(nullptr);
    engine_.reset();
    collectionDir_.reset();
    contentsRead_ = indexRead_ = showFirstTopic_ = false;
}

bool HelpWindow::fail(const QString& text) {
    closeFile();
    errorText_ = text;
    setWindowTitle(tr("Help"));
    searchField_->clear();
    browser_->clearHistory();
    browser_->setHtml(QStringLiteral("<html><body><h3>%1</h3><p>%2</p></body></html>")
                          .arg(escaped(tr("Help is not available")), escaped(text)));
    tabs_->setEnabled(false);
    return false;
}

bool HelpWindow::openFile(const QString& path) {
    if (engine_ && path == file_)
        return true;
    closeFile();
    file_ = path;
    errorText_.clear();
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        return fail(tr("The help file %1 cannot be found.").arg(shown));

    // The file is opened as it is; the engine's register of files lives in a folder of its own.
    collectionDir_ = std::make_unique<QTemporaryDir>();
    if (!collectionDir_->isValid())
        return fail(
            tr("The help file %1 cannot be opened: no temporary folder is available.").arg(shown));
    const QString collection = collectionDir_->filePath("help.qhc");
    {
        // Registered before the engine with its models exists, so that the contents and the index
        // are read once, from the file.
        QHelpEngineCore core(collection);
        core.setUsesFilterEngine(true);
        // The private register is ours to write; the help file itself is only read.
        core.setReadOnly(false);
        if (!core.setupData())
            return fail(tr("The help file %1 cannot be opened: %2").arg(shown, core.error()));
        if (!core.registerDocumentation(QFileInfo(path).absoluteFilePath()))
            return fail(tr("The help file %1 is damaged or is not a help file.").arg(shown));
    }
    engine_ = std::make_unique<QHelpEngine>(collection);
    engine_->setUsesFilterEngine(true);
    browser_->setHelpEngine(engine_.get());
    browser_->clearHistory();
    browser_->clear();
    tabs_->setEnabled(true);
    contents_->setModel(engine_->contentModel());
    keywords_->setModel(engine_->indexModel());
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this,
            &HelpWindow::contentsRead);
    connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, this, &HelpWindow::indexRead);
    // Reading the contents and the index starts here and finishes in the background.
    if (!engine_->setupData())
        return fail(tr("The help file %1 cannot be opened: %2").arg(shown, engine_->error()));
    return true;
}

bool HelpWindow::isReady() const {
    return engine_ && contentsRead_ && indexRead_;
}

void HelpWindow::contentsRead() {
    contentsRead_ = true;
    QHelpContentItem* root = engine_->contentModel()->contentItemAt(QModelIndex());
    if (!root || root->childCount() == 0) {
        // The engine is still inside this signal; let it finish before it goes.
        QMetaObject::invokeMethod(
            this,
            [this, engine = engine_.get()] {
                if (engine_.get() == engine)
                    fail(tr("The help file %1 holds no topics.")
                             .arg(QDir::toNativeSeparators(file_)));
            },
            Qt::QueuedConnection);
        return;
    }
    setWindowTitle(root->child(0)->title());
    contents_->expandToDepth(0);
    markTopic(browser_->source());
    if (showFirstTopic_) {
        showFirstTopic_ = false;
        showTopic(root->child(0)->url());
    }
    if (isReady())
        emit ready();
}

void HelpWindow::indexRead() {
    indexRead_ = true;
    filterKeywords(searchField_->text());
    if (isReady())
        emit ready();
}

QStringList HelpWindow::contentsTitles() const {
    QStringList titles;
    if (engine_ && contentsRead_)
        if (auto* root = engine_->contentModel()->contentItemAt(QModelIndex()))
            collectTitles(root, titles);
    return titles;
}

QUrl HelpWindow::currentTopic() const {
    return browser_->source();
}

void HelpWindow::showTopic(const QUrl& url) {
    if (engine_ && url.isValid())
        browser_->setSource(url);
}

void HelpWindow::markTopic(const QUrl& url) {
    if (!engine_ || !contentsRead_)
        return;
    const QModelIndex index = findTopic(*engine_->contentModel(), QModelIndex(), url);
    if (index.isValid())
        contents_->setCurrentIndex(index);
}

void HelpWindow::showContents() {
    if (!engine_)
        return;
    tabs_->setCurrentIndex(kContentsTab);
    contents_->setFocus();
    if (browser_->source().isEmpty()) {
        if (contentsRead_) {
            if (auto* root = engine_->contentModel()->contentItemAt(QModelIndex()))
                if (root->childCount() > 0)
                    showTopic(root->child(0)->url());
        } else {
            showFirstTopic_ = true;
        }
    }
}

void HelpWindow::showSearch(const QString& keyword) {
    if (!engine_)
        return;
    tabs_->setCurrentIndex(kSearchTab);
    searchField_->setText(keyword);
    searchField_->selectAll();
    searchField_->setFocus();
    if (!keyword.isEmpty() && engine_->documentsForKeyword(keyword).size() == 1)
        showKeyword(keyword);
}

void HelpWindow::filterKeywords(const QString& text) {
    if (!engine_ || !indexRead_)
        return;
    const QModelIndex best = engine_->indexModel()->filter(text);
    keywords_->setCurrentIndex(best.isValid() ? best : engine_->indexModel()->index(0, 0));
    topicsLabel_->hide();
    topics_->hide();
}

void HelpWindow::displaySelectedKeyword() {
    const QModelIndex index = keywords_->currentIndex();
    if (index.isValid())
        showKeyword(index.data().toString());
}

bool HelpWindow::showKeyword(const QString& keyword) {
    if (!engine_)
        return false;
    const QList<QHelpLink> links = engine_->documentsForKeyword(keyword);
    if (links.isEmpty())
        return false;
    topics_->clear();
    for (const QHelpLink& link : links) {
        auto* item = new QListWidgetItem(link.title.isEmpty() ? keyword : link.title, topics_);
        item->setData(Qt::UserRole, link.url);
    }
    topics_->setCurrentRow(0);
    topicsLabel_->setVisible(links.size() > 1);
    topics_->setVisible(links.size() > 1);
    showTopic(links.first().url);
    return true;
}

} // namespace help
