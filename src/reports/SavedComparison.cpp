#include "reports/SavedComparison.h"

#include "core/DatasetMapping.h"
#include "firm/AmountText.h"
#include "firm/FirmList.h"
#include "firm/StatementItems.h"
#include "search/IndustryLookups.h"

namespace {
// The statement's amounts as the firm screen shows them once it is opened.
QStringList amountTexts(Connection &user, const QString &firmName, int year)
{
    const RecordSet rs = fncReadFirmStatement(user, firmName, year);
    QStringList texts;
    for (const StatementItem &item : statementItems())
        texts << fncDoubleText(
            rs.RecordCount() > 0 ? rs.field(QLatin1String(item.column)).toDouble() : 0.0);
    return texts;
}
} // namespace

PreparationOutcome fncPrepareSavedComparison(Connection &reference, Connection &user,
                                             const QString &firmName, int year,
                                             const StatementIndustry &industry, Language language,
                                             QString *industryTitle)
{
    const std::optional<IndustryDefinition> definition = fncIndustryDefinition(
        reference, naicsDescriptionTable(industry.volume), industry.naics, language);
    const QString title = definition ? definition->title : QString();
    if (industryTitle)
        *industryTitle = title;
    const QStringList values = fncComparisonValues(firmName, qint16(year), industry.naics, title,
                                                   amountTexts(user, firmName, year));
    const QString letter =
        language == Language::English ? QStringLiteral("E") : QStringLiteral("F");
    return fncPrepareComparisonReport(reference, user, QStringLiteral("com"),
                                      qint16(industry.volume), industry.region, qint16(year),
                                      industry.naics, letter, values);
}
