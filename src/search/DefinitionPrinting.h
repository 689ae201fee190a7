#pragma once

#include "search/PrintWrapping.h"

#include <QVector>
#include <functional>
#include <memory>

class QPrinter;

// Where a printed definition goes: the system's default printer, unless a
// replacement is installed (tests print to a PDF file).

using PrinterProvider = std::function<std::unique_ptr<QPrinter>()>;

// Replaces the printer (an empty provider restores the default printer).
void setPrinterProvider(PrinterProvider provider);

// The printer to print on, or nullptr when the system has none.
std::unique_ptr<QPrinter> obtainPrinter();

// Prints the lines as one document, starting a new page when one is full.
// Returns false when the printer would not take the job.
bool printLines(QPrinter &printer, const QVector<PrintLine> &lines);
