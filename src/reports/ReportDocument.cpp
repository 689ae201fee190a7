#include "reports/ReportDocument.h"

#include "reports/BackgroundLayout.h"
#include "reports/PdfFinish.h"
#include "reports/ReportCharts.h"
#include "reports/ReportData.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>

namespace {
// Pages are laid out at this resolution, whatever they are drawn on.
constexpr double kLayoutDpi = 96.0;
// Space between the header or footer and the body.
constexpr double kGap = 8.0;

// A fixed-resolution device for laying out text, so that the pages do not
// depend on the screen's resolution.
QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kLayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// A document laid out on pages of `pageSize` (a height of -1: one endless
// page). Everything that shapes the layout is set before the HTML is read,
// so the text is laid out once.
std::unique_ptr<QTextDocument> newDocument(const QString &html, const QSizeF &pageSize)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(layoutDevice());
    // Without shaping the text has no ligatures ("fi" as one glyph), so what
    // is copied or searched in an exported PDF reads as typed.
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setStyleStrategy(QFont::PreferNoShaping);
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    document->setPageSize(pageSize);
    installReportCharts(*document);
    document->setHtml(html);
    return document;
}

// The body cut at its page breaks, each part a whole page of HTML: the parts
// after the first get the first one's head (its style sheet) before theirs.
QStringList bodyParts(const QString &html)
{
    QStringList parts = html.split(QLatin1String(kPageBreak));
    const qsizetype body = parts.first().indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype headEnd = body < 0 ? -1 : parts.first().indexOf(QLatin1Char('>'), body);
    if (headEnd >= 0) {
        const QString head = parts.first().left(headEnd + 1);
        for (qsizetype i = 1; i < parts.size(); ++i)
            parts[i].prepend(head);
    }
    return parts;
}
} // namespace

ReportDocument::ReportDocument(const QString &bodyHtml, const QString &headerHtml,
                               const QString &footerHtml, const QPageLayout &pageLayout,
                               double smallestScale)
    : m_pageLayout(pageLayout), m_headerHtml(headerHtml), m_footerHtml(footerHtml)
{
    const QRectF area = m_pageLayout.paintRect(QPageLayout::Inch);
    m_width = area.width() * kLayoutDpi;
    const double height = area.height() * kLayoutDpi;
    // Wide page numbers give the decorations their height before the body
    // is paginated.
    const QString wide = QStringLiteral("999");
    if (!m_headerHtml.trimmed().isEmpty()) {
        m_headerSample = decorationDocument(m_headerHtml, wide, wide);
        m_headerHeight = m_headerSample->size().height() + kGap;
    }
    if (!m_footerHtml.trimmed().isEmpty()) {
        m_footerSample = decorationDocument(m_footerHtml, wide, wide);
        m_footerHeight = m_footerSample->size().height() + kGap;
    }
    m_bodyHeight = std::max(height - m_headerHeight - m_footerHeight, kLayoutDpi);

    const QSizeF pageSize(m_width, m_bodyHeight);
    const QStringList parts = bodyParts(bodyHtml);
    // The later parts go to another core while this thread lays out the first.
    std::vector<std::future<std::unique_ptr<QTextDocument>>> laidOut;
    const bool together = backgroundlayout::available();
    if (together)
        for (qsizetype i = 1; i < parts.size(); ++i)
            laidOut.push_back(backgroundlayout::start(
                [html = parts.at(i), pageSize] { return newDocument(html, pageSize); }));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        m_firstPages.push_back(m_firstPages.empty() ? 0
                                                    : m_firstPages.back() +
                                                          std::max(1, m_parts.back()->pageCount()));
        if (i > 0 && together)
            m_parts.push_back(laidOut[i - 1].get());
        else
            m_parts.push_back(newDocument(parts.at(i), pageSize));
        m_scales.push_back(1.0);
        if (m_parts.back()->pageCount() == 2)
            keepOnOnePage(parts.at(i), pageSize, smallestScale);
    }
}

void ReportDocument::keepOnOnePage(const QString &html, const QSizeF &pageSize,
                                   double smallestScale)
{
    // Laid out on a page larger by 1 / scale, drawn at scale: the largest
    // scale, in small steps, at which the part fits.
    std::vector<double> scales;
    for (double scale = 0.97; scale >= smallestScale - 1e-9; scale -= 0.03)
        scales.push_back(scale);
    if (scales.empty())
        return;
    // A smaller scale gives a page larger every way, which holds at least as
    // much: a part that does not fit at the smallest scale fits at none, and
    // is not laid out again for the others (each a whole layout).
    std::unique_ptr<QTextDocument> smallest = newDocument(html, pageSize / scales.back());
    if (smallest->pageCount() != 1)
        return;
    for (std::size_t i = 0; i + 1 < scales.size(); ++i) {
        std::unique_ptr<QTextDocument> part = newDocument(html, pageSize / scales[i]);
        if (part->pageCount() == 1) {
            m_parts.back() = std::move(part);
            m_scales.back() = scales[i];
            return;
        }
    }
    m_parts.back() = std::move(smallest);
    m_scales.back() = scales.back();
}

ReportDocument::~ReportDocument() = default;

int ReportDocument::pageCount() const
{
    return m_firstPages.back() + std::max(1, m_parts.back()->pageCount());
}

std::pair<std::size_t, int> ReportDocument::partOfPage(int index) const
{
    std::size_t part = m_parts.size() - 1;
    while (part > 0 && m_firstPages[part] > index)
        --part;
    return {part, index - m_firstPages[part]};
}

std::unique_ptr<QTextDocument> ReportDocument::decorationDocument(const QString &html,
                                                                  const QString &page,
                                                                  const QString &pages) const
{
    QString text = html;
    text.replace(QLatin1String(kPageToken), page);
    text.replace(QLatin1String(kPagesToken), pages);
    return newDocument(text, QSizeF(m_width, -1));
}

QTextDocument &ReportDocument::decoration(Decoration which, int index) const
{
    const bool header = which == Decoration::Header;
    const QString &html = header ? m_headerHtml : m_footerHtml;
    // Without the page number or count, every page shows the same text.
    if (!html.contains(QLatin1String(kPageToken)) && !html.contains(QLatin1String(kPagesToken)))
        return header ? *m_headerSample : *m_footerSample;
    std::vector<std::unique_ptr<QTextDocument>> &pages = header ? m_headers : m_footers;
    if (pages.size() <= size_t(index))
        pages.resize(index + 1);
    std::unique_ptr<QTextDocument> &document = pages[index];
    if (!document)
        document =
            decorationDocument(html, QString::number(index + 1), QString::number(pageCount()));
    return *document;
}

namespace {
// The text of a document with its no-break spaces kept (QTextDocument's
// own plain text turns them into ordinary spaces).
QString textOf(const QTextDocument &document)
{
    QString text = document.toRawText();
    for (QChar &c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c.unicode() == 0xfdd0 ||
            c.unicode() == 0xfdd1) // frame marks of table cells
            c = QLatin1Char('\n');
    return text;
}
} // namespace

QString ReportDocument::toPlainText() const
{
    QString text;
    if (!m_headerHtml.trimmed().isEmpty())
        text = textOf(decoration(Decoration::Header, 0)) + QLatin1Char('\n');
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        text += (i > 0 ? QStringLiteral("\n") : QString()) + textOf(*m_parts[i]);
    if (!m_footerHtml.trimmed().isEmpty())
        text += QLatin1Char('\n') + textOf(decoration(Decoration::Footer, 0));
    return text;
}

void ReportDocument::paintPage(QPainter &painter, int index, double scale) const
{
    painter.save();
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(0x9a, 0xa5, 0xb1), 0.75));
    const double height = m_headerHeight + m_bodyHeight + m_footerHeight;

    if (m_headerHeight > 0) {
        decoration(Decoration::Header, index).drawContents(&painter);
        painter.drawLine(QPointF(0, m_headerHeight - kGap / 2),
                         QPointF(m_width, m_headerHeight - kGap / 2));
    }
    if (m_footerHeight > 0) {
        const double top = height - m_footerHeight;
        painter.drawLine(QPointF(0, top + kGap / 2), QPointF(m_width, top + kGap / 2));
        painter.save();
        painter.translate(0, top + kGap);
        decoration(Decoration::Footer, index).drawContents(&painter);
        painter.restore();
    }

    const auto [part, page] = partOfPage(index);
    const double partScale = m_scales[part];
    const double pageHeight = m_bodyHeight / partScale;
    painter.translate(0, m_headerHeight);
    painter.scale(partScale, partScale);
    painter.translate(0, -page * pageHeight);
    const QRectF pageRect(0, page * pageHeight, m_width / partScale, pageHeight);
    painter.setClipRect(pageRect);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = pageRect;
    context.palette.setColor(QPalette::Text, Qt::black);
    m_parts[part]->documentLayout()->draw(&painter, context);
    painter.restore();
}

std::vector<ReportDocument::PageText> ReportDocument::pageTexts(int index) const
{
    std::vector<PageText> texts;
    if (index < 0 || index >= pageCount())
        return texts;
    // As paintPage() draws the part: scaled, then moved up to the page.
    const auto [part, page] = partOfPage(index);
    const double partScale = m_scales[part];
    const double pageHeight = m_bodyHeight / partScale;
    const double top = page * pageHeight;
    const QPointF sheet = m_pageLayout.paintRect(QPageLayout::Inch).topLeft() * kLayoutDpi +
                          QPointF(0, m_headerHeight);
    QAbstractTextDocumentLayout *layout = m_parts[part]->documentLayout();
    for (QTextBlock block = m_parts[part]->begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.bottom() <= top || rect.top() >= top + pageHeight || block.text().isEmpty())
            continue;
        const QRectF onPage(rect.left() * partScale, (rect.top() - top) * partScale,
                            rect.width() * partScale, rect.height() * partScale);
        texts.push_back({block.text(), onPage.translated(sheet)});
    }
    return texts;
}

QImage ReportDocument::pageImage(int index, double dpi) const
{
    const QSizeF paper = m_pageLayout.fullRect(QPageLayout::Inch).size() * dpi;
    QImage image(paper.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = m_pageLayout.paintRect(QPageLayout::Inch);
    painter.translate(area.topLeft() * dpi);
    paintPage(painter, index, dpi / kLayoutDpi);
    return image;
}

bool ReportDocument::printTo(QPagedPaintDevice &device, double dpi) const
{
    device.setPageLayout(m_pageLayout);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int index = 0; index < pageCount(); ++index) {
        if (index > 0)
            device.newPage();
        paintPage(painter, index, dpi / kLayoutDpi);
    }
    return painter.end();
}

bool ReportDocument::exportPdf(const QString &path, const QString &title, bool french) const
{
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&written);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setTitle(title);
        if (!printTo(writer, writer.resolution()))
            return false;
    }
    const std::optional<QByteArray> finished =
        fncFinishPdf(written.data(), {french ? QStringLiteral("fr-CA") : QStringLiteral("en-CA"),
                                      fncDocumentAuthor()});
    if (!finished)
        return false;
    // Written beside the target and put in its place once whole: a full disk
    // or a second export at the same moment never leaves a cut or mixed file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*finished) != finished->size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
