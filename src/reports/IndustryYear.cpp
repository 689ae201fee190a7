#include "reports/IndustryYear.h"

#include "benchmarks/BenchmarksInUse.h"
#include "reports/ReportExtraction.h"
#include "reports/ReportSql.h"

#include <QVector>
#include <algorithm>

QString yearWorkTable(int year)
{
    return workTableOfYear(lastReferenceYear(), year);
}

std::optional<RecordSet> industryYearRow(Connection &cnUser, int year, const QStringList &columns)
{
    const QString table = yearWorkTable(year);
    if (table.isEmpty())
        return std::nullopt;
    // Named columns keep the statement prepared from one report to the next;
    // its text is built once per table and column list (the callers pass
    // the same lists, which compare at once).
    struct Select
    {
        QString table;
        QStringList columns;
        QString sql;
    };
    thread_local QVector<Select> selects;
    auto select = std::find_if(selects.begin(), selects.end(), [&](const Select &s) {
        return s.table == table && s.columns == columns;
    });
    if (select == selects.end()) {
        selects.append({table, columns,
                        QStringLiteral("select NumberOfFirms, ") +
                            columns.join(QStringLiteral(", ")) + QStringLiteral(" from ") + table});
        select = selects.end() - 1;
    }
    RecordSet row = GetRS(cnUser, select->sql, QStringLiteral("read"));
    if (row.RecordCount() == 0 || row.field(kFirstYearRowColumn - 1).isNull())
        return std::nullopt;
    return row;
}

const QStringList &ratioQuartileColumns()
{
    static const QStringList columns = [] {
        QStringList names;
        for (const RatioColumns &r : kRatioColumns)
            names << QLatin1String(r.q1) << QLatin1String(r.q2) << QLatin1String(r.q3);
        return names;
    }();
    return columns;
}

RatioQuartiles ratioQuartiles(const RecordSet &yearRow)
{
    // By position, as ratioQuartileColumns() lists them: a row this wide
    // would otherwise index its names for these lookups alone.
    RatioQuartiles quartiles{};
    for (int i = 0; i < int(kRatioColumns.size()); ++i) {
        const int first = kFirstYearRowColumn + 3 * i;
        quartiles[i] = {reportsql::numberOf(yearRow.field(first)),
                        reportsql::numberOf(yearRow.field(first + 1)),
                        reportsql::numberOf(yearRow.field(first + 2))};
    }
    return quartiles;
}
