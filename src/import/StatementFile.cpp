#include "import/StatementFile.h"

#include "core/Language.h"
#include "core/ResourceString.h"
#include "core/SearchFold.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"
#include "import/ImportChecks.h"
#include "import/ImportLabels.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {
const QRegularExpression &yearPattern()
{
    static const QRegularExpression year(QStringLiteral("(?<![0-9])(19|20)[0-9]{2}(?![0-9])"));
    return year;
}

std::optional<int> yearIn(const ImportCell &cell)
{
    if (cell.number && !cell.date) {
        const double value = *cell.number;
        if (value >= 1900 && value <= 2100 && value == double(int(value)))
            return int(value);
        return std::nullopt;
    }
    const QRegularExpressionMatch match = yearPattern().match(cell.text);
    if (match.hasMatch())
        return match.captured(0).toInt();
    return std::nullopt;
}

// What a text names when it names a column rather than an item.
std::optional<LabelKind> namedHeading(const QString &text)
{
    const std::optional<LabelMatch> match = ImportLabels::instance().match(text);
    if (match && match->kind != LabelKind::Item)
        return match->kind;
    return std::nullopt;
}

// What a cell of a heading row names. A year or a date heads amounts, alone
// or with a few words ("Dec. 31, 2006", "Balance 2006"); units in brackets
// do not count ("Amount ($000)").
std::optional<LabelKind> headingKind(const ImportCell &cell)
{
    if (cell.isEmpty())
        return std::nullopt;
    if (cell.number)
        return yearIn(cell) ? std::optional(LabelKind::AmountHeading) : std::nullopt;
    const QString text = cell.text.simplified();
    if (const std::optional<LabelKind> kind = namedHeading(text))
        return kind;
    static const QRegularExpression brackets(QStringLiteral("\\([^)]*\\)|\\[[^\\]]*\\]"));
    const QString plain = QString(text).remove(brackets).simplified();
    if (!plain.isEmpty() && plain != text) {
        if (const std::optional<LabelKind> kind = namedHeading(plain))
            return kind;
    }
    const QString dated = yearPattern().match(plain).hasMatch() ? plain : text;
    if (!yearPattern().match(dated).hasMatch())
        return std::nullopt;
    const QString rest = QString(dated).remove(yearPattern()).simplified();
    if (const std::optional<LabelKind> kind = namedHeading(rest))
        return kind;
    // A title that happens to hold a year is no heading.
    const QString words = foldImportLabel(rest);
    if (words.isEmpty() || words.count(QLatin1Char(' ')) < 4)
        return LabelKind::AmountHeading;
    return std::nullopt;
}

// A row's label that names a column of a heading row ("Firm, NAICS, Year…"),
// which no firm or year row has beside its label.
bool namesColumn(const ImportCell &cell)
{
    return !cell.number && namedHeading(cell.text).has_value();
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

std::optional<double> amountIn(const ImportCell &cell, DecimalComma comma)
{
    if (cell.date)
        return std::nullopt;
    if (cell.number)
        return *cell.number;
    return parseImportAmount(cell.text, comma);
}

// An account number: an integer of three to six digits, nothing else.
bool isAccountNumber(const ImportCell &cell)
{
    if (cell.date)
        return false;
    if (cell.number)
        return *cell.number >= 100 && *cell.number <= 999999 &&
               *cell.number == std::floor(*cell.number);
    static const QRegularExpression digits(QStringLiteral("^[0-9]{3,6}$"));
    return digits.match(cell.text.trimmed()).hasMatch();
}

// "1000 Cash", "1000 - Cash", "1200 · Accounts Receivable".
bool startsWithAccountNumber(const QString &label)
{
    static const QRegularExpression numbered(
        QStringLiteral("^\\s*[0-9]{3,6}(?![0-9.,])[^0-9]*\\p{L}"));
    return numbered.match(label).hasMatch();
}

// Whether a title or heading says the amounts are in thousands of dollars:
// "in thousands", "thousands of dollars", "(000s)", "$000", "'000",
// "en milliers", "milliers de dollars", "000 $". A figure such as "80 000 $"
// or "$1,000" says nothing of the kind.
bool saysThousands(const QString &text)
{
    QString folded = foldForSearch(text);
    folded.replace(QChar(0x00a0), QLatin1Char(' '))
        .replace(QChar(0x202f), QLatin1Char(' '))
        .replace(QChar(0x2019), QLatin1Char('\''));
    static const QRegularExpression words(
        QStringLiteral("\\b(in|en) (thousands|milliers)\\b|\\bthousands of (\\w+ )?dollars\\b|"
                       "\\bmilliers de dollars\\b|\\(\\s*(thousands|milliers)\\s*\\)"));
    static const QRegularExpression marks(
        QStringLiteral("\\$ ?000(?:'?s)?(?![0-9]|[ .,][0-9])|(?<![0-9])'000(?:'?s)?(?![0-9])|"
                       "(?<![0-9.,'])(?<![0-9] )000(?: ?'?s| ?\\$)(?![0-9])|\\( ?000 ?\\)"));
    return words.match(folded).hasMatch() || marks.match(folded).hasMatch();
}

// This program's own CSV export of a report: one row of its eleven headings
// (report, firm, NAICS, industry, dataset, year, section, item, measure,
// value, unit) in either language.
bool isOwnExport(const ImportTable &table)
{
    constexpr int kExportHeadings = 11;
    constexpr int kEnough = 8; // a client's file may share a few of them
    static const QSet<QString> headings = [] {
        QSet<QString> folded;
        for (int h = 0; h < kExportHeadings; ++h) {
            for (const Language language : {Language::English, Language::French})
                folded.insert(foldImportLabel(ResourceString(kCsvFirstHeading + 2 * h, language)));
        }
        return folded;
    }();
    for (qsizetype r = 0; r < std::min<qsizetype>(table.rows.size(), 10); ++r) {
        QSet<QString> found;
        for (const ImportCell &cell : table.rows[r]) {
            const QString label = cell.number ? QString() : foldImportLabel(cell.text);
            if (headings.contains(label))
                found.insert(label);
        }
        if (found.size() >= kEnough)
            return true;
    }
    return false;
}

int itemOfColumn(const QString &column)
{
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (column == QLatin1String(statementItems()[i].column))
            return i;
    }
    return -1;
}

// A column that gives every item the same year or six-digit code (the
// industry's NAICS) names the file's year or industry, not amounts.
bool repeatsOneCode(const StatementFile &file, int column)
{
    std::optional<double> seen;
    int count = 0;
    for (const ItemRow &item : file.itemRows) {
        const QList<ImportCell> &cells = file.table.rows[item.row];
        if (column >= cells.size() || cells[column].isEmpty())
            continue;
        const std::optional<double> value = amountIn(cells[column], file.table.comma);
        if (!value || (seen && *seen != *value))
            return false;
        seen = value;
        ++count;
    }
    return count > 1 && *seen == std::floor(*seen) &&
           ((*seen >= 1900 && *seen <= 2100) || (*seen >= 100000 && *seen <= 999999));
}

QString headingAt(const StatementFile &file, int column)
{
    if (file.headingRow < 0 || column >= file.table.rows[file.headingRow].size())
        return QString();
    return file.table.rows[file.headingRow][column].text.simplified();
}

// The rows naming items, firm and year, and the rows the mapping ignores.
void findLabels(StatementFile &file, const ImportOptions &options, QSet<int> &labelColumns)
{
    const ImportLabels &labels = ImportLabels::instance();
    const QList<QList<ImportCell>> &rows = file.table.rows;
    for (int r = 0; r < rows.size(); ++r) {
        const QList<ImportCell> &cells = rows[r];
        int first = -1; // the row's first cell that holds something
        for (int c = 0; c < cells.size(); ++c) {
            const ImportCell &cell = cells[c];
            if (cell.isEmpty())
                continue;
            if (first < 0)
                first = c;
            if (cell.number)
                continue;
            // The client's own assignments come before the built-in wordings.
            const auto mapped = options.mapping.constFind(foldImportLabel(cell.text));
            if (mapped != options.mapping.cend()) {
                const int item = itemOfColumn(*mapped);
                if (mapped->isEmpty())
                    file.ignoredRows << r;
                else if (item >= 0)
                    file.itemRows << ItemRow{r, item, c};
                if (mapped->isEmpty() || item >= 0) {
                    labelColumns.insert(c);
                    break;
                }
            }
            const std::optional<LabelMatch> match = labels.match(cell.text);
            if (!match)
                continue;
            if (match->kind == LabelKind::Item) {
                file.itemRows << ItemRow{r, match->item, c};
                labelColumns.insert(c);
                break;
            }
            const bool identity = match->kind == LabelKind::Firm || match->kind == LabelKind::Year;
            const ImportCell *value = valueRightOf(cells, c);
            if (!identity || c != first || (value && namesColumn(*value)))
                continue;
            // The first firm and year the file names are taken.
            file.identityRows << r;
            if (match->kind == LabelKind::Firm && value && file.firmName.isEmpty())
                file.firmName = value->text.trimmed();
            else if (match->kind == LabelKind::Year && value && !file.year)
                file.year = yearIn(*value);
            break;
        }
    }
}

// The nearest row above the first item that names columns: in the labels'
// columns only a labels' or account numbers' heading counts, so that a
// title such as "Trial balance, December 31, 2006" is not taken for one.
int findHeadingRow(const StatementFile &file, const QSet<int> &labelColumns)
{
    for (int r = file.itemRows.first().row - 1; r >= 0; --r) {
        if (file.identityRows.contains(r))
            continue;
        const QList<ImportCell> &cells = file.table.rows[r];
        for (int c = 0; c < cells.size(); ++c) {
            const std::optional<LabelKind> kind = headingKind(cells[c]);
            if (kind && (!labelColumns.contains(c) || *kind == LabelKind::LabelHeading ||
                         *kind == LabelKind::AccountNumber))
                return r;
        }
    }
    return -1;
}

// Columns of account numbers: headed so, or left of the labels and holding
// only three- to six-digit integers on the items' rows.
QSet<int> findAccountColumns(const StatementFile &file, const QSet<int> &labelColumns,
                             const QHash<int, LabelKind> &headed)
{
    QSet<int> columns;
    for (auto it = headed.cbegin(); it != headed.cend(); ++it) {
        if (*it == LabelKind::AccountNumber)
            columns.insert(it.key());
    }
    const int firstLabelColumn = *std::min_element(labelColumns.cbegin(), labelColumns.cend());
    for (int c = 0; c < firstLabelColumn; ++c) {
        bool any = false;
        bool all = true;
        for (const ItemRow &item : file.itemRows) {
            const QList<ImportCell> &cells = file.table.rows[item.row];
            if (c >= cells.size() || cells[c].isEmpty())
                continue;
            any = true;
            all = all && isAccountNumber(cells[c]);
        }
        if (any && all)
            columns.insert(c);
    }
    return columns;
}

// Debit and credit columns side by side, each debit with its credit; empty
// when they do not pair up.
QList<std::pair<int, int>> debitCreditPairs(const QHash<int, LabelKind> &headed,
                                            const QSet<int> &unusable)
{
    QList<int> sides;
    for (auto it = headed.cbegin(); it != headed.cend(); ++it) {
        if ((*it == LabelKind::Debit || *it == LabelKind::Credit) && !unusable.contains(it.key()))
            sides << it.key();
    }
    std::sort(sides.begin(), sides.end());
    QList<std::pair<int, int>> pairs;
    if (sides.size() % 2 != 0)
        return pairs;
    for (qsizetype i = 0; i < sides.size(); i += 2) {
        const LabelKind first = headed.value(sides[i]);
        if (first == headed.value(sides[i + 1]))
            return {};
        pairs << (first == LabelKind::Debit ? std::pair(sides[i], sides[i + 1])
                                            : std::pair(sides[i + 1], sides[i]));
    }
    return pairs;
}

// A balance column of a file whose rows are accounts, in which the credit
// items' balances are mostly below zero, is a trial balance's signed column.
bool isSignedBalance(const StatementFile &file, const QList<int> &balanceColumns,
                     bool accountColumns)
{
    if (balanceColumns.isEmpty())
        return false;
    int numbered = 0;
    for (const ItemRow &item : file.itemRows) {
        const ImportCell &label = file.table.rows[item.row][item.labelColumn];
        numbered += startsWithAccountNumber(label.text) ? 1 : 0;
    }
    if (!accountColumns && 2 * numbered < file.itemRows.size())
        return false;
    int below = 0;
    int above = 0;
    for (const ItemRow &item : file.itemRows) {
        if (statementItems()[item.item].computed || !isCreditItem(item.item))
            continue;
        const QList<ImportCell> &cells = file.table.rows[item.row];
        for (const int column : balanceColumns) {
            const std::optional<double> amount =
                column < cells.size() ? amountIn(cells[column], file.table.comma) : std::nullopt;
            below += amount && *amount < 0 ? 1 : 0;
            above += amount && *amount > 0 ? 1 : 0;
        }
    }
    return below > above;
}
} // namespace

QString columnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

StatementFile layOutStatement(const ImportTable &table, const ImportOptions &options)
{
    StatementFile file;
    file.table = table;
    if (isOwnExport(table)) {
        file.fault = ImportFault::OwnExport;
        return file;
    }
    const QList<QList<ImportCell>> &rows = file.table.rows;
    QSet<int> labelColumns;
    findLabels(file, options, labelColumns);
    if (file.itemRows.isEmpty()) {
        bool anyCell = false;
        for (const QList<ImportCell> &cells : rows) {
            for (const ImportCell &cell : cells)
                anyCell = anyCell || !cell.isEmpty();
        }
        file.fault = anyCell ? ImportFault::NoItems : ImportFault::Empty;
        return file;
    }

    file.headingRow = findHeadingRow(file, labelColumns);
    file.ignoredRows.removeAll(file.headingRow);
    QHash<int, LabelKind> headed; // the heading row's columns outside the labels
    if (file.headingRow >= 0) {
        const QList<ImportCell> &cells = rows[file.headingRow];
        for (int c = 0; c < cells.size(); ++c) {
            const std::optional<LabelKind> kind = headingKind(cells[c]);
            if (kind && !labelColumns.contains(c))
                headed.insert(c, *kind);
        }
    }
    const QSet<int> accountColumns = findAccountColumns(file, labelColumns, headed);
    const QSet<int> unusable = labelColumns + accountColumns;

    const QList<std::pair<int, int>> pairs = debitCreditPairs(headed, unusable);
    QList<int> balanceColumns;
    if (!pairs.isEmpty()) {
        file.layout = AmountLayout::DebitCredit;
        file.debitColumn = pairs.first().first;
        file.creditColumn = pairs.first().second;
        for (const auto &[debit, credit] : pairs)
            file.amountColumns << AmountColumn{
                debit, headingAt(file, debit) + QStringLiteral(" / ") + headingAt(file, credit),
                credit};
    } else {
        QList<int> columns = headed.keys();
        std::sort(columns.begin(), columns.end());
        for (const int c : columns) {
            const LabelKind kind = headed.value(c);
            if (unusable.contains(c) ||
                (kind != LabelKind::AmountHeading && kind != LabelKind::Balance))
                continue;
            file.amountColumns << AmountColumn{c, headingAt(file, c)};
            if (kind == LabelKind::Balance)
                balanceColumns << c;
        }
    }
    if (file.amountColumns.isEmpty()) {
        // Without amount headings, the columns holding an amount on an
        // item's row; a column headed otherwise holds none.
        QSet<int> columns;
        for (const ItemRow &item : std::as_const(file.itemRows)) {
            const QList<ImportCell> &cells = rows[item.row];
            for (int c = 0; c < cells.size(); ++c) {
                if (!unusable.contains(c) && !headed.contains(c) &&
                    amountIn(cells[c], file.table.comma))
                    columns.insert(c);
            }
        }
        QList<int> sorted(columns.cbegin(), columns.cend());
        std::sort(sorted.begin(), sorted.end());
        for (const int c : sorted) {
            if (!repeatsOneCode(file, c))
                file.amountColumns << AmountColumn{c, columnLetters(file.table.columnNumber(c))};
        }
    }
    if (isSignedBalance(file, balanceColumns, !accountColumns.isEmpty()))
        file.layout = AmountLayout::SignedBalance;

    for (int r = 0; r < file.itemRows.first().row && file.scaleText.isEmpty(); ++r) {
        for (const ImportCell &cell : rows[r]) {
            if (!cell.number && saysThousands(cell.text)) {
                file.scaleText = cell.text.simplified();
                break;
            }
        }
    }
    if (options.scale && *options.scale > 0)
        file.scale = *options.scale;
    else
        file.scale = file.scaleText.isEmpty() ? 1 : 1000;

    if (file.amountColumns.isEmpty())
        file.fault = ImportFault::NoAmountColumn;
    return file;
}

int amountColumnIndex(const StatementFile &file, const QString &name)
{
    const QString wanted = foldImportLabel(name);
    const auto names = [&](int column, const QString &heading) {
        return (!wanted.isEmpty() && foldImportLabel(heading) == wanted) ||
               columnLetters(file.table.columnNumber(column))
                       .compare(name.trimmed(), Qt::CaseInsensitive) == 0;
    };
    for (int i = 0; i < file.amountColumns.size(); ++i) {
        const AmountColumn &column = file.amountColumns[i];
        if (names(column.column, column.heading))
            return i;
        // A debit and credit pair answers to either of its columns.
        if (column.creditColumn >= 0 &&
            (names(column.column, headingAt(file, column.column)) ||
             names(column.creditColumn, headingAt(file, column.creditColumn))))
            return i;
    }
    return -1;
}
