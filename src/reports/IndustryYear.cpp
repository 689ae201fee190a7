#include "reports/IndustryYear.h"

#include "reports/ReportExtraction.h"
#include "reports/ReportSql.h"

QString yearWorkTable(int year)
{
    return workTableOfYear(kComparisonReportYear, year);
}

std::optional<RecordSet> industryYearRow(Connection &cnUser, int year, const QStringList &columns)
{
    const QString table = yearWorkTable(year);
    if (table.isEmpty())
        return std::nullopt;
    // Named columns keep the statement prepared from one report to the next.
    RecordSet row = GetRS(cnUser,
                          QStringLiteral("select NumberOfFirms, ") +
                              columns.join(QStringLiteral(", ")) + QStringLiteral(" from ") + table,
                          QStringLiteral("read"));
    if (row.RecordCount() == 0 || row.isNull(QStringLiteral("NumberOfFirms")))
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
    RatioQuartiles quartiles{};
    for (std::size_t i = 0; i < kRatioColumns.size(); ++i) {
        const RatioColumns &r = kRatioColumns[i];
        quartiles[i] = {reportsql::numberOf(yearRow.field(QLatin1String(r.q1))),
                        reportsql::numberOf(yearRow.field(QLatin1String(r.q2))),
                        reportsql::numberOf(yearRow.field(QLatin1String(r.q3)))};
    }
    return quartiles;
}
