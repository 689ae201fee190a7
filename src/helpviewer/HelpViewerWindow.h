#pragma once

#include "helpviewer/ViewerTexts.h"

#include <QMainWindow>
#include <QUrl>

class HelpBrowser;
class HelpDocument;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The help viewer's window: contents, keyword index and full-text search
// beside the page, with back, forward, home and print.
class HelpViewerWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `topic` is the topic id as given on the command line (empty for none).
    HelpViewerWindow(const QString &helpFile, const QString &topic, QWidget *parent = nullptr);

    QUrl currentPage() const;
    QString pageTitle() const;
    // The notice shown above the page (empty when there is none).
    QString notice() const;
    HelpDocument *document() const { return m_document; }

    // Runs a full-text search as the Search tab does.
    void searchFor(const QString &words);
    // Prints the page shown, or says that there is no printer.
    void printPage();

private:
    void fitToScreen();
    void buildWindow();
    void openFile(const QString &helpFile, const QString &topic);
    void showPage(const QUrl &url);
    void showNotice(const QString &text);
    void showSearchResults();
    void updateTitle();
    void selectInContents(const QUrl &url);

    ViewerTexts m_texts;
    HelpDocument *m_document = nullptr;
    HelpBrowser *m_browser = nullptr;
    QLabel *m_notice = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    QLineEdit *m_searchWords = nullptr;
    QPushButton *m_searchButton = nullptr;
    QListWidget *m_searchResults = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_home = nullptr;
    QAction *m_print = nullptr;
    QUrl m_homeUrl;
};
