#include "benchmarks/BenchmarkPack.h"

#include "benchmarks/BenchmarkColumns.h"
#include "core/DatasetMapping.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "core/TsvText.h"
#include "import/CsvSheetReader.h"
#include "import/ImportLabels.h"
#include "import/StatementFile.h"
#include "import/XlsxSheetReader.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace {
// A pack of every dataset, year and industry is some megabytes of text.
constexpr qint64 kLargestPack = 256 * 1024 * 1024;
// Rounding in the publishers' tables: totals within this of 100 pass.
constexpr double kTotalTolerance = 0.5;

ImportRead readSheets(const QString &path)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return {ImportFault::CannotOpen, {}, {}};
    if (input.peek(4) == QByteArray("PK\x03\x04", 4)) {
        input.close();
        return readXlsxWorkbook(path);
    }
    if (input.size() > kLargestPack)
        return {ImportFault::NotSpreadsheet, {}, {}};
    return readCsvSheet(input.readAll());
}

enum class CellState { Value, Empty, NotAvailable, Ambiguous, NotNumber };

struct CellNumber
{
    CellState state;
    double value = 0;
};

// A figure as publishers write it. A comma is the decimal mark in a ";"
// file only; elsewhere "1,234" could be a thousand or one and a bit, and is
// refused rather than guessed.
CellNumber cellNumber(const ImportCell &cell, DecimalComma comma)
{
    if (cell.number)
        return {CellState::Value, *cell.number};
    QString text = cell.text.trimmed();
    if (text.isEmpty())
        return {CellState::Empty};
    if (isNotAvailableMark(text))
        return {CellState::NotAvailable};
    text.remove(QLatin1Char(' ')).remove(QChar(0x00a0)).remove(QChar(0x202f));
    text.replace(QChar(0x2212), QLatin1Char('-'));
    const bool hasComma = text.contains(QLatin1Char(','));
    const bool hasPoint = text.contains(QLatin1Char('.'));
    static const QRegularExpression pointGroups(QStringLiteral("^[-+]?\\d{1,3}(\\.\\d{3})+$"));
    if (hasComma && (hasPoint || comma != DecimalComma::Always))
        return {CellState::Ambiguous};
    if (hasPoint && comma == DecimalComma::Always && pointGroups.match(text).hasMatch())
        return {CellState::Ambiguous};
    if (hasComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return {CellState::NotNumber};
    return {CellState::Value, value};
}

QString cellText(const ImportCell &cell)
{
    if (cell.number && !cell.date && std::floor(*cell.number) == *cell.number)
        return QString::number(qint64(*cell.number));
    return cell.text.trimmed();
}

const ImportCell *cellAt(const QList<ImportCell> &row, int column)
{
    return column < row.size() ? &row[column] : nullptr;
}

class TableChecker
{
public:
    TableChecker(const ImportTable &table, const QString &file, BenchmarkPack &pack)
        : m_table(table), m_file(file), m_pack(pack)
    {
    }

    void problem(int row, int column, PackProblemKind kind, const QStringList &values = {})
    {
        QString name;
        if (column >= 0)
            name = m_headings.value(column) + QStringLiteral(" (") +
                   columnLetters(m_table.columnNumber(column)) + QLatin1Char(')');
        m_pack.errors.append({m_file, m_table.rowNumber(row), name, kind, values});
    }
    void missing(const QString &column)
    {
        m_pack.errors.append(
            {m_file, m_table.rowNumber(0), column, PackProblemKind::MissingColumn, {}});
    }

    const ImportTable &m_table;
    QString m_file;
    BenchmarkPack &m_pack;
    QStringList m_headings;
};

// The headings of the first row; each known one once.
QHash<int, PackColumn> readHeadings(TableChecker &checker)
{
    QHash<int, PackColumn> columns;
    QHash<QString, int> seen;
    const QList<ImportCell> &headings = checker.m_table.rows.first();
    for (int c = 0; c < headings.size(); ++c)
        checker.m_headings << headings[c].text.trimmed();
    for (int c = 0; c < headings.size(); ++c) {
        const QString text = checker.m_headings[c];
        if (text.isEmpty())
            continue;
        const std::optional<PackColumn> column = packColumnOfHeading(text);
        if (!column) {
            checker.problem(0, c, PackProblemKind::UnknownHeading, {text});
            continue;
        }
        const QString key = column->name.toLower();
        if (seen.contains(key)) {
            checker.problem(0, c, PackProblemKind::DuplicateColumn,
                            {checker.m_headings[seen.value(key)]});
            continue;
        }
        seen.insert(key, c);
        columns.insert(c, *column);
    }
    return columns;
}

bool isDataset(int volume, const QString &region)
{
    for (const DatasetOption &option : datasetOptions())
        if (option.volume == volume && region == QLatin1String(option.region))
            return true;
    return false;
}

bool isRegion(const QString &region)
{
    for (const DatasetOption &option : datasetOptions())
        if (region == QLatin1String(option.region))
            return true;
    return false;
}

bool isCode(const QString &text)
{
    static const QRegularExpression code(QStringLiteral("^[0-9A-Za-z]{1,12}$"));
    return code.match(text).hasMatch();
}

QString figureText(double value)
{
    return QLocale::c().toString(value, 'g', 12);
}

void checkQuartiles(TableChecker &checker, int r, const QHash<QString, int> &columnOf,
                    const PackRow &row)
{
    for (const QuartileColumns &ratio : quartileColumns()) {
        const std::optional<double> q1 = row.figures.value(ratio.q1);
        const std::optional<double> q2 = row.figures.value(ratio.q2);
        const std::optional<double> q3 = row.figures.value(ratio.q3);
        QList<double> present;
        for (const auto &q : {q1, q2, q3})
            if (q)
                present << *q;
        bool ordered = true;
        for (int i = 1; i < present.size(); ++i)
            ordered = ordered && (ratio.descending ? present[i - 1] >= present[i]
                                                   : present[i - 1] <= present[i]);
        if (ordered)
            continue;
        const auto shown = [](const std::optional<double> &q) {
            return q ? figureText(*q) : QStringLiteral("\u2014");
        };
        checker.problem(r, columnOf.value(ratio.q2), PackProblemKind::QuartilesOutOfOrder,
                        {shown(q1), shown(q2), shown(q3),
                         ratio.descending ? QStringLiteral("Q1 \u2265 Q2 \u2265 Q3")
                                          : QStringLiteral("Q1 \u2264 Q2 \u2264 Q3")});
    }
}

void checkTotals(TableChecker &checker, int r, const QHash<QString, int> &columnOf,
                 const PackRow &row)
{
    for (const QStringList &parts : hundredTotals()) {
        double total = 0;
        bool complete = true;
        for (const QString &part : parts) {
            const std::optional<double> value = row.figures.value(part);
            complete = complete && value.has_value();
            total += value.value_or(0);
        }
        if (complete && std::abs(total - 100) > kTotalTolerance)
            checker.problem(r, columnOf.value(parts.first()), PackProblemKind::TotalNot100,
                            {parts.join(QStringLiteral(" + ")), figureText(total)});
    }
}
} // namespace

void checkPackTable(const ImportTable &table, const QString &file, BenchmarkPack &pack)
{
    TableChecker checker(table, file, pack);
    if (table.rows.size() < 2) {
        pack.errors.append({file, table.rowNumber(0), QString(), PackProblemKind::EmptyTable, {}});
        return;
    }
    const QHash<int, PackColumn> columns = readHeadings(checker);
    QHash<QString, int> columnOf; // lower-case figure or key name -> column
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        columnOf.insert(it->name.toLower(), it.key());
    for (const PackColumn &column : packColumns())
        if (column.key != PackKey::Figure && !columnOf.contains(column.name.toLower()))
            checker.missing(packColumnTitle(column, Language::English));
    if (!pack.errors.isEmpty())
        return;

    QHash<QString, int> firstRowOfKey;
    QHash<QString, QSet<int>> yearsOfIndustry;
    for (int r = 1; r < table.rows.size(); ++r) {
        const QList<ImportCell> &cells = table.rows[r];
        PackRow row;
        row.fileRow = table.rowNumber(r);
        bool identified = true;
        for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
            const int c = it.key();
            const ImportCell *cell = cellAt(cells, c);
            const ImportCell empty;
            const ImportCell &value = cell ? *cell : empty;
            const QString text = cellText(value);
            switch (it->key) {
            case PackKey::Volume: {
                row.volume = text.toInt();
                if (!QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}
                         .contains(text)) {
                    checker.problem(r, c, PackProblemKind::BadVolume, {text});
                    identified = false;
                }
                break;
            }
            case PackKey::Region:
                row.region = text.toUpper();
                if (!isRegion(row.region)) {
                    checker.problem(r, c, PackProblemKind::BadRegion, {text});
                    identified = false;
                }
                break;
            case PackKey::Year: {
                static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
                row.year = text.toInt();
                if (!fourDigits.match(text).hasMatch()) {
                    checker.problem(r, c, PackProblemKind::BadYear, {text});
                    identified = false;
                }
                break;
            }
            case PackKey::Naics:
                row.naics = text;
                if (!isCode(text)) {
                    checker.problem(r, c, PackProblemKind::BadCode, {text});
                    identified = false;
                }
                break;
            case PackKey::Firms:
            case PackKey::Figure: {
                const CellNumber number = cellNumber(value, table.comma);
                std::optional<double> figure;
                if (number.state == CellState::Value)
                    figure = number.value;
                else if (number.state == CellState::Ambiguous)
                    checker.problem(r, c, PackProblemKind::AmbiguousNumber, {text});
                else if (number.state == CellState::NotNumber)
                    checker.problem(r, c, PackProblemKind::NotANumber, {text});
                else
                    ++pack.suppressedFigures;
                if (it->key == PackKey::Firms) {
                    if (figure && (*figure < 0 || std::floor(*figure) != *figure))
                        checker.problem(r, c, PackProblemKind::NotANumber, {text});
                    row.firms = figure;
                } else {
                    row.figures.insert(it->name.toLower(), figure);
                }
                break;
            }
            }
        }
        if (identified && !isDataset(row.volume, row.region)) {
            checker.problem(r, columnOf.value(QStringLiteral("region")),
                            PackProblemKind::NoSuchDataset,
                            {QString::number(row.volume), row.region});
            identified = false;
        }
        if (identified) {
            const QString dataset = QStringLiteral("%1/%2/").arg(row.volume).arg(row.region);
            const QString key = dataset + QString::number(row.year) + QLatin1Char('/') + row.naics;
            if (firstRowOfKey.contains(key))
                checker.problem(r, columnOf.value(QStringLiteral("naics")),
                                PackProblemKind::Duplicate,
                                {QString::number(firstRowOfKey.value(key))});
            else
                firstRowOfKey.insert(key, row.fileRow);
            yearsOfIndustry[dataset + row.naics].insert(row.year);
        }
        checkQuartiles(checker, r, columnOf, row);
        checkTotals(checker, r, columnOf, row);
        pack.rows.append(row);
    }
    if (packYears(pack.rows).size() > 1)
        for (const QSet<int> &years : std::as_const(yearsOfIndustry))
            pack.singleYearIndustries += years.size() == 1 ? 1 : 0;
}

namespace {
void readTitles(const ImportTable &table, const QString &file, BenchmarkPack &pack)
{
    static const BilingualTexts names(QStringLiteral(":/benchmarks/benchmark_columns.tsv"),
                                      "Benchmark columns");
    const QStringList keys = {QStringLiteral("NAICS"), QStringLiteral("TitleEnglish"),
                              QStringLiteral("TitleFrench"), QStringLiteral("DefinitionEnglish"),
                              QStringLiteral("DefinitionFrench")};
    TableChecker checker(table, file, pack);
    if (table.rows.size() < 2) {
        pack.errors.append({file, table.rowNumber(0), QString(), PackProblemKind::EmptyTable, {}});
        return;
    }
    QHash<QString, int> columnOf;
    const QList<ImportCell> &headings = table.rows.first();
    for (int c = 0; c < headings.size(); ++c)
        checker.m_headings << headings[c].text.trimmed();
    for (int c = 0; c < headings.size(); ++c) {
        const QString folded = foldImportLabel(checker.m_headings[c]);
        if (folded.isEmpty())
            continue;
        QString found;
        for (const QString &key : keys)
            for (const bool french : {false, true})
                if (folded == foldImportLabel(key) ||
                    folded == foldImportLabel(names.text(key, french)))
                    found = key;
        if (found.isEmpty())
            checker.problem(0, c, PackProblemKind::UnknownHeading, {checker.m_headings[c]});
        else if (columnOf.contains(found))
            checker.problem(0, c, PackProblemKind::DuplicateColumn,
                            {checker.m_headings[columnOf.value(found)]});
        else
            columnOf.insert(found, c);
    }
    for (const QString &key : keys.mid(0, 3))
        if (!columnOf.contains(key))
            checker.missing(names.text(key, false));
    if (!pack.errors.isEmpty())
        return;
    QHash<QString, int> firstRow;
    for (int r = 1; r < table.rows.size(); ++r) {
        const auto text = [&](const QString &key) {
            const ImportCell *cell =
                columnOf.contains(key) ? cellAt(table.rows[r], columnOf.value(key)) : nullptr;
            return cell ? cellText(*cell) : QString();
        };
        const PackTitle title{text(keys[0]), text(keys[1]), text(keys[2]), text(keys[3]),
                              text(keys[4])};
        if (!isCode(title.naics))
            checker.problem(r, columnOf.value(keys[0]), PackProblemKind::BadCode, {title.naics});
        else if (firstRow.contains(title.naics))
            checker.problem(r, columnOf.value(keys[0]), PackProblemKind::DuplicateTitle,
                            {QString::number(firstRow.value(title.naics))});
        else if (title.english.isEmpty() || title.french.isEmpty())
            checker.problem(r, columnOf.value(title.english.isEmpty() ? keys[1] : keys[2]),
                            PackProblemKind::NoTitle, {title.naics});
        firstRow.insert(title.naics, table.rowNumber(r));
        pack.titles.append(title);
    }
}
} // namespace

BenchmarkPack readBenchmarkPack(const QString &dataPath, const QString &titlesPath,
                                const QSet<QString> &knownCodes)
{
    BenchmarkPack pack;
    for (const QString &path : {dataPath, titlesPath}) {
        if (path.isEmpty())
            continue;
        const ImportRead read = readSheets(path);
        if (read.fault != ImportFault::None || read.sheets.isEmpty()) {
            pack.fault = read.fault == ImportFault::None ? ImportFault::Empty : read.fault;
            pack.faultFile = path;
            return pack;
        }
        if (path == dataPath)
            checkPackTable(read.sheets.first(), path, pack);
        else
            readTitles(read.sheets.first(), path, pack);
    }
    if (!pack.errors.isEmpty())
        return pack;
    QSet<QString> titled = knownCodes;
    for (const PackTitle &title : std::as_const(pack.titles))
        titled.insert(title.naics);
    for (const PackRow &row : std::as_const(pack.rows)) {
        if (titled.contains(row.naics))
            continue;
        pack.errors.append({dataPath,
                            row.fileRow,
                            packColumnTitle({PackKey::Naics, "NAICS"}, Language::English),
                            PackProblemKind::NoTitle,
                            {row.naics}});
        titled.insert(row.naics); // said once
    }
    return pack;
}

QString packProblemText(const PackProblem &problem, Language language)
{
    const int id = kPackProblemFirst + 2 * int(problem.kind);
    QString what = ResourceString(id, language);
    for (const QString &value : problem.values)
        what = what.arg(value);
    if (problem.column.isEmpty())
        return ResourceString(kPackProblemAtRow, language)
            .arg(problem.file, QString::number(problem.row), what);
    return ResourceString(kPackProblemAtCell, language)
        .arg(problem.file, QString::number(problem.row), problem.column, what);
}

QList<int> packYears(const QList<PackRow> &rows)
{
    QSet<int> years;
    for (const PackRow &row : rows)
        years.insert(row.year);
    QList<int> sorted(years.cbegin(), years.cend());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

int packDatasetCount(const QList<PackRow> &rows)
{
    QSet<QString> datasets;
    for (const PackRow &row : rows)
        datasets.insert(QStringLiteral("%1/%2").arg(row.volume).arg(row.region));
    return int(datasets.size());
}

int packIndustryCount(const QList<PackRow> &rows)
{
    QSet<QString> codes;
    for (const PackRow &row : rows)
        codes.insert(row.naics);
    return int(codes.size());
}
