#include "firm/StatementIndustry.h"

#include "core/DatasetMapping.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/SavedStatement.h"
#include "reports/ReportTitles.h"
#include "search/IndustryLookups.h"

#include <QHash>

QString fncFirmKey(const QString &firmName)
{
    return firmName.toCaseFolded();
}

QString fncIndustryCaption(Connection &reference, const StatementIndustry &industry,
                           Language language)
{
    const std::optional<IndustryDefinition> definition = fncIndustryDefinition(
        reference, naicsDescriptionTable(industry.volume), industry.naics, language);
    if (!definition || definition->title.trimmed().isEmpty())
        return industry.naics;
    return industry.naics + QLatin1Char(' ') + definition->title.trimmed();
}

RecordSet fncFirmListRecordSet(const QVector<StatementEntry> &entries, Connection &user,
                               Connection &reference, Language language)
{
    QHash<QPair<QString, int>, StatementIndustry> saved;
    QVector<QVector<QVariant>> rows;
    rows.reserve(entries.size());
    for (const StatementEntry &entry : entries) {
        rows.append({entry.firmName, entry.year});
        if (entry.industry)
            saved.insert({fncFirmKey(entry.firmName), entry.year}, *entry.industry);
    }
    // Headed as the list query heads them in the language.
    const RecordSet firms(language == Language::English
                              ? QStringList{QStringLiteral("FirmName"), QStringLiteral("Year")}
                              : QStringList{QStringLiteral("Nom"), QStringLiteral("Année")},
                          std::move(rows));
    return fncFirmListWithIndustries(firms, saved, user, reference, language);
}

RecordSet fncFirmListWithIndustries(const RecordSet &firms,
                                    const QHash<QPair<QString, int>, StatementIndustry> &saved,
                                    Connection &user, Connection &reference, Language language)
{
    QHash<QPair<QString, int>, QString> captions;
    QHash<QString, QString> regions;
    const QString languageLetter =
        language == Language::English ? QStringLiteral("E") : QStringLiteral("F");
    QVector<QVector<QVariant>> rows;
    for (int i = 0; i < firms.RecordCount(); ++i) {
        QVector<QVariant> row = firms.row(i);
        const auto it =
            saved.constFind({fncFirmKey(row.value(0).toString()), row.value(1).toInt()});
        QString caption;
        QString volume;
        QString region;
        if (it != saved.constEnd() && !it->naics.isEmpty()) {
            const QPair<QString, int> key{it->naics, it->volume == 1 ? 1 : 0};
            if (!captions.contains(key))
                captions.insert(key, fncIndustryCaption(reference, *it, language));
            caption = captions.value(key);
            // The same code reads the same under each volume and region: they
            // tell the statements apart.
            volume = QString::number(it->volume);
            if (!regions.contains(it->region))
                regions.insert(it->region, regionName(user, it->region, languageLetter));
            region = regions.value(it->region);
        }
        row << caption << volume << region;
        rows.append(row);
    }
    QStringList names = firms.fieldNames();
    names << (language == Language::English ? QStringLiteral("Industry")
                                            : QStringLiteral("Industrie"))
          << ResourceString(kListVolumeHeading, language)
          << ResourceString(kListRegionHeading, language);
    return RecordSet(names, std::move(rows));
}
