#include "reports/SavedComparison.h"

#include "core/DatasetMapping.h"
#include "firm/AmountText.h"
#include "firm/FirmList.h"
#include "firm/StatementItems.h"
#include "search/IndustryLookups.h"

namespace {
// The statement's amounts as the firm screen shows them once it is opened
// (zeros when it was deleted since it was listed).
QStringList amountTexts(StatementStore &store, const QString &firmName, int year)
{
    const std::optional<SavedStatement> saved = store.open(firmName, year);
    QStringList texts;
    for (double FirmStatement::*member : firmStatementAmounts())
        texts << fncDoubleText(saved ? saved->amounts.*member : 0.0);
    return texts;
}
} // namespace

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
    const QStringList values = fncComparisonValues(firmName, qint16(year), industry.naics, title,
                                                   amountTexts(store, firmName, year));
    const QString letter =
        language == Language::English ? QStringLiteral("E") : QStringLiteral("F");
    return fncPrepareComparisonReport(reference, user, store, QStringLiteral("com"),
                                      qint16(industry.volume), industry.region, qint16(year),
                                      industry.naics, letter, values);
}
