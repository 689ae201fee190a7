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
// or the file's only one when `column` is empty.
FileImport importStatementFile(const QString &path, const QString &column = QString());
