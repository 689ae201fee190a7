#include "reports/ReportPageView.h"

#include "core/Messages.h"
#include "core/PrinterChoice.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "reports/ExplainPlacement.h"
#include "reports/RatioExplainPanel.h"
#include "reports/ReportDocument.h"
#include "reports/ReportError.h"
#include "reports/ReportPageSheet.h"
#include "reports/SpreadsheetExport.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr double kScreenDpi = 96.0;
constexpr int kSheetMargin = 8; // free space around the page in the view
constexpr int kFitWidthItem = 0;
constexpr int kWholePageItem = 1;
constexpr int kFirstStepItem = 2;

QPushButton *toolButton(QWidget *parent, const QString &name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

struct ExportKind
{
    const char *extension;
    int filterId; // the file dialog's filter
};

ExportKind exportKind(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Xlsx:
        return {"xlsx", 2648};
    case ExportFormat::Csv:
        return {"csv", 2650};
    case ExportFormat::Pdf:
        break;
    }
    return {"pdf", 2652};
}

// The view's texts are in the report's language, not the program's.
QString viewText(int id, bool french)
{
    return ResourceString(id, french ? Language::French : Language::English);
}
} // namespace

ReportPageView::ReportPageView(QWidget *parent) : QWidget(parent), m_choice(sessionZoomChoice())
{
    m_first = toolButton(this, QStringLiteral("btnFirstPage"), QStringLiteral("|◀"));
    m_previous = toolButton(this, QStringLiteral("btnPreviousPage"), QStringLiteral("◀"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_next = toolButton(this, QStringLiteral("btnNextPage"), QStringLiteral("▶"));
    m_last = toolButton(this, QStringLiteral("btnLastPage"), QStringLiteral("▶|"));
    m_zoomOut = toolButton(this, QStringLiteral("btnZoomOut"), QStringLiteral("−"));
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("cboZoom"));
    m_zoomBox->addItem(QString());
    m_zoomBox->addItem(QString());
    for (const double step : zoomSteps())
        m_zoomBox->addItem(QString(), step);
    m_zoomBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_zoomIn = toolButton(this, QStringLiteral("btnZoomIn"), QStringLiteral("+"));
    m_print = toolButton(this, QStringLiteral("btnPrint"), QString());
    m_export = toolButton(this, QStringLiteral("btnExport"), QString());
    auto *exportMenu = new QMenu(m_export);
    exportMenu->setObjectName(QStringLiteral("mnuExport"));
    m_exportPdf = exportMenu->addAction(QString());
    m_exportPdf->setObjectName(QStringLiteral("mnuExportPdf"));
    m_exportXlsx = exportMenu->addAction(QString());
    m_exportXlsx->setObjectName(QStringLiteral("mnuExportXlsx"));
    m_exportCsv = exportMenu->addAction(QString());
    m_exportCsv->setObjectName(QStringLiteral("mnuExportCsv"));
    m_export->setMenu(exportMenu);

    auto *tools = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(m_first), static_cast<QWidget *>(m_previous),
                       static_cast<QWidget *>(m_pageLabel), static_cast<QWidget *>(m_next),
                       static_cast<QWidget *>(m_last)})
        tools->addWidget(w);
    tools->addSpacing(16);
    tools->addWidget(m_zoomOut);
    tools->addWidget(m_zoomBox);
    tools->addWidget(m_zoomIn);
    tools->addStretch();
    tools->addWidget(m_print);
    tools->addWidget(m_export);

    m_sheet = new ReportPageSheet;
    m_sheet->setObjectName(QStringLiteral("lblSheet"));
    m_sheet->setFocusPolicy(Qt::StrongFocus);
    m_sheet->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPages"));
    m_scroll->setWidget(m_sheet);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);
    // A scroll bar that comes and goes would change the width a fitted page
    // is drawn for.
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tools);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { setCurrentPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { setCurrentPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { setCurrentPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { setCurrentPage(pageCount() - 1); });
    connect(m_zoomIn, &QPushButton::clicked, this, [this] { setZoomChoice(zoomedIn(m_zoom)); });
    connect(m_zoomOut, &QPushButton::clicked, this, [this] { setZoomChoice(zoomedOut(m_zoom)); });
    connect(m_zoomBox, &QComboBox::activated, this, [this](int index) {
        if (index == kFitWidthItem)
            setZoomChoice({ZoomChoice::Kind::FitWidth, 1.0});
        else if (index == kWholePageItem)
            setZoomChoice({ZoomChoice::Kind::WholePage, 1.0});
        else
            setZoomChoice({ZoomChoice::Kind::Fixed, m_zoomBox->itemData(index).toDouble()});
    });
    connect(m_print, &QPushButton::clicked, this, [this] { printReport(); });
    connect(m_exportPdf, &QAction::triggered, this, [this] { exportReport(ExportFormat::Pdf); });
    connect(m_exportXlsx, &QAction::triggered, this, [this] { exportReport(ExportFormat::Xlsx); });
    connect(m_exportCsv, &QAction::triggered, this, [this] { exportReport(ExportFormat::Csv); });

    // The keys work wherever the focus is in the report's window.
    const auto shortcut = [this](const QKeySequence &keys, auto handler) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(Qt::Key_PageDown), [this] { scrollPage(1); });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] { scrollPage(-1); });
    shortcut(QKeySequence(Qt::Key_Home), [this] { setCurrentPage(0); });
    shortcut(QKeySequence(Qt::Key_End), [this] { setCurrentPage(pageCount() - 1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { setZoomChoice(zoomedIn(m_zoom)); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { setZoomChoice(zoomedIn(m_zoom)); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { setZoomChoice(zoomedOut(m_zoom)); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] {
        setZoomChoice({ZoomChoice::Kind::FitWidth, 1.0});
    });

    m_explainPanel = new RatioExplainPanel(this);
    connect(m_explainPanel, &RatioExplainPanel::closed, this, [this] {
        if (m_explainer)
            m_sheet->setFocus(Qt::OtherFocusReason);
    });
    m_ratioMark = new QFrame(m_sheet);
    m_ratioMark->setObjectName(QStringLiteral("fraRatioMark"));
    m_ratioMark->setStyleSheet(QStringLiteral("#fraRatioMark { border: 2px solid #2f6fdb; }"));
    m_ratioMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ratioMark->hide();
    m_sheet->installEventFilter(this);

    updateZoomBox();
    setFrench(false);
}

ReportPageView::~ReportPageView() = default;

void ReportPageView::setReportSource(std::unique_ptr<ReportDocument> document)
{
    m_document = std::move(document);
    m_page = 0;
    m_sheet->clear();
    updateControls();
}

void ReportPageView::setReportIdentity(const ReportIdentity &identity)
{
    m_identity = identity;
}

void ReportPageView::setWorkbookSource(WorkbookSource source)
{
    m_workbook = std::move(source);
    updateControls();
}

void ReportPageView::setRatioExplainer(RatioExplainer explainer)
{
    m_explainer = std::move(explainer);
    // Focusable in every report: a screen reader reads the page from there.
    m_sheet->setFocusPolicy(Qt::StrongFocus);
    m_sheet->setCursor(Qt::ArrowCursor);
}

std::vector<ReportPageView::RatioSpot> ReportPageView::ratioSpots() const
{
    std::vector<RatioSpot> spots;
    if (!m_document || !m_explainer || m_sheet->pixmap().isNull())
        return spots;
    // The page is drawn at m_zoom, centred in the sheet.
    const QSizeF drawn = m_sheet->pixmap().deviceIndependentSize();
    const QPointF origin((m_sheet->width() - drawn.width()) / 2,
                         (m_sheet->height() - drawn.height()) / 2);
    for (const ReportDocument::PageText &text : m_document->pageTexts(m_page)) {
        const std::optional<RatioId> id = ratioNamed(text.text);
        if (!id)
            continue;
        const QRectF rect(origin + text.rect.topLeft() * m_zoom, text.rect.size() * m_zoom);
        spots.push_back({*id, rect.toAlignedRect(), text.text});
    }
    return spots;
}

bool ReportPageView::explainAt(const QPoint &sheetPoint)
{
    for (const RatioSpot &spot : ratioSpots()) {
        if (spot.rect.contains(sheetPoint)) {
            explainSpot(spot);
            return true;
        }
    }
    return false;
}

bool ReportPageView::markNextRatio(bool forward)
{
    const std::vector<RatioSpot> spots = ratioSpots();
    if (spots.empty()) {
        clearRatioMark();
        return false;
    }
    const int count = int(spots.size());
    if (m_markedSpot < 0 || m_markedSpot >= count)
        m_markedSpot = forward ? 0 : count - 1;
    else
        m_markedSpot = (m_markedSpot + (forward ? 1 : count - 1)) % count;
    const QRect rect = spots[m_markedSpot].rect.adjusted(-3, -2, 3, 2);
    m_ratioMark->setGeometry(rect);
    m_ratioMark->show();
    // A screen reader says the ratio's row: its name, value, position and
    // the industry's median.
    const QString name = spots[m_markedSpot].text;
    QString sentence = m_sheet->reading().rowSentence(name);
    // A ratio of the position chart has its figures in the ratios' table,
    // which may be on another page.
    for (int page = 0; sentence.isEmpty() && page < pageCount(); ++page)
        sentence = m_document->pageReading(page).rowSentence(name);
    m_sheet->announce(sentence.isEmpty() ? name : sentence);
    m_scroll->ensureVisible(rect.center().x(), rect.center().y(), 40, rect.height() + 40);
    return true;
}

void ReportPageView::clearRatioMark()
{
    m_markedSpot = -1;
    m_ratioMark->hide();
    m_sheet->announce(QString());
}

QRect ReportPageView::explainRoom() const
{
    const QWidget *viewport = m_scroll->viewport();
    return QRect(viewport->mapTo(this, QPoint(0, 0)), viewport->size()).adjusted(8, 8, -8, -8);
}

QRect ReportPageView::rowInView(const RatioSpot &spot) const
{
    // The row runs across the drawn page, from the ratio's name to its last
    // figure (or across the chart, for a bar).
    const QSizeF drawn = m_sheet->pixmap().deviceIndependentSize();
    const int pageLeft = int((m_sheet->width() - drawn.width()) / 2);
    QRect row(QPoint(pageLeft, spot.rect.top()), QSize(int(drawn.width()), spot.rect.height()));
    row.moveTopLeft(m_sheet->mapTo(this, row.topLeft()));
    const QRect view = explainRoom().adjusted(-8, 0, 8, 0);
    row.setLeft(std::max(row.left(), view.left()));
    row.setRight(std::min(row.right(), view.right()));
    return row;
}

void ReportPageView::explainSpot(const RatioSpot &spot)
{
    m_explainPanel->explain(m_explainer(spot.id), m_french, rowInView(spot), explainRoom());
    // A row near the edge of a full-width page leaves no room for the panel:
    // the row is scrolled to the top of the view, and the panel goes below it.
    if (!explainPanelFits(explainRoom(), rowInView(spot), m_explainPanel->size())) {
        QScrollBar *bar = m_scroll->verticalScrollBar();
        bar->setValue(bar->value() + rowInView(spot).top() - explainRoom().top());
        m_explainPanel->move(
            explainPanelPlace(explainRoom(), rowInView(spot), m_explainPanel->size()));
    }
}

bool ReportPageView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_sheet || !m_explainer)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && !explainAt(mouse->position().toPoint()))
            m_explainPanel->hide();
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // Tab walks the page's ratio names; past the last, the focus moves on.
            const std::vector<RatioSpot> spots = ratioSpots();
            const bool forward = key->key() == Qt::Key_Tab;
            const bool atEnd = forward ? m_markedSpot == int(spots.size()) - 1 : m_markedSpot == 0;
            if (spots.empty() || atEnd) {
                clearRatioMark();
                return false;
            }
            markNextRatio(forward);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_markedSpot >= 0) {
            const std::vector<RatioSpot> spots = ratioSpots();
            if (m_markedSpot < int(spots.size()))
                explainSpot(spots[m_markedSpot]);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (!m_explainPanel->isVisible())
            m_ratioMark->hide();
    } else if (event->type() == QEvent::FocusIn && m_markedSpot >= 0) {
        m_ratioMark->show();
    }
    return QWidget::eventFilter(watched, event);
}

void ReportPageView::ViewReport()
{
    // A page fitted to the view waits for the window to show: only then does
    // the view have its size.
    if (!isVisible() && m_choice.kind != ZoomChoice::Kind::Fixed) {
        m_viewPending = true;
        return;
    }
    showPage();
}

int ReportPageView::pageCount() const
{
    return m_document ? m_document->pageCount() : 0;
}

void ReportPageView::setCurrentPage(int page)
{
    if (!m_document)
        return;
    const int bounded = std::clamp(page, 0, pageCount() - 1);
    if (bounded == m_page && !m_sheet->pixmap().isNull())
        return;
    m_page = bounded;
    showPage();
    m_scroll->verticalScrollBar()->setValue(0);
}

void ReportPageView::setZoomChoice(const ZoomChoice &choice)
{
    m_choice = choice;
    setSessionZoomChoice(choice);
    updateZoomBox();
    if (m_document)
        showPage();
}

void ReportPageView::updateZoomBox()
{
    int index = kFitWidthItem;
    if (m_choice.kind == ZoomChoice::Kind::WholePage)
        index = kWholePageItem;
    else if (m_choice.kind == ZoomChoice::Kind::Fixed)
        index = std::max(m_zoomBox->findData(m_choice.factor), kFirstStepItem);
    m_zoomBox->setCurrentIndex(index);
}

void ReportPageView::setFrench(bool french)
{
    m_french = french;
    const auto text = [french](int id) { return viewText(id, french); };
    m_print->setText(text(2620));
    m_export->setText(text(2622));
    m_exportPdf->setText(text(2624));
    m_exportXlsx->setText(text(2626));
    m_exportCsv->setText(text(2628));
    m_zoomBox->setItemText(kFitWidthItem, text(2630));
    m_zoomBox->setItemText(kWholePageItem, text(2632));
    // "100%" in English, "100 %" (a space that never breaks) in French.
    for (int item = kFirstStepItem; item < m_zoomBox->count(); ++item)
        m_zoomBox->setItemText(item,
                               QString::number(qRound(m_zoomBox->itemData(item).toDouble() * 100)) +
                                   (french ? QStringLiteral("\u00a0%") : QStringLiteral("%")));
    m_zoomBox->setToolTip(text(2634));
    m_first->setToolTip(text(2636));
    m_previous->setToolTip(text(2638));
    m_next->setToolTip(text(2640));
    m_last->setToolTip(text(2642));
    m_zoomOut->setToolTip(text(2644));
    m_zoomIn->setToolTip(text(2646));
    // The buttons show symbols: screen readers say what they do.
    m_first->setAccessibleName(text(2636));
    m_previous->setAccessibleName(text(2638));
    m_next->setAccessibleName(text(2640));
    m_last->setAccessibleName(text(2642));
    m_zoomOut->setAccessibleName(text(2644));
    m_zoomIn->setAccessibleName(text(2646));
    m_zoomBox->setAccessibleName(text(2634));
    updateControls();
}

void ReportPageView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    scheduleRefit();
}

void ReportPageView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_viewPending) {
        m_viewPending = false;
        showPage();
    }
}

void ReportPageView::scheduleRefit()
{
    if (!m_document || m_choice.kind == ZoomChoice::Kind::Fixed || m_refitPending)
        return;
    // One redraw once the window has its new size, however many resizes
    // came before it.
    m_refitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_refitPending = false;
        // The first resize comes as the window shows, with the page already
        // drawn at that size: drawn again only if the fit changed.
        if (m_sheet->pixmap().isNull() || fittedZoom() != m_zoom ||
            devicePixelRatioF() != m_sheet->pixmap().devicePixelRatio())
            showPage();
    });
}

double ReportPageView::fittedZoom() const
{
    const QSizeF page = m_document->pageLayout().fullRectPixels(int(kScreenDpi)).size();
    return zoomFactor(m_choice, page, m_scroll->viewport()->size(), kSheetMargin);
}

void ReportPageView::showPage()
{
    if (!m_document)
        return;
    m_zoom = fittedZoom();
    const double ratio = devicePixelRatioF();
    QImage image = m_document->pageImage(m_page, kScreenDpi * m_zoom * ratio);
    image.setDevicePixelRatio(ratio);
    m_sheet->setPixmap(QPixmap::fromImage(image));
    m_sheet->setReading(m_document->pageReading(m_page),
                        viewText(kReportPageName, m_french).arg(m_page + 1).arg(pageCount()));
    clearRatioMark();
    m_explainPanel->hide();
    updateControls();
    emit pageShown(m_page);
}

void ReportPageView::scrollPage(int direction)
{
    QScrollBar *bar = m_scroll->verticalScrollBar();
    const bool atEdge = direction > 0 ? bar->value() >= bar->maximum() : bar->value() <= 0;
    if (!atEdge) {
        bar->setValue(bar->value() + direction * bar->pageStep());
        return;
    }
    const int target = m_page + direction;
    if (target < 0 || target >= pageCount())
        return;
    setCurrentPage(target);
    // Going back shows the end of the page before.
    if (direction < 0)
        bar->setValue(bar->maximum());
}

void ReportPageView::updateControls()
{
    const int count = pageCount();
    m_pageLabel->setText(count == 0 ? QString()
                                    : QStringLiteral("%1 / %2").arg(m_page + 1).arg(count));
    m_pageLabel->setAccessibleName(
        count == 0 ? QString() : viewText(kPageOfPages, m_french).arg(m_page + 1).arg(count));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
    m_print->setEnabled(count > 0);
    m_export->setEnabled(count > 0);
    m_exportXlsx->setEnabled(static_cast<bool>(m_workbook));
    m_exportCsv->setEnabled(static_cast<bool>(m_workbook));
}

bool ReportPageView::paintPages(QPrinter &printer, int first, int last) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int index = first; index <= last; ++index) {
        if (index > first)
            printer.newPage();
        m_document->paintPage(painter, index, printer.resolution() / kScreenDpi);
    }
    return painter.end();
}

bool ReportPageView::printReport()
{
    if (!m_document)
        return false;
    std::unique_ptr<QPrinter> printer = obtainPrinter();
    if (!printer) {
        ShowMessage(viewText(kNoPrinterText, m_french), MsgButtons::Ok, MsgIcon::Information,
                    QString(), window());
        return false;
    }
    printer->setDocName(m_identity.kind.isEmpty() ? window()->windowTitle()
                                                  : printJobName(m_identity));
    // The paper and its orientation are the layout's; the dialog offers them.
    printer->setPageLayout(m_document->pageLayout());
    const PrintChoice choice =
        askPrintSettings(*printer, window(), pageCount(), viewText(kPreviewButton, m_french));
    if (choice == PrintChoice::Cancel)
        return false;
    if (choice == PrintChoice::Preview) {
        showPrintPreview(*printer, window(),
                         [this](QPrinter &target) { paintPages(target, 0, pageCount() - 1); });
        return true;
    }
    int first = 0;
    int last = pageCount() - 1;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        first = std::clamp(printer->fromPage() - 1, 0, last);
        last = std::clamp(printer->toPage() - 1, first, last);
    }
    if (!paintPages(*printer, first, last)) {
        ShowMessage(viewText(kReportNotPrinted, m_french), MsgButtons::Ok, MsgIcon::Warning,
                    QString(), window());
        return false;
    }
    return true;
}

void ReportPageView::setExportPathProvider(ExportPathProvider provider)
{
    m_exportPath = std::move(provider);
}

QString ReportPageView::suggestedExportPath(ExportFormat format) const
{
    const QString extension = QString::fromLatin1(exportKind(format).extension);
    const QString name = m_identity.kind.isEmpty()
                             ? safeFileName(window()->windowTitle()) + QLatin1Char('.') + extension
                             : suggestedExportFileName(m_identity, extension);
    return exportFolder() + QLatin1Char('/') + name;
}

bool ReportPageView::exportReport(ExportFormat format)
{
    if (!m_document)
        return false;
    const ExportKind kind = exportKind(format);
    const QString suggested = suggestedExportPath(format);
    QString path =
        m_exportPath
            ? m_exportPath(suggested, format)
            : QFileDialog::getSaveFileName(window(), viewText(kExportReportTitle, m_french),
                                           suggested, viewText(kind.filterId, m_french));
    if (path.isEmpty())
        return false; // the user cancelled
    const QString extension = QLatin1Char('.') + QString::fromLatin1(kind.extension);
    if (!path.endsWith(extension, Qt::CaseInsensitive))
        path += extension;
    if (!writeExport(format, path)) {
        ShowMessage(viewText(kExportNotWritten, m_french).arg(path), MsgButtons::Ok,
                    MsgIcon::Warning, QString(), window());
        return false;
    }
    rememberExportFolder(path);
    return true;
}

bool ReportPageView::writeExport(ExportFormat format, const QString &path)
{
    if (format == ExportFormat::Pdf)
        return m_document->exportPdf(path,
                                     m_identity.kind.isEmpty() ? window()->windowTitle()
                                                               : reportDocumentTitle(m_identity),
                                     m_french);
    if (!m_workbook)
        return false;
    try {
        const ReportWorkbook workbook = m_workbook();
        return format == ExportFormat::Xlsx ? writeXlsx(workbook, path) : writeCsv(workbook, path);
    } catch (const ReportError &) {
        return false; // the report's tables cannot be read again
    }
}
