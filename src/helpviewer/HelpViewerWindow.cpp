#include "helpviewer/HelpViewerWindow.h"

#include "helpviewer/HelpBrowser.h"
#include "helpviewer/HelpDocument.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpContentItem>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
constexpr int kResultUrlRole = Qt::UserRole;
constexpr int kDesignWidth = 1100;
constexpr int kDesignHeight = 760;
constexpr int kFrameRoom = 16;
} // namespace

HelpViewerWindow::HelpViewerWindow(const QString &helpFile, const QString &topic, QWidget *parent)
    : QMainWindow(parent), m_texts(viewerTexts(isFrenchHelpFile(helpFile)))
{
    setObjectName(QStringLiteral("HelpViewerWindow"));
    m_document = new HelpDocument(this);
    buildWindow();
    openFile(helpFile, topic);
}

void HelpViewerWindow::buildWindow()
{
    QHelpEngine *engine = m_document->engine();

    auto *toolBar = addToolBar(m_texts.windowTitle);
    toolBar->setObjectName(QStringLiteral("tbViewer"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), m_texts.back);
    m_back->setObjectName(QStringLiteral("actBack"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), m_texts.forward);
    m_forward->setObjectName(QStringLiteral("actForward"));
    m_forward->setShortcut(QKeySequence::Forward);
    m_home = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), m_texts.home);
    m_home->setObjectName(QStringLiteral("actHome"));
    m_home->setShortcut(Qt::ALT | Qt::Key_Home);
    toolBar->addSeparator();
    m_print = toolBar->addAction(style()->standardIcon(QStyle::SP_FileIcon), m_texts.print);
    m_print->setObjectName(QStringLiteral("actPrint"));
    m_print->setShortcut(QKeySequence::Print);

    m_browser = new HelpBrowser(engine);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));

    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("lblNotice"));
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; border: 1px solid "
                                           "#d8c46a; padding: 6px; }"));
    m_notice->hide();

    auto *contents = engine->contentWidget();
    contents->setObjectName(QStringLiteral("treeContents"));
    contents->setHeaderHidden(true);

    auto *indexPage = new QWidget;
    m_indexFilter = new QLineEdit;
    m_indexFilter->setObjectName(QStringLiteral("txtIndexFilter"));
    m_indexFilter->setClearButtonEnabled(true);
    auto *index = engine->indexWidget();
    index->setObjectName(QStringLiteral("lstIndex"));
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(index);

    auto *searchPage = new QWidget;
    m_searchWords = new QLineEdit;
    m_searchWords->setObjectName(QStringLiteral("txtSearchWords"));
    m_searchButton = new QPushButton(m_texts.searchButton);
    m_searchButton->setObjectName(QStringLiteral("cmdSearch"));
    m_searchButton->setEnabled(false); // until the full-text index is ready
    m_searchResults = new QListWidget;
    m_searchResults->setObjectName(QStringLiteral("lstSearchResults"));
    m_searchResults->setWordWrap(true);
    m_searchResults->setSpacing(2);
    auto *wordsRow = new QHBoxLayout;
    wordsRow->addWidget(m_searchWords, 1);
    wordsRow->addWidget(m_searchButton);
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel(m_texts.lookFor));
    searchLayout->addLayout(wordsRow);
    searchLayout->addWidget(m_searchResults, 1);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabNavigation"));
    m_tabs->addTab(contents, m_texts.contents);
    m_tabs->addTab(indexPage, m_texts.index);
    m_tabs->addTab(searchPage, m_texts.search);

    auto *pagePane = new QWidget;
    auto *pageLayout = new QVBoxLayout(pagePane);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_notice);
    pageLayout->addWidget(m_browser, 1);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(pagePane);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({340, 760});
    setCentralWidget(splitter);
    fitToScreen();

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_home, &QAction::triggered, this, [this] { showPage(m_homeUrl); });
    connect(m_print, &QAction::triggered, this, &HelpViewerWindow::printPage);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) {
        updateTitle();
        selectInContents(url);
    });

    // One click opens a page, as in a web page's table of contents.
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpViewerWindow::showPage);
    connect(contents, &QHelpContentWidget::clicked, this, [this, engine](const QModelIndex &item) {
        if (QHelpContentItem *entry = engine->contentModel()->contentItemAt(item))
            showPage(entry->url());
    });
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandToDepth(0);
        selectInContents(currentPage());
    });

    connect(m_indexFilter, &QLineEdit::textChanged, index,
            [index](const QString &text) { index->filterIndices(text); });
    connect(m_indexFilter, &QLineEdit::returnPressed, index,
            &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::clicked, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink &link) { showPage(link.url); });
    // A keyword used on several pages opens the first of them.
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink> &links) { showPage(links.first().url); });

    QHelpSearchEngine *search = engine->searchEngine();
    connect(search, &QHelpSearchEngine::indexingStarted, m_searchButton,
            [this] { m_searchButton->setEnabled(false); });
    connect(search, &QHelpSearchEngine::indexingFinished, m_searchButton,
            [this] { m_searchButton->setEnabled(true); });
    connect(search, &QHelpSearchEngine::searchingFinished, this,
            &HelpViewerWindow::showSearchResults);
    connect(m_searchButton, &QPushButton::clicked, this,
            [this] { searchFor(m_searchWords->text()); });
    connect(m_searchWords, &QLineEdit::returnPressed, m_searchButton, &QPushButton::click);
    const auto openResult = [this](QListWidgetItem *item) {
        showPage(item->data(kResultUrlRole).toUrl());
    };
    connect(m_searchResults, &QListWidget::itemActivated, this, openResult);
    connect(m_searchResults, &QListWidget::itemClicked, this, openResult);

    updateTitle();
}

void HelpViewerWindow::openFile(const QString &helpFile, const QString &topic)
{
    const HelpDocument::Status status = m_document->open(helpFile);
    // Without a document there is no page to go home to or to print.
    m_home->setEnabled(status == HelpDocument::Status::Open);
    m_print->setEnabled(status == HelpDocument::Status::Open);
    switch (status) {
    case HelpDocument::Status::NoFile:
        showNotice(m_texts.noFile);
        return;
    case HelpDocument::Status::Missing:
        showNotice(m_texts.fileMissing.arg(QFileInfo(helpFile).absoluteFilePath()));
        return;
    case HelpDocument::Status::Unreadable:
        showNotice(m_texts.fileUnreadable.arg(QFileInfo(helpFile).absoluteFilePath(),
                                              m_document->errorString()));
        return;
    case HelpDocument::Status::Open:
        break;
    }
    m_homeUrl = m_document->homeUrl();
    QUrl start = m_homeUrl;
    if (!topic.isEmpty()) {
        bool numeric = false;
        const int topicId = topic.toInt(&numeric);
        const QUrl topicPage = numeric ? m_document->topicUrl(topicId) : QUrl();
        if (!numeric)
            showNotice(m_texts.badTopic.arg(topic));
        else if (topicPage.isEmpty())
            showNotice(m_texts.topicMissing.arg(topicId));
        else
            start = topicPage;
    }
    showPage(start);
}

QUrl HelpViewerWindow::currentPage() const
{
    return m_browser->source();
}

QString HelpViewerWindow::pageTitle() const
{
    return m_browser->documentTitle();
}

QString HelpViewerWindow::notice() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void HelpViewerWindow::showPage(const QUrl &url)
{
    if (url.isValid() && !url.isEmpty())
        m_browser->setSource(url);
}

void HelpViewerWindow::showNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}

void HelpViewerWindow::searchFor(const QString &words)
{
    if (words.trimmed().isEmpty())
        return;
    m_searchWords->setText(words);
    m_searchResults->clear();
    m_document->engine()->searchEngine()->search(words);
}

void HelpViewerWindow::showSearchResults()
{
    QHelpSearchEngine *search = m_document->engine()->searchEngine();
    m_searchResults->clear();
    const auto results = search->searchResults(0, search->searchResultCount());
    for (const QHelpSearchResult &result : results) {
        auto *item = new QListWidgetItem(result.title(), m_searchResults);
        item->setData(kResultUrlRole, result.url());
        item->setToolTip(result.snippet());
    }
    if (results.isEmpty()) {
        auto *item = new QListWidgetItem(m_texts.noResults, m_searchResults);
        item->setFlags(Qt::NoItemFlags);
    }
}

void HelpViewerWindow::printPage()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        showNotice(m_texts.noPrinter);
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(m_texts.print);
    if (dialog.exec() == QDialog::Accepted)
        m_browser->print(&printer);
}

void HelpViewerWindow::updateTitle()
{
    const QString page = pageTitle();
    setWindowTitle(page.isEmpty() ? m_texts.windowTitle
                                  : m_texts.windowTitle + QStringLiteral(" - ") + page);
}

void HelpViewerWindow::selectInContents(const QUrl &url)
{
    QHelpContentWidget *contents = m_document->engine()->contentWidget();
    const QModelIndex index = contents->indexOf(url);
    if (index.isValid())
        contents->setCurrentIndex(index);
}

void HelpViewerWindow::fitToScreen()
{
    // The design size, smaller on a small screen (1366 x 768 laptops keep
    // room for the title bar and the taskbar), in the middle of the screen.
    QSize size(kDesignWidth, kDesignHeight);
    const QScreen *display = QGuiApplication::primaryScreen();
    if (!display) {
        resize(size);
        return;
    }
    const QRect area = display->availableGeometry();
    size = size.boundedTo(area.size() - QSize(kFrameRoom, 3 * kFrameRoom));
    resize(size);
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height() - 2 * kFrameRoom) / 2);
}
