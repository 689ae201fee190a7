#include "benchmarks/BenchmarkColumns.h"

#include "benchmarks/BenchmarksInUse.h"

#include "core/DatabaseCheck.h"
#include "core/DatasetMapping.h"
#include "core/ProgramFolder.h"
#include "core/TsvText.h"
#include "import/ImportLabels.h"
#include "reports/ComparisonRatios.h"
#include "reports/RatioExplanation.h"

#include <QHash>

namespace {
const BilingualTexts &columnTexts()
{
    static const BilingualTexts texts(QStringLiteral(":/benchmarks/benchmark_columns.tsv"),
                                      "Benchmark columns");
    return texts;
}

const char *keyName(PackKey key)
{
    switch (key) {
    case PackKey::Volume:
        return "Volume";
    case PackKey::Region:
        return "Region";
    case PackKey::Year:
        return "Year";
    case PackKey::Naics:
        return "NAICS";
    case PackKey::Firms:
        return "Firms";
    case PackKey::Figure:
        break;
    }
    return "";
}

// The ratio a quartile column belongs to, and which quartile ("Q1").
const RatioColumns *ratioOfColumn(const QString &column, QString *quartile)
{
    for (const RatioColumns &ratio : kRatioColumns) {
        const char *names[] = {ratio.q1, ratio.q2, ratio.q3};
        for (int q = 0; q < 3; ++q) {
            if (column.compare(QLatin1String(names[q]), Qt::CaseInsensitive) == 0) {
                *quartile = QStringLiteral("Q%1").arg(q + 1);
                return &ratio;
            }
        }
    }
    return nullptr;
}
} // namespace

const QStringList &figureColumns()
{
    static const QStringList columns = [] {
        const QString table = datasetTableName(1, QStringLiteral("ALL"), kSampleLastYear);
        QStringList names;
        for (const auto &[name, tableColumns] :
             DatabaseSchema::shipped(QLatin1String(kReferenceDatabaseFile)).tables()) {
            if (name.compare(table, Qt::CaseInsensitive) != 0)
                continue;
            for (const QString &column : tableColumns)
                if (!QStringList{QStringLiteral("NAICS"), QStringLiteral("NumberOfFirms"),
                                 QStringLiteral("IndustryDescription")}
                         .contains(column, Qt::CaseInsensitive))
                    names << column;
        }
        return names;
    }();
    return columns;
}

QList<PackColumn> packColumns()
{
    QList<PackColumn> columns;
    for (const PackKey key :
         {PackKey::Volume, PackKey::Region, PackKey::Year, PackKey::Naics, PackKey::Firms})
        columns.append({key, QLatin1String(keyName(key))});
    for (const QString &figure : figureColumns())
        columns.append({PackKey::Figure, figure});
    return columns;
}

std::optional<PackColumn> packColumnOfHeading(const QString &heading)
{
    static const QHash<QString, PackColumn> byHeading = [] {
        QHash<QString, PackColumn> headings;
        for (const PackColumn &column : packColumns()) {
            headings.insert(foldImportLabel(column.name), column);
            for (const Language language : {Language::English, Language::French})
                headings.insert(foldImportLabel(packColumnTitle(column, language)), column);
        }
        // The dataset tables' own name of the number of firms.
        headings.insert(foldImportLabel(QStringLiteral("NumberOfFirms")),
                        {PackKey::Firms, QStringLiteral("Firms")});
        return headings;
    }();
    const auto found = byHeading.constFind(foldImportLabel(heading));
    if (found == byHeading.constEnd())
        return std::nullopt;
    return *found;
}

QString packColumnTitle(const PackColumn &column, Language language)
{
    const bool french = language == Language::French;
    if (column.key != PackKey::Figure)
        return columnTexts().text(column.name, french);
    QString quartile;
    if (const RatioColumns *ratio = ratioOfColumn(column.name, &quartile))
        return ratioText(QStringLiteral("Name_") + QLatin1String(ratio->key),
                         french ? ReportLanguage::French : ReportLanguage::English) +
               QLatin1Char(' ') + quartile;
    return columnTexts().text(column.name, french);
}

FigureUnit packColumnUnit(const PackColumn &column)
{
    if (column.key == PackKey::Firms)
        return FigureUnit::Firms;
    QString quartile;
    if (const RatioColumns *ratio = ratioOfColumn(column.name, &quartile))
        return ratio->percent ? FigureUnit::Percent : FigureUnit::Ratio;
    return column.name == QLatin1String("AverageRevenue") ? FigureUnit::Thousands
                                                          : FigureUnit::Percent;
}

QString figureUnitText(FigureUnit unit, Language language)
{
    const char *keys[] = {"Unit_Firms", "Unit_Percent", "Unit_Ratio", "Unit_Thousands"};
    return columnTexts().text(QLatin1String(keys[int(unit)]), language == Language::French);
}

const QList<QuartileColumns> &quartileColumns()
{
    static const QList<QuartileColumns> columns = [] {
        QList<QuartileColumns> list;
        for (const RatioColumns &ratio : kRatioColumns)
            list.append({QString::fromLatin1(ratio.q1).toLower(),
                         QString::fromLatin1(ratio.q2).toLower(),
                         QString::fromLatin1(ratio.q3).toLower(),
                         ratio.scale == RatioScale::LowerIsBetter});
        return list;
    }();
    return columns;
}

const QList<QStringList> &hundredTotals()
{
    static const QList<QStringList> totals = {
        {QStringLiteral("opp"), QStringLiteral("opl")},
        {QStringLiteral("ppp"), QStringLiteral("ppl")},
        {QStringLiteral("npp"), QStringLiteral("npl")},
        {QStringLiteral("totass")},
        {QStringLiteral("totlse")},
        {QStringLiteral("totoa"), QStringLiteral("a14"), QStringLiteral("a151617")},
        {QStringLiteral("totliab"), QStringLiteral("totse")}};
    return totals;
}

bool isNotAvailableMark(const QString &text)
{
    static const QStringList marks = {QStringLiteral("x"), QStringLiteral("X"),
                                      QStringLiteral(".."), QStringLiteral("..."),
                                      QStringLiteral("F")};
    return marks.contains(text.trimmed());
}
