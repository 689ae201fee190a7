#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class ReportDocument;

// The report viewer: shows a rendered report a page at a time, with page
// navigation, zoom, printing on the default printer and export to PDF.
class ReportPageView : public QWidget
{
    Q_OBJECT

public:
    explicit ReportPageView(QWidget *parent = nullptr);
    ~ReportPageView() override;

    // The report to show; it is drawn once ViewReport() is called.
    void setReportSource(std::unique_ptr<ReportDocument> document);
    void ViewReport();
    const ReportDocument *document() const { return m_document.get(); }

    int pageCount() const;
    int currentPage() const { return m_page; } // from 0
    void setCurrentPage(int page);
    double zoom() const { return m_zoom; } // 1.0 is the paper's own size
    void setZoom(double zoom);

    // Button texts and messages in French or English.
    void setFrench(bool french);

    // Prints on the default printer; with none, says so. True when printed.
    bool printReport();
    // Writes the report to a PDF file chosen by the user (or by the path
    // provider, when one is set). True when written.
    bool exportPdf();
    void setExportPathProvider(std::function<QString()> provider);

signals:
    void pageShown(int page);

private:
    void showPage();
    void updateControls();

    std::unique_ptr<ReportDocument> m_document;
    std::function<QString()> m_exportPath;
    bool m_french = false;
    int m_page = 0;
    double m_zoom = 1.0;

    QPushButton *m_first = nullptr;
    QPushButton *m_previous = nullptr;
    QLabel *m_pageLabel = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QPushButton *m_zoomOut = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QPushButton *m_zoomIn = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_sheet = nullptr;
};
