#pragma once

#include "import/ImportTable.h"

#include <QList>
#include <QString>
#include <optional>

// A statement file read and laid out: which rows name statement items, which
// columns hold amounts, and the firm and year it names. Importing then takes
// the amounts of one of its amount columns (StatementImport.h).

struct AmountColumn
{
    int column = 0;  // from 0
    QString heading; // the column's heading, or its letter when it has none
};

struct ItemRow
{
    int row = 0;  // from 0
    int item = 0; // index into statementItems()
    int labelColumn = 0;
};

struct StatementFile
{
    ImportFault fault = ImportFault::None;
    ImportTable table;
    // The columns that may hold the statement's amounts: those headed by an
    // amount heading ("Amount", "Montant", a year such as "2006") in the
    // heading row nearest above the first item; without such a row, those
    // holding an amount on an item's row.
    QList<AmountColumn> amountColumns;
    int headingRow = -1;     // -1 without a heading row
    QList<ItemRow> itemRows; // in the file's order
    QList<int> identityRows; // the rows naming the firm and the year
    QString firmName;        // empty when the file names none
    std::optional<int> year; // when the file names one
};

// Reads a .xlsx workbook or a comma-separated text, whatever its name's
// extension says, and lays it out. The fault says why a file cannot be used.
StatementFile readStatementFile(const QString &path);

// The file's layout of the cells already read.
StatementFile layOutStatement(const ImportRead &read);

// The position in amountColumns of the column named `name` (its heading,
// compared as labels are, or its letter); -1 when none is.
int amountColumnIndex(const StatementFile &file, const QString &name);

// The letters of a column (0 gives "A", 27 gives "AB").
QString columnLetters(int column);
