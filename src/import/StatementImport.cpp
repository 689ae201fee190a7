#include "import/StatementImport.h"

#include "firm/AmountText.h"
#include "import/ImportChecks.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {
int itemIndex(const char *column)
{
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (qstrcmp(statementItems()[i].column, column) == 0)
            return i;
    }
    return -1;
}

double &member(FirmStatement &statement, int item)
{
    return statement.*firmStatementAmounts()[item];
}

// The label a row shows: its first text outside the amount columns that is
// not itself an amount (an account number before it is left out).
QString rowLabel(const QList<ImportCell> &cells, const AmountColumn &amounts, DecimalComma comma)
{
    for (int c = 0; c < cells.size(); ++c) {
        if (c != amounts.column && c != amounts.creditColumn && !cells[c].isEmpty() &&
            !cells[c].number && !parseImportAmount(cells[c].text, comma))
            return cells[c].text.simplified();
    }
    return QString();
}

// The headings written again over a later section are no figures: every
// amount column holds its heading again.
bool repeatsHeadings(const QList<ImportCell> &cells, const StatementFile &file)
{
    if (file.headingRow < 0)
        return false;
    const QList<ImportCell> &headings = file.table.rows[file.headingRow];
    const auto same = [&](int column) {
        const QString heading =
            column < headings.size() ? headings[column].text.simplified() : QString();
        return !heading.isEmpty() && column < cells.size() &&
               cells[column].text.simplified() == heading;
    };
    for (const AmountColumn &column : file.amountColumns) {
        if (!same(column.column) || (column.creditColumn >= 0 && !same(column.creditColumn)))
            return false;
    }
    return true;
}

// An amount as the summary reads it back, whatever the file's decimal mark.
QString plainAmount(double amount)
{
    return QString::number(amount, 'g', 15);
}

std::optional<double> cellAmount(const ImportCell &cell, DecimalComma comma)
{
    if (cell.date)
        return std::nullopt;
    if (cell.number) {
        if (!std::isfinite(*cell.number) || std::fabs(*cell.number) > kLargestAmount)
            return std::nullopt;
        return *cell.number;
    }
    return parseImportAmount(cell.text, comma);
}
} // namespace

int StatementImport::filledCount() const
{
    return int(std::count(filled.cbegin(), filled.cend(), true));
}

std::array<double, kStatementItemCount> StatementImport::amounts() const
{
    std::array<double, kStatementItemCount> values{};
    for (int i = 0; i < kStatementItemCount; ++i)
        values[i] = statement.*firmStatementAmounts()[i];
    return values;
}

StatementImport importStatement(const StatementFile &file, int choice)
{
    StatementImport result;
    result.firmName = file.firmName;
    result.year = file.year;
    result.layout = file.layout;
    result.scale = file.scale;
    result.scaleText = file.scaleText;
    result.hiddenRows = file.table.hiddenRows;
    result.hiddenColumns = file.table.hiddenColumns;
    if (file.sheetNames.size() > 1)
        result.sheetName = file.table.sheetName;
    if (choice < 0 || choice >= file.amountColumns.size())
        return result;
    const AmountColumn &amountColumn = file.amountColumns[choice];
    result.columnHeading = amountColumn.heading;
    const bool debitCredit = file.layout == AmountLayout::DebitCredit;
    // A trial balance lists accounts: several may make up one item.
    const bool trialBalance = file.layout != AmountLayout::Statement;
    const DecimalComma comma = file.table.comma;

    QHash<int, ItemRow> itemRows;
    for (const ItemRow &item : file.itemRows)
        itemRows.insert(item.row, item);
    QList<int> order; // items in the order of their first row
    std::array<int, kStatementItemCount> firstRow{};
    std::array<double, kStatementItemCount> sums{};
    QHash<int, QList<int>> accounts; // item -> rows (from 1) added into it

    const QList<QList<ImportCell>> &rows = file.table.rows;
    for (int r = file.headingRow + 1; r < rows.size(); ++r) {
        if (file.identityRows.contains(r) || file.ignoredRows.contains(r))
            continue;
        const QList<ImportCell> &cells = rows[r];
        const auto cellAt = [&cells](int column) {
            return column >= 0 && column < cells.size() ? cells[column] : ImportCell();
        };
        const ImportCell cell = cellAt(amountColumn.column);
        const ImportCell credit = debitCredit ? cellAt(amountColumn.creditColumn) : ImportCell();
        if (cell.isEmpty() && credit.isEmpty())
            continue;
        const int rowNumber = file.table.rowNumber(r);
        // An empty side of a debit and credit pair is zero.
        const std::optional<double> debitAmount =
            cell.isEmpty() ? std::optional(0.0) : cellAmount(cell, comma);
        const std::optional<double> creditAmount =
            credit.isEmpty() ? std::optional(0.0) : cellAmount(credit, comma);
        std::optional<double> amount;
        if (debitAmount && creditAmount)
            amount = *debitAmount - *creditAmount;
        const QString shown = (debitAmount ? credit : cell).text.trimmed();

        const auto item = itemRows.constFind(r);
        if (item == itemRows.cend()) {
            if (!repeatsHeadings(cells, file))
                result.unrecognised
                    << ImportRowNote{rowNumber, rowLabel(cells, amountColumn, comma),
                                     amount ? plainAmount(*amount) : shown};
            continue;
        }
        const int index = item->item;
        if (!amount) {
            result.notAmounts << ImportRowNote{rowNumber, rowLabel(cells, amountColumn, comma),
                                               shown};
            continue;
        }
        const bool computed = statementItems()[index].computed;
        double value = *amount * file.scale;
        if (trialBalance && isCreditItem(index))
            value = -value;
        if (firstRow[index] != 0) {
            if (!trialBalance || computed) {
                result.duplicates << DuplicateRow{index, rowNumber, firstRow[index]};
            } else {
                sums[index] += value;
                accounts[index] << rowNumber;
            }
            continue;
        }
        firstRow[index] = rowNumber;
        sums[index] = value;
        accounts[index] = {rowNumber};
        order << index;
    }

    QHash<int, std::pair<double, int>> fileTotals;
    for (const int index : std::as_const(order)) {
        const double whole = std::round(sums[index]) + 0.0; // never "-0"
        if (whole != sums[index])
            result.rounded << RoundedAmount{index, firstRow[index], sums[index], whole};
        if (accounts[index].size() > 1)
            result.summed << SummedAccounts{index, accounts[index]};
        if (statementItems()[index].computed) {
            fileTotals.insert(index, {whole, firstRow[index]});
        } else {
            member(result.statement, index) = whole;
            result.filled[index] = true;
        }
    }

    for (const SubtotalRule &rule : subtotalRules()) {
        double sum = 0;
        for (const char *addend : rule.addends)
            sum += member(result.statement, itemIndex(addend));
        member(result.statement, itemIndex(rule.column)) = sum;
    }
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (statementItems()[i].computed) {
            const auto total = fileTotals.constFind(i);
            if (total != fileTotals.cend() && total->first != member(result.statement, i))
                result.totalDifferences
                    << TotalDifference{i, total->second, total->first, member(result.statement, i)};
        } else if (!result.filled[i]) {
            result.missing << i;
        }
    }
    result.checks = importChecks(result, firstRow);
    return result;
}

FileImport importStatementFile(const QString &path, const QString &column,
                               const ImportOptions &options)
{
    FileImport result;
    result.file = readStatementFile(path, options);
    result.fault = result.file.fault;
    if (result.fault != ImportFault::None)
        return result;
    int choice = 0;
    if (!column.isEmpty())
        choice = amountColumnIndex(result.file, column);
    else if (result.file.amountColumns.size() > 1)
        result.fault = ImportFault::ColumnNotChosen;
    if (choice < 0)
        result.fault = ImportFault::UnknownColumn;
    if (result.fault == ImportFault::None) {
        result.import = importStatement(result.file, choice);
        if (result.import.filledCount() == 0)
            result.fault = ImportFault::NothingFilled;
    }
    return result;
}
