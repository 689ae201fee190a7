#include "firm/ReferenceYears.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

QStringList fncReferenceYears()
{
    return {QStringLiteral("2004"), QStringLiteral("2005"), QStringLiteral("2006")};
}

bool fncYearTextInRange(const QString &yearText)
{
    const QString first = QString::fromLatin1(kFirstReferenceYear);
    const QString last = QString::fromLatin1(kLastReferenceYear);
    return !(QString::compare(yearText, last, Qt::CaseSensitive) > 0 ||
             QString::compare(yearText, first, Qt::CaseSensitive) < 0);
}

std::optional<qint16> fncComparisonYear(const QString &yearText)
{
    if (!fncYearTextInRange(yearText))
        return std::nullopt;
    const std::optional<int> year = fncStorableYear(yearText);
    if (!year || *year < QString::fromLatin1(kFirstReferenceYear).toInt() ||
        *year > QString::fromLatin1(kLastReferenceYear).toInt())
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
        .arg(QString::fromLatin1(kFirstReferenceYear), QString::fromLatin1(kLastReferenceYear));
}
