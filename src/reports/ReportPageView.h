#pragma once

#include "reports/RatioExplanation.h"
#include "reports/ReportExport.h"
#include "reports/ReportNaming.h"
#include "reports/ReportSheets.h"
#include "reports/ReportZoom.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class RatioExplainPanel;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class ReportDocument;
class ReportPageSheet;

// The report viewer: shows a rendered report a page at a time, with page
// navigation, zoom (fit width, whole page or fixed steps; the choice holds
// for the session), printing through the print dialog and export to PDF,
// Excel and CSV files named after the report.
class ReportPageView : public QWidget
{
    Q_OBJECT

public:
    // Chooses the file to write; gets the suggested path (folder and name).
    using ExportPathProvider = std::function<QString(const QString &suggested, ExportFormat)>;
    using WorkbookSource = std::function<ReportWorkbook()>;
    // The explanation of a ratio of the report shown.
    using RatioExplainer = std::function<RatioExplanation(RatioId)>;

    explicit ReportPageView(QWidget *parent = nullptr);
    ~ReportPageView() override;

    // The report to show; it is drawn once ViewReport() is called.
    void setReportSource(std::unique_ptr<ReportDocument> document);
    void ViewReport();
    const ReportDocument *document() const { return m_document.get(); }

    // What the report is about (names the print job and exported files), and
    // where its spreadsheet comes from.
    void setReportIdentity(const ReportIdentity &identity);
    void setWorkbookSource(WorkbookSource source);
    // Makes the ratios' names on the pages open their explanation (click, or
    // Tab to one and Enter); the pages themselves are unchanged.
    void setRatioExplainer(RatioExplainer explainer);
    // Opens the explanation of the ratio whose name is at `point` of the
    // shown sheet; false when no ratio's name is there.
    bool explainAt(const QPoint &sheetPoint);
    // Moves the keyboard's mark to the next (or previous) ratio name of the
    // page; false when the page names none.
    bool markNextRatio(bool forward = true);
    RatioExplainPanel *explainPanel() const { return m_explainPanel; }

    int pageCount() const;
    int currentPage() const { return m_page; } // from 0
    void setCurrentPage(int page);
    double zoom() const { return m_zoom; } // 1.0 is the paper's own size
    ZoomChoice zoomChoice() const { return m_choice; }
    // The zoom, which is also the choice for the reports shown later in the
    // session.
    void setZoomChoice(const ZoomChoice &choice);

    // Button texts and messages in French or English.
    void setFrench(bool french);

    // Prints through the print dialog; with no printer, says so. True when
    // printed (or previewed).
    bool printReport();
    // Writes the report to a file chosen by the user (or by the path
    // provider, when one is set). True when written.
    bool exportReport(ExportFormat format);
    bool exportPdf() { return exportReport(ExportFormat::Pdf); }
    void setExportPathProvider(ExportPathProvider provider);

    // The path the export dialog proposes.
    QString suggestedExportPath(ExportFormat format) const;

signals:
    void pageShown(int page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showPage();
    // The zoom the current choice gives at the view's present size.
    double fittedZoom() const;
    void scheduleRefit();
    void updateControls();
    void updateZoomBox();
    void scrollPage(int direction);
    bool paintPages(QPrinter &printer, int first, int last) const;
    bool writeExport(ExportFormat format, const QString &path);
    struct RatioSpot
    {
        RatioId id;
        QRect rect; // on the sheet widget
        QString text;
    };
    std::vector<RatioSpot> ratioSpots() const;
    void explainSpot(const RatioSpot &spot);
    // Where the explanation panel may lie, and the explained row, in this
    // view's coordinates.
    QRect explainRoom() const;
    QRect rowInView(const RatioSpot &spot) const;
    void clearRatioMark();

    std::unique_ptr<ReportDocument> m_document;
    ReportIdentity m_identity;
    WorkbookSource m_workbook;
    ExportPathProvider m_exportPath;
    bool m_french = false;
    int m_page = 0;
    ZoomChoice m_choice;
    double m_zoom = 1.0;
    bool m_refitPending = false;
    bool m_viewPending = false;

    QPushButton *m_first = nullptr;
    QPushButton *m_previous = nullptr;
    QLabel *m_pageLabel = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QPushButton *m_zoomOut = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QPushButton *m_zoomIn = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_export = nullptr;
    QAction *m_exportPdf = nullptr;
    QAction *m_exportXlsx = nullptr;
    QAction *m_exportCsv = nullptr;
    QScrollArea *m_scroll = nullptr;
    ReportPageSheet *m_sheet = nullptr;
    RatioExplainer m_explainer;
    RatioExplainPanel *m_explainPanel = nullptr;
    QFrame *m_ratioMark = nullptr;
    int m_markedSpot = -1;
};
