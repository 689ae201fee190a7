#pragma once

#include "import/ImportTable.h"
#include "import/LabelMapping.h"

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
    // DebitCredit: the credit column paired with `column`, the debit.
    int creditColumn = -1;
};

struct ItemRow
{
    int row = 0;  // index into table.rows
    int item = 0; // index into statementItems()
    int labelColumn = 0;
};

// How the file lays out its amounts.
enum class AmountLayout {
    Statement,    // one amount a row, in the statement's own signs
    DebitCredit,  // a trial balance: a Debit and a Credit column
    SignedBalance // a trial balance: one balance column, credits negative
};

// What the reading is told besides the file.
struct ImportOptions
{
    QString sheet;               // the sheet to read; empty: the one that holds the statement
    std::optional<double> scale; // 1 or 1000; empty: as the file's title or headings say
    LabelMapping mapping;        // the client's own labels for items
};

struct StatementFile
{
    ImportFault fault = ImportFault::None;
    QStringList faultPlaces; // what the fault names (cells, a line, sheets)
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

    AmountLayout layout = AmountLayout::Statement;
    int debitColumn = -1; // DebitCredit: the two columns
    int creditColumn = -1;
    QList<int> ignoredRows; // rows the mapping says to ignore
    // The amounts' unit: 1000 when the file says its amounts are in
    // thousands ("in thousands of dollars", "en milliers", "$000"), or the
    // option says so.
    double scale = 1;
    QString scaleText;      // the words of the file that said so; empty otherwise
    QStringList sheetNames; // every sheet of the workbook; empty for a CSV
};

// Reads a workbook (.xlsx, .ods) or a comma-separated text, whatever its
// name's extension says, picks the sheet that holds the statement, and lays
// it out. The fault says why a file cannot be used; faultPlaces what it names.
StatementFile readStatementFile(const QString &path, const ImportOptions &options = {});

// One sheet's layout, the cells already read.
StatementFile layOutStatement(const ImportTable &table, const ImportOptions &options = {});

// The position in amountColumns of the column named `name` (its heading,
// compared as labels are, or its letter); -1 when none is.
int amountColumnIndex(const StatementFile &file, const QString &name);

// The letters of a column (0 gives "A", 27 gives "AB").
QString columnLetters(int column);
