#pragma once

#include "import/ImportAmount.h"

#include <QList>
#include <QString>
#include <QStringList>
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
    CannotOpen,          // the file cannot be read
    NotSpreadsheet,      // neither a workbook (.xlsx, .ods) nor a comma-separated text
    PasswordProtected,   // an encrypted workbook
    Empty,               // no cells at all
    MixedSeparators,     // a CSV whose lines are split by different separators
    NoAmountColumn,      // no column of amounts beside the items
    NoItems,             // no row names a statement item
    UnknownColumn,       // the amount column asked for is not in the file
    ColumnNotChosen,     // several amount columns, and none was named
    TooLarge,            // beyond the size a statement file can have (faultPlaces: the limit)
    BeyondSheetLimits,   // a cell beyond the format's last row or column (faultPlaces: the cell)
    FormulaWithoutValue, // formulas with no saved value that cannot be worked out (faultPlaces:
                         // cells)
    RaggedCsvRow,        // a CSV line that splits otherwise than the others (faultPlaces: "12")
    OwnExport,           // a comparison or report this program exported, not a statement
    SheetNotChosen,      // several sheets hold a statement, and none was named (faultPlaces: names)
    UnknownSheet,        // the sheet asked for is not in the workbook (faultPlaces: the names)
    NothingFilled,       // the file gives no amount for any statement item
};

struct ImportTable
{
    // The sheet's rows that hold something, in order, each as its cells from
    // the first column that holds something in any row. rowNumbers and
    // columnNumbers give the file's own positions, so that a cell far down
    // or right costs nothing for the empty ones before it.
    QList<QList<ImportCell>> rows;
    QList<int> rowNumbers;    // the file's row (from 1) of each row; empty: index + 1
    QList<int> columnNumbers; // the file's column (from 0) of each column; empty: the index
    DecimalComma comma = DecimalComma::WhenUnclear;
    QString sheetName;     // the sheet's name in its workbook; empty for a CSV
    int hiddenRows = 0;    // rows hidden in the workbook, left out of `rows`
    int hiddenColumns = 0; // hidden columns, left out of every row

    int rowNumber(int row) const { return row < rowNumbers.size() ? rowNumbers[row] : row + 1; }
    int columnNumber(int column) const
    {
        return column < columnNumbers.size() ? columnNumbers[column] : column;
    }
};

struct ImportRead
{
    ImportFault fault = ImportFault::None;
    // Every sheet of a workbook, in its order; one for a CSV.
    QList<ImportTable> sheets;
    // What the fault names: cells ("Sheet1!B8"), a CSV line, sheet names, a limit.
    QStringList faultPlaces;
};
