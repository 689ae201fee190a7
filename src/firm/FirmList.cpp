#include "firm/FirmList.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

QString fncFirmListQuery(qint16 language)
{
    return language == 0
               ? QStringLiteral("select Firmname, [year] from myvalues order by Firmname, [year]")
               : QStringLiteral("select Firmname as Nom, [year] as Année from myvalues order by "
                                "Firmname, [year]");
}

RecordSet fncReadFirmList(Connection &connection, qint16 language)
{
    const RecordSet sorted = GetRS(connection, fncFirmListQuery(language), QStringLiteral("read"));
    QVector<QVector<QVariant>> rows;
    rows.reserve(sorted.RecordCount());
    for (int i = 0; i < sorted.RecordCount(); ++i)
        rows.append(sorted.row(i));
    QCollator collator(language == 0 ? QLocale(QLocale::English, QLocale::Canada)
                                     : QLocale(QLocale::French, QLocale::Canada));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Stable: rows of one name keep the query's year order.
    std::stable_sort(rows.begin(), rows.end(),
                     [&collator](const QVector<QVariant> &a, const QVector<QVariant> &b) {
                         return collator.compare(a.at(0).toString(), b.at(0).toString()) < 0;
                     });
    return RecordSet(sorted.fieldNames(), std::move(rows));
}

RecordSet fncReadFirmStatement(Connection &connection, const QString &firmName,
                               const QVariant &year)
{
    return GetRS(connection,
                 QStringLiteral("select * from myvalues where firmname = ? and [year] = ?"),
                 QStringLiteral("read"), {firmName, year});
}

QString fncNoRecordsMessage(qint16 language)
{
    return language == 0 ? QStringLiteral("No records were found")
                         : QStringLiteral("L'item n'a pas été trouver");
}
