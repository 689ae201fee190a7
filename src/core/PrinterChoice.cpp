#include "core/PrinterChoice.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

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

void showPrintPreview(QPrinter &printer, QWidget *parent,
                      const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter *target) { paint(*target); });
    preview.resize(parent ? parent->window()->size() : QSize(900, 700));
    preview.exec();
}
