#pragma once

#include "core/PrinterChoice.h"
#include "search/PrintWrapping.h"

#include <QDate>
#include <QVector>

class QPrinter;

// The line at the top of every printed page of a definition: the industry
// on the left, the day of printing on the right.
struct PrintHeader
{
    QString industry;
    QString date;
};

// The header of a definition printed on `day`, in the program's language.
PrintHeader definitionPrintHeader(const QString &industry, const QDate &day, bool french);

// Prints the lines as one document, starting a new page when one is full,
// under the header on every page. A line's leading blanks give its indent,
// measured in the body's font so that the title and the text line up.
// Returns false when the printer would not take the job.
bool printLines(QPrinter &printer, const QVector<PrintLine> &lines, const PrintHeader &header);
