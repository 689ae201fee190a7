#pragma once

#include "firm/FirmStatement.h"
#include "firm/StatementItems.h"
#include "import/StatementFile.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

// The statement taken from one amount column of a laid-out file, and what
// the import summary tells the user about it. Row numbers are the file's,
// from 1.

// A row whose value is not taken: its label and the value as the file shows it.
struct ImportRowNote
{
    int row = 0;
    QString label;
    QString value;
};

// A second row for an item already given: the first row's amount is kept.
struct DuplicateRow
{
    int item = 0;
    int row = 0;
    int keptRow = 0;
};

// An amount with cents, rounded to whole dollars.
struct RoundedAmount
{
    int item = 0;
    int row = 0;
    double inFile = 0;
    double rounded = 0;
};

// A total the file gives that differs from the sum the screen computes.
struct TotalDifference
{
    int item = 0;
    int row = 0;
    double inFile = 0;
    double computed = 0;
};

// Several accounts of a trial balance added into one item.
struct SummedAccounts
{
    int item = 0;
    QList<int> rows; // the file's rows, from 1
};

// A check the statement fails before anything is saved, with both amounts.
struct ImportCheck
{
    enum class Kind {
        Unbalanced,  // total assets (item) against total liabilities and equity (other)
        IncomeOrder, // an income line (item) above the one it comes from (other)
        Negative,    // an amount below zero on a line that cannot be (item)
        FileTotal    // the file's total (amount) against the computed one (other)
    };
    Kind kind = Kind::Unbalanced;
    int item = 0;       // index into statementItems()
    int otherItem = -1; // the item compared with, where there is one
    double amount = 0;
    double other = 0;
    int row = 0; // the file's row, from 1; 0 when no row is concerned

    double difference() const { return amount - other; }
};

struct StatementImport
{
    QString columnHeading;
    // The typed items' amounts from the file (0 where it gives none) and the
    // five totals computed from them, as the screen computes them.
    FirmStatement statement;
    std::array<bool, kStatementItemCount> filled{}; // typed items the file gave
    QList<int> missing;                             // typed items it did not give
    QList<ImportRowNote> unrecognised;              // rows with a value whose label names no item
    QList<ImportRowNote> notAmounts;                // items whose value is not an amount
    QList<DuplicateRow> duplicates;
    QList<RoundedAmount> rounded;
    QList<TotalDifference> totalDifferences;
    QList<SummedAccounts> summed; // trial balances: several accounts in one item
    QList<ImportCheck> checks;    // what the statement fails; nothing saved unless accepted
    // A trial balance's amounts are signed by each item's side.
    AmountLayout layout = AmountLayout::Statement;
    double scale = 1;   // the amounts were multiplied by it
    QString scaleText;  // the file's words that said so, when they did
    int hiddenRows = 0; // skipped, as the workbook hides them
    int hiddenColumns = 0;
    QString sheetName; // the sheet read, when the workbook has several
    QString firmName;
    std::optional<int> year;

    int filledCount() const;
    // The statement's 33 amounts in statementItems() order.
    std::array<double, kStatementItemCount> amounts() const;
};

// Imports the amounts of file.amountColumns[choice]. Amounts are rounded to
// whole dollars (halves away from zero); the totals in the file are not
// taken but compared with the computed ones.
StatementImport importStatement(const StatementFile &file, int choice);

// A file read and imported in one step, as the command line does it.
struct FileImport
{
    ImportFault fault = ImportFault::None;
    StatementFile file;
    StatementImport import; // when there is no fault
};

// Imports the amount column named `column` (a heading or a column letter),
// or the file's only one when `column` is empty. A file that gives no item
// an amount is the NothingFilled fault.
FileImport importStatementFile(const QString &path, const QString &column = QString(),
                               const ImportOptions &options = {});
