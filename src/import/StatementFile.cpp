#include "import/StatementFile.h"

#include "import/ImportLabels.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

std::optional<int> yearIn(const ImportCell &cell)
{
    if (cell.number && !cell.date) {
        const double value = *cell.number;
        if (value >= 1900 && value <= 2100 && value == double(int(value)))
            return int(value);
        return std::nullopt;
    }
    static const QRegularExpression year(QStringLiteral("(?<![0-9])(19|20)[0-9]{2}(?![0-9])"));
    const QRegularExpressionMatch match = year.match(cell.text);
    if (match.hasMatch())
        return match.captured(0).toInt();
    return std::nullopt;
}

bool isAmountHeading(const ImportCell &cell)
{
    if (cell.isEmpty())
        return false;
    if (yearIn(cell))
        return true;
    const std::optional<LabelMatch> match =
        cell.number ? std::nullopt : ImportLabels::instance().match(cell.text);
    return match && match->kind == LabelKind::AmountHeading;
}

QString headingText(const ImportCell &cell)
{
    return cell.text.simplified();
}

// The first cell right of `column` that holds something.
const ImportCell *valueRightOf(const QList<ImportCell> &cells, int column)
{
    for (qsizetype c = column + 1; c < cells.size(); ++c) {
        if (!cells[c].isEmpty())
            return &cells[c];
    }
    return nullptr;
}

// Whether a cell holds an amount that the import would take.
bool holdsAmount(const ImportCell &cell, DecimalComma comma)
{
    if (cell.date)
        return false;
    return cell.number || parseImportAmount(cell.text, comma);
}
} // namespace

QString columnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

StatementFile layOutStatement(const ImportTable &table, const ImportOptions & /*options*/)
{
    StatementFile file;
    file.table = table;

    const ImportLabels &labels = ImportLabels::instance();
    const QList<QList<ImportCell>> &rows = file.table.rows;
    QSet<int> labelColumns;
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const ImportCell &cell = rows[r][c];
            if (cell.number || cell.isEmpty())
                continue;
            const std::optional<LabelMatch> match = labels.match(cell.text);
            if (!match || match->kind == LabelKind::AmountHeading)
                continue;
            if (match->kind == LabelKind::Item) {
                file.itemRows << ItemRow{r, match->item, c};
                labelColumns.insert(c);
            } else {
                // The first firm and year the file names are taken.
                file.identityRows << r;
                const ImportCell *value = valueRightOf(rows[r], c);
                if (match->kind == LabelKind::Firm && value && file.firmName.isEmpty())
                    file.firmName = value->text.trimmed();
                else if (match->kind == LabelKind::Year && value && !file.year)
                    file.year = yearIn(*value);
            }
            break;
        }
    }
    if (file.itemRows.isEmpty()) {
        bool anyCell = false;
        for (const QList<ImportCell> &cells : rows) {
            for (const ImportCell &cell : cells)
                anyCell = anyCell || !cell.isEmpty();
        }
        file.fault = anyCell ? ImportFault::NoItems : ImportFault::Empty;
        return file;
    }

    for (int r = file.itemRows.first().row - 1; r >= 0 && file.headingRow < 0; --r) {
        if (file.identityRows.contains(r))
            continue;
        for (int c = 0; c < rows[r].size(); ++c) {
            if (!labelColumns.contains(c) && isAmountHeading(rows[r][c])) {
                file.headingRow = r;
                file.amountColumns << AmountColumn{c, headingText(rows[r][c])};
            }
        }
    }
    if (file.headingRow < 0) {
        QSet<int> columns;
        for (const ItemRow &item : std::as_const(file.itemRows)) {
            const QList<ImportCell> &cells = rows[item.row];
            for (int c = 0; c < cells.size(); ++c) {
                if (!labelColumns.contains(c) && holdsAmount(cells[c], file.table.comma))
                    columns.insert(c);
            }
        }
        QList<int> sorted(columns.cbegin(), columns.cend());
        std::sort(sorted.begin(), sorted.end());
        for (const int c : sorted)
            file.amountColumns << AmountColumn{c, columnLetters(c)};
    }
    if (file.amountColumns.isEmpty())
        file.fault = ImportFault::NoAmountColumn;
    return file;
}

int amountColumnIndex(const StatementFile &file, const QString &name)
{
    const QString wanted = foldImportLabel(name);
    for (int i = 0; i < file.amountColumns.size(); ++i) {
        const AmountColumn &column = file.amountColumns[i];
        if ((!wanted.isEmpty() && foldImportLabel(column.heading) == wanted) ||
            columnLetters(column.column).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
