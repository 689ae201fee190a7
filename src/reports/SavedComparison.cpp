#include "reports/SavedComparison.h"

#include "core/DatasetMapping.h"
#include "search/IndustryLookups.h"
#include "store/StoreError.h"

PreparationOutcome fncPrepareSavedComparison(Connection &reference, Connection &user,
                                             StatementStore &store, const QString &firmName,
                                             int year, const StatementIndustry &industry,
                                             Language language, QString *industryTitle)
{
    const std::optional<IndustryDefinition> definition = fncIndustryDefinition(
        reference, naicsDescriptionTable(industry.volume), industry.naics, language);
    const QString title = definition ? definition->title : QString();
    if (industryTitle)
        *industryTitle = title;
    // Zeros when it was deleted since it was listed.
    const std::optional<SavedStatement> saved = store.open(firmName, year);
    const ComparisonSubject subject{firmName,
                                    qint16(year),
                                    industry.naics,
                                    title.trimmed(),
                                    saved ? saved->amounts : FirmStatement{},
                                    saved ? saved->comment : QString()};
    QVector<SavedStatement> firmYears;
    try {
        firmYears = store.firmYears(firmName);
    } catch (const StoreError &) {
        // Only the trend needs the firm's other years.
    }
    const QString letter =
        language == Language::English ? QStringLiteral("E") : QStringLiteral("F");
    return fncPrepareComparison(reference, user, qint16(industry.volume), industry.region, letter,
                                subject, firmYears);
}
