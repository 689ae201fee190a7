#include "reports/ReportPageView.h"

#include "core/Messages.h"
#include "reports/ReportDocument.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr double kScreenDpi = 96.0;
const double kZoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};

QPushButton *toolButton(QWidget *parent, const QString &name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
} // namespace

ReportPageView::ReportPageView(QWidget *parent) : QWidget(parent)
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
    for (const double step : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(qRound(step * 100)), step);
    m_zoomIn = toolButton(this, QStringLiteral("btnZoomIn"), QStringLiteral("+"));
    m_print = toolButton(this, QStringLiteral("btnPrint"), QString());
    m_pdf = toolButton(this, QStringLiteral("btnExportPdf"), QString());

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
    tools->addWidget(m_pdf);

    m_sheet = new QLabel;
    m_sheet->setObjectName(QStringLiteral("lblSheet"));
    m_sheet->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPages"));
    m_scroll->setWidget(m_sheet);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tools);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { setCurrentPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { setCurrentPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { setCurrentPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { setCurrentPage(pageCount() - 1); });
    connect(m_zoomIn, &QPushButton::clicked, this, [this] {
        for (const double step : kZoomSteps)
            if (step > m_zoom + 1e-9) {
                setZoom(step);
                return;
            }
    });
    connect(m_zoomOut, &QPushButton::clicked, this, [this] {
        for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
            if (*it < m_zoom - 1e-9) {
                setZoom(*it);
                return;
            }
    });
    connect(m_zoomBox, &QComboBox::activated, this,
            [this](int index) { setZoom(m_zoomBox->itemData(index).toDouble()); });
    connect(m_print, &QPushButton::clicked, this, [this] { printReport(); });
    connect(m_pdf, &QPushButton::clicked, this, [this] { exportPdf(); });

    m_zoomBox->setCurrentIndex(m_zoomBox->findData(m_zoom));
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

void ReportPageView::ViewReport()
{
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

void ReportPageView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, kZoomSteps[0], kZoomSteps[std::size(kZoomSteps) - 1]);
    const int index = m_zoomBox->findData(m_zoom);
    if (index >= 0)
        m_zoomBox->setCurrentIndex(index);
    if (m_document)
        showPage();
}

void ReportPageView::setFrench(bool french)
{
    m_french = french;
    m_print->setText(french ? QStringLiteral("Imprimer") : QStringLiteral("Print"));
    m_pdf->setText(french ? QStringLiteral("Exporter en PDF") : QStringLiteral("Export to PDF"));
    m_first->setToolTip(french ? QStringLiteral("Première page") : QStringLiteral("First page"));
    m_previous->setToolTip(french ? QStringLiteral("Page précédente")
                                  : QStringLiteral("Previous page"));
    m_next->setToolTip(french ? QStringLiteral("Page suivante") : QStringLiteral("Next page"));
    m_last->setToolTip(french ? QStringLiteral("Dernière page") : QStringLiteral("Last page"));
    m_zoomOut->setToolTip(french ? QStringLiteral("Réduire") : QStringLiteral("Zoom out"));
    m_zoomIn->setToolTip(french ? QStringLiteral("Agrandir") : QStringLiteral("Zoom in"));
    updateControls();
}

void ReportPageView::showPage()
{
    if (!m_document)
        return;
    const double ratio = devicePixelRatioF();
    QImage image = m_document->pageImage(m_page, kScreenDpi * m_zoom * ratio);
    image.setDevicePixelRatio(ratio);
    m_sheet->setPixmap(QPixmap::fromImage(image));
    updateControls();
    emit pageShown(m_page);
}

void ReportPageView::updateControls()
{
    const int count = pageCount();
    m_pageLabel->setText(count == 0 ? QString()
                                    : QStringLiteral("%1 / %2").arg(m_page + 1).arg(count));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
    m_print->setEnabled(count > 0);
    m_pdf->setEnabled(count > 0);
}

bool ReportPageView::printReport()
{
    if (!m_document)
        return false;
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        ShowMessage(m_french
                        ? QStringLiteral("Il n'y a pas d'imprimante de rattaché à votre machine.")
                        : QStringLiteral("There is no printer connected to your computer."),
                    MsgButtons::Ok, MsgIcon::Information, QString(), window());
        return false;
    }
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(window()->windowTitle());
    if (!m_document->printTo(printer, printer.resolution())) {
        ShowMessage(m_french ? QStringLiteral("Le rapport n'a pu être imprimé.")
                             : QStringLiteral("The report could not be printed."),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), window());
        return false;
    }
    return true;
}

void ReportPageView::setExportPathProvider(std::function<QString()> provider)
{
    m_exportPath = std::move(provider);
}

bool ReportPageView::exportPdf()
{
    if (!m_document)
        return false;
    QString path = m_exportPath
                       ? m_exportPath()
                       : QFileDialog::getSaveFileName(window(),
                                                      m_french ? QStringLiteral("Exporter en PDF")
                                                               : QStringLiteral("Export to PDF"),
                                                      QString(), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return false; // the user cancelled
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!m_document->exportPdf(path)) {
        ShowMessage((m_french ? QStringLiteral("Le fichier PDF n'a pu être écrit : ")
                              : QStringLiteral("The PDF file could not be written: ")) +
                        path,
                    MsgButtons::Ok, MsgIcon::Warning, QString(), window());
        return false;
    }
    return true;
}
