#include "DatasetColumns.h"

namespace datasetcolumns {

const QStringList &ratioPrefixes()
{
    static const QStringList prefixes{
        QStringLiteral("NPM"), QStringLiteral("PPM"),     QStringLiteral("OPM"),
        QStringLiteral("GPM"), QStringLiteral("ORTTNOA"), QStringLiteral("RNOA"),
        QStringLiteral("PPA"), QStringLiteral("RCE"),     QStringLiteral("RE"),
        QStringLiteral("DE"),  QStringLiteral("RT"),      QStringLiteral("IT"),
        QStringLiteral("WC"),  QStringLiteral("LTA"),     QStringLiteral("IC")};
    return prefixes;
}

bool lowerIsBetter(const QString &prefix)
{
    return prefix == QLatin1String("DE") || prefix == QLatin1String("LTA");
}

bool isPercentage(const QString &prefix)
{
    return ratioPrefixes().indexOf(prefix) < 9;
}

const QStringList &profitLossColumns()
{
    static const QStringList columns{QStringLiteral("opp"), QStringLiteral("opl"),
                                     QStringLiteral("ppp"), QStringLiteral("ppl"),
                                     QStringLiteral("npp"), QStringLiteral("npl")};
    return columns;
}

const QStringList &balanceSheetColumns()
{
    static const QStringList columns{
        QStringLiteral("a11"),     QStringLiteral("a12"),     QStringLiteral("a13"),
        QStringLiteral("a18"),     QStringLiteral("a19"),     QStringLiteral("totoa"),
        QStringLiteral("a14"),     QStringLiteral("a151617"), QStringLiteral("totass"),
        QStringLiteral("a22"),     QStringLiteral("curass"),  QStringLiteral("curliab"),
        QStringLiteral("a25100"),  QStringLiteral("a25200"),  QStringLiteral("a25500"),
        QStringLiteral("a25400"),  QStringLiteral("a25180"),  QStringLiteral("a24"),
        QStringLiteral("a2329"),   QStringLiteral("a27"),     QStringLiteral("totliab"),
        QStringLiteral("totse"),   QStringLiteral("a31"),     QStringLiteral("a38"),
        QStringLiteral("a283334"), QStringLiteral("totlse")};
    return columns;
}

const QStringList &extraColumns()
{
    // Average operating revenue per firm, in thousands of dollars.
    static const QStringList columns{QStringLiteral("AverageRevenue")};
    return columns;
}

QList<ColumnSpec> all()
{
    const QString real = QStringLiteral("REAL");
    const QString text = QStringLiteral("TEXT");
    QList<ColumnSpec> columns;
    columns.append({QStringLiteral("NAICS"), text, false});
    columns.append({QStringLiteral("NumberOfFirms"), real, false});
    for (const QString &prefix : ratioPrefixes())
        for (const char *quartile : {"Q1", "Q2", "Q3"})
            columns.append({prefix + QLatin1String(quartile), real, false});
    for (const QString &name : profitLossColumns())
        columns.append({name, real, false});
    for (const QString &name : balanceSheetColumns())
        columns.append({name, real, false});
    columns.append({QStringLiteral("IndustryDescription"), text, false});
    for (const QString &name : extraColumns())
        columns.append({name, real, false});
    return columns;
}

} // namespace datasetcolumns
