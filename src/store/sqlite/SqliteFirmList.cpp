#include "store/sqlite/SqliteFirmList.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

QString fncFirmListQuery(Language language)
{
    return language == Language::English
               ? QStringLiteral("select Firmname, [year] from myvalues order by Firmname, [year]")
               : QStringLiteral("select Firmname as Nom, [year] as Année from myvalues order by "
                                "Firmname, [year]");
}

RecordSet fncReadFirmList(Connection &connection, Language language)
{
    const RecordSet sorted = GetRS(connection, fncFirmListQuery(language), QStringLiteral("read"));
    QVector<QVector<QVariant>> rows;
    rows.reserve(sorted.RecordCount());
    for (int i = 0; i < sorted.RecordCount(); ++i)
        rows.append(sorted.row(i));
    QCollator collator(language == Language::English ? QLocale(QLocale::English, QLocale::Canada)
                                                     : QLocale(QLocale::French, QLocale::Canada));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names that differ only by letter case are one firm: its years ascend
    // across the spellings (stable: one spelling and year keep the query's
    // order).
    std::stable_sort(rows.begin(), rows.end(),
                     [&collator](const QVector<QVariant> &a, const QVector<QVariant> &b) {
                         const int byName =
                             collator.compare(a.at(0).toString(), b.at(0).toString());
                         if (byName != 0)
                             return byName < 0;
                         return a.at(1).toInt() < b.at(1).toInt();
                     });
    return RecordSet(sorted.fieldNames(), std::move(rows));
}

RecordSet fncReadFirmStatement(Connection &connection, const QString &firmName,
                               const QVariant &year)
{
    // The name as stored first: rows stored before names ignored letter case
    // may differ only by it, and each stays readable.
    return GetRS(connection,
                 QStringLiteral("select * from myvalues where firmname = ? collate unicode_nocase "
                                "and [year] = ? order by firmname = ? desc"),
                 QStringLiteral("read"), {firmName, year, firmName});
}
