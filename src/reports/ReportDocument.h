#pragma once

#include "reports/PageReading.h"

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QTextDocument;

// Where the body goes on to a new page. The template writes it at the top
// level of the body, between two elements. The parts between breaks are laid
// out on their own, at the same time when the machine has cores to spare.
inline constexpr const char *kPageBreak = "<!--page break-->";

// A rendered report: the body laid out in pages of the layout's paper, with
// the header above and the footer (the page number) below on every page.
// The pages are laid out in units of 1/96 inch and drawn scaled to the
// device, so the screen, the printer and the PDF file show the same pages.
// A part that runs a little past its page is drawn smaller, down to
// `smallestScale`, so that it stays whole on one page (its notes with their
// table); a part that needs more stays at full size on several pages.
class ReportDocument
{
public:
    ReportDocument(const QString &bodyHtml, const QString &headerHtml, const QString &footerHtml,
                   const QPageLayout &pageLayout, double smallestScale = 1.0);
    ~ReportDocument();
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    int pageCount() const;
    const QPageLayout &pageLayout() const { return m_pageLayout; }

    // The text of the body, between the first page's header and footer.
    QString toPlainText() const;

    // Draws one page (from 0) with the painter's origin at the top-left
    // corner inside the margins; `scale` is the device's dots per inch / 96.
    void paintPage(QPainter &painter, int index, double scale) const;

    // A paragraph of the body as one page shows it: its text, and where it
    // lies on the sheet, in units of 1/96 inch from the paper's top-left
    // corner (margins included). Table cells are paragraphs of their own.
    struct PageText
    {
        QString text;
        QRectF rect;
    };
    std::vector<PageText> pageTexts(int index) const;
    // What one page says, in reading order, for assistive technology.
    PageReading pageReading(int index) const;

    // One whole sheet, margins included, at `dpi`.
    QImage pageImage(int index, double dpi) const;

    // Draws every page on a printer or PDF writer, set to the layout's paper.
    // False when the device cannot be painted on.
    bool printTo(QPagedPaintDevice &device, double dpi) const;
    // A PDF file carrying `title`, "Quorvel" as its creator, the user as its
    // author and the report's language (Canadian English or French).
    bool exportPdf(const QString &path, const QString &title, bool french) const;

private:
    enum class Decoration { Header, Footer };

    std::unique_ptr<QTextDocument> decorationDocument(const QString &html, const QString &page,
                                                      const QString &pages) const;
    // The header or footer of a page, laid out the first time it is asked for
    // and kept for the pages drawn again (zoom, printing, export).
    QTextDocument &decoration(Decoration which, int index) const;
    // Lays the last part out again, smaller, when that keeps it on one page.
    void keepOnOnePage(const QString &html, const QSizeF &pageSize, double smallestScale);
    // The part a page of the body is in, and the page's index within it.
    std::pair<std::size_t, int> partOfPage(int index) const;

    QPageLayout m_pageLayout;
    QString m_headerHtml;
    QString m_footerHtml;
    // The body's parts between page breaks, and the first page of each.
    std::vector<std::unique_ptr<QTextDocument>> m_parts;
    std::vector<int> m_firstPages;
    // The scale each part is drawn at: 1, or less for a part kept on one page.
    std::vector<double> m_scales;
    // The decorations laid out with the widest page numbers, which give them
    // their height.
    std::unique_ptr<QTextDocument> m_headerSample;
    std::unique_ptr<QTextDocument> m_footerSample;
    mutable std::vector<std::unique_ptr<QTextDocument>> m_headers;
    mutable std::vector<std::unique_ptr<QTextDocument>> m_footers;
    double m_width = 0;
    double m_headerHeight = 0;
    double m_footerHeight = 0;
    double m_bodyHeight = 0;
};
