#include "import/StatementImport.h"

#include "firm/AmountText.h"

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

// The label a row shows: its first text outside the amount column.
QString rowLabel(const QList<ImportCell> &cells, int amountColumn)
{
    for (int c = 0; c < cells.size(); ++c) {
        if (c != amountColumn && !cells[c].isEmpty() && !cells[c].number)
            return cells[c].text.simplified();
    }
    return QString();
}

// The headings written again over a later section are no figures.
bool repeatsHeadings(const QList<ImportCell> &cells, const StatementFile &file)
{
    for (const AmountColumn &column : file.amountColumns) {
        if (column.column >= cells.size() ||
            cells[column.column].text.simplified() != column.heading)
            return false;
    }
    return true;
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
    if (choice < 0 || choice >= file.amountColumns.size())
        return result;
    const AmountColumn &amountColumn = file.amountColumns[choice];
    result.columnHeading = amountColumn.heading;
    const int column = amountColumn.column;

    QHash<int, ItemRow> itemRows;
    for (const ItemRow &item : file.itemRows)
        itemRows.insert(item.row, item);
    QHash<int, int> givenAt; // item -> row (from 1) whose amount was taken
    QHash<int, std::pair<double, int>> fileTotals;

    const QList<QList<ImportCell>> &rows = file.table.rows;
    for (int r = file.headingRow + 1; r < rows.size(); ++r) {
        const QList<ImportCell> &cells = rows[r];
        const ImportCell cell = column < cells.size() ? cells[column] : ImportCell();
        if (cell.isEmpty() || file.identityRows.contains(r))
            continue;
        const int rowNumber = r + 1;
        const auto item = itemRows.constFind(r);
        if (item == itemRows.cend()) {
            if (!repeatsHeadings(cells, file))
                result.unrecognised
                    << ImportRowNote{rowNumber, rowLabel(cells, column), cell.text.trimmed()};
            continue;
        }
        const int index = item->item;
        const std::optional<double> amount = cellAmount(cell, file.table.comma);
        if (!amount) {
            result.notAmounts << ImportRowNote{rowNumber, rowLabel(cells, column),
                                               cell.text.trimmed()};
            continue;
        }
        if (givenAt.contains(index)) {
            result.duplicates << DuplicateRow{index, rowNumber, givenAt.value(index)};
            continue;
        }
        givenAt.insert(index, rowNumber);
        const double whole = std::round(*amount) + 0.0; // never "-0"
        if (whole != *amount)
            result.rounded << RoundedAmount{index, rowNumber, *amount, whole};
        if (statementItems()[index].computed) {
            fileTotals.insert(index, {whole, rowNumber});
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
    if (result.fault == ImportFault::None)
        result.import = importStatement(result.file, choice);
    return result;
}
