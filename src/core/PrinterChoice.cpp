#include "core/PrinterChoice.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace {
PrinterProvider &installedProvider()
{
    static PrinterProvider provider;
    return provider;
}

PrintDialogRunner &installedRunner()
{
    static PrintDialogRunner runner;
    return runner;
}

constexpr int kPreviewResult = 2;

PrintChoice runDialog(QPrintDialog &dialog, const QString &previewText)
{
    // Qt's own print dialog keeps its buttons in one button box: the preview
    // button joins OK and Cancel there.
    if (auto *box = dialog.findChild<QDialogButtonBox *>()) {
        QPushButton *preview = box->addButton(previewText, QDialogButtonBox::ActionRole);
        preview->setObjectName(QStringLiteral("btnPrintPreview"));
        QObject::connect(preview, &QPushButton::clicked, &dialog,
                         [&dialog] { dialog.done(kPreviewResult); });
    }
    const int result = dialog.exec();
    if (result == kPreviewResult)
        return PrintChoice::Preview;
    return result == QDialog::Accepted ? PrintChoice::Print : PrintChoice::Cancel;
}
} // namespace

void setPrinterProvider(PrinterProvider provider)
{
    installedProvider() = std::move(provider);
}

std::unique_ptr<QPrinter> obtainPrinter()
{
    if (installedProvider())
        return installedProvider()();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void setPrintDialogRunner(PrintDialogRunner runner)
{
    installedRunner() = std::move(runner);
}

PrintChoice askPrintSettings(QPrinter &printer, QWidget *parent, int pageCount,
                             const QString &previewText)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintCollateCopies |
                                                       QAbstractPrintDialog::PrintShowPageSize;
    if (pageCount > 0) {
        options |= QAbstractPrintDialog::PrintPageRange;
        dialog.setMinMax(1, pageCount);
    }
    dialog.setOptions(options);
    if (installedRunner())
        return installedRunner()(dialog);
    return runDialog(dialog, previewText);
}

void fitPreviewToScreen(QDialog &preview, const QSize &wanted)
{
    const QScreen *display = preview.screen() ? preview.screen() : QGuiApplication::primaryScreen();
    // Room for the window's frame and title bar.
    const QSize room = display ? display->availableGeometry().size() - QSize(24, 48) : wanted;
    QSize size = wanted;
    if (auto *bar = preview.findChild<QToolBar *>()) {
        const QMargins margins =
            preview.layout() ? preview.layout()->contentsMargins() : QMargins(9, 9, 9, 9);
        const auto barWidth = [&] {
            return bar->sizeHint().width() + margins.left() + margins.right();
        };
        // Smaller icons on a narrow screen, so that no button goes behind "»".
        while (barWidth() > room.width() && bar->iconSize().width() > 16)
            bar->setIconSize(bar->iconSize() - QSize(2, 2));
        size.setWidth(std::max(size.width(), barWidth()));
    }
    preview.resize(size.boundedTo(room));
}

void showPrintPreview(QPrinter &printer, QWidget *parent,
                      const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter *target) { paint(*target); });
    fitPreviewToScreen(preview, parent ? parent->window()->size() : QSize(900, 700));
    preview.exec();
}
