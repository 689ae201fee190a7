#include "firm/ReferenceYears.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"

QStringList fncReferenceYears()
{
    QStringList years;
    for (int year = firstReferenceYear(); year <= lastReferenceYear(); ++year)
        years << QString::number(year);
    return years;
}

bool fncYearTextInRange(const QString &yearText)
{
    const QString first = QString::number(firstReferenceYear());
    const QString last = QString::number(lastReferenceYear());
    return !(QString::compare(yearText, last, Qt::CaseSensitive) > 0 ||
             QString::compare(yearText, first, Qt::CaseSensitive) < 0);
}

std::optional<qint16> fncComparisonYear(const QString &yearText)
{
    if (!fncYearTextInRange(yearText))
        return std::nullopt;
    const std::optional<int> year = fncStorableYear(yearText);
    if (!year || *year < firstReferenceYear() || *year > lastReferenceYear())
        return std::nullopt;
    return qint16(*year);
}

std::optional<int> fncStorableYear(const QString &yearText)
{
    bool ok = false;
    const int year = yearText.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return year;
}

QString fncInvalidYearMessage(bool french)
{
    return ResourceString(kInvalidYear, french ? Language::French : Language::English)
        .arg(QString::number(firstReferenceYear()), QString::number(lastReferenceYear()));
}
