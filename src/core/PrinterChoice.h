#pragma once

#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QPrintDialog;
class QPrinter;
class QSize;
class QWidget;

// Where the program prints: the system's default printer, chosen and set up
// by the user in the platform's print dialog. Tests replace the printer
// (a PDF file) and answer the dialog instead of showing it.

using PrinterProvider = std::function<std::unique_ptr<QPrinter>()>;

// How a print dialog ended.
enum class PrintChoice { Cancel, Print, Preview };

// Answers a print dialog set up for a job; tests install one that inspects
// the dialog and answers without showing it.
using PrintDialogRunner = std::function<PrintChoice(QPrintDialog &)>;

// Replaces the printer (an empty provider restores the default printer).
void setPrinterProvider(PrinterProvider provider);

// The printer to print on, or nullptr when the system has none.
std::unique_ptr<QPrinter> obtainPrinter();

// Replaces the dialog (an empty runner restores the window).
void setPrintDialogRunner(PrintDialogRunner runner);

// Shows the print dialog for `printer` over `parent`, with a "Preview"
// button beside OK and Cancel. `pageCount` bounds the page range the user
// may choose; 0 leaves the range out.
PrintChoice askPrintSettings(QPrinter &printer, QWidget *parent, int pageCount,
                             const QString &previewText);

// Shows the platform's print preview of what `paint` draws on the printer;
// the user prints from there or closes it.
// Sizes a print preview to `wanted`, made wide enough for its whole tool bar
// (with smaller icons where the screen is narrow) and kept within the screen.
void fitPreviewToScreen(QDialog &preview, const QSize &wanted);

void showPrintPreview(QPrinter &printer, QWidget *parent,
                      const std::function<void(QPrinter &)> &paint);
