#pragma once

#include "import/ImportAmount.h"

#include <QList>
#include <QString>
#include <optional>

// One sheet of a statement file as its cells read, whatever the file's kind.

struct ImportCell
{
    QString text;                 // what the cell shows as text (a date as yyyy-MM-dd)
    std::optional<double> number; // a cell the spreadsheet holds as a number
    bool date = false;            // a number the spreadsheet shows as a date

    bool isEmpty() const { return !number && text.trimmed().isEmpty(); }
};

// Why a file cannot be used; nothing is imported from it.
enum class ImportFault {
    None,
    CannotOpen,        // the file cannot be read
    NotSpreadsheet,    // neither an .xlsx workbook nor a comma-separated text
    PasswordProtected, // an encrypted workbook
    Empty,             // no cells at all
    MixedSeparators,   // a CSV whose lines are split by different separators
    NoAmountColumn,    // no column of amounts beside the items
    NoItems,           // no row names a statement item
    UnknownColumn,     // the amount column asked for is not in the file
    ColumnNotChosen,   // several amount columns, and none was named
};

struct ImportTable
{
    QList<QList<ImportCell>> rows; // rows[0] is the file's row 1
    DecimalComma comma = DecimalComma::WhenUnclear;
};

struct ImportRead
{
    ImportFault fault = ImportFault::None;
    ImportTable table;
};
