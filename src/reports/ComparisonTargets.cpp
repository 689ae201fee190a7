#include "reports/ComparisonTargets.h"

#include "reports/ComparisonRatios.h"
#include "reports/ReportSql.h"
#include "reports/TableColumns.h"

namespace {
bool belowMedian(Standing standing)
{
    return standing == Standing::BelowMedian || standing == Standing::Bottom;
}

// The inputs' names in the report's language, from the comparison titles
// (Lbl_ + the MyValues column); the column itself where a title is missing.
std::array<QString, kRatioCount> inputNames(Connection &cnUser)
{
    std::array<QString, kRatioCount> columns;
    std::array<QString, kRatioCount> names;
    for (int i = 0; i < kRatioCount; ++i) {
        names[i] = QLatin1String(targetInput(RatioId(i)).column);
        columns[i] = QStringLiteral("Lbl_") + names[i];
    }
    return comparisonTitleTexts(cnUser, columns, names);
}

constexpr std::array<const char *, 8> kTextColumns = {"Sec_Targets",   "Hdr_Input",  "Hdr_Now",
                                                      "Hdr_Needed",    "Hdr_Change", "Note_Targets",
                                                      "Lbl_NoTargets", "Hdr_Reason"};
} // namespace

std::array<QString, kRatioCount>
comparisonTitleTexts(Connection &cnUser, const std::array<QString, kRatioCount> &columns,
                     std::array<QString, kRatioCount> fallbacks)
{
    const std::optional<TableColumns> present =
        tableColumns(cnUser, QStringLiteral("main"), QStringLiteral("Rpt_Comparison_Titles"));
    // Each ratio's place in the select list below (a column read once), or -1.
    QStringList selected;
    std::array<int, kRatioCount> place{};
    for (int i = 0; i < kRatioCount; ++i) {
        place[i] = -1;
        if (!present || !present->contains(columns[i]))
            continue;
        if (!selected.contains(columns[i]))
            selected << columns[i];
        place[i] = int(selected.indexOf(columns[i]));
    }
    if (selected.isEmpty())
        return fallbacks;
    const RecordSet titles = GetRS(cnUser,
                                   QStringLiteral("select ") + selected.join(QStringLiteral(", ")) +
                                       QStringLiteral(" from Rpt_Comparison_Titles"),
                                   QStringLiteral("read"));
    if (titles.RecordCount() == 0)
        return fallbacks;
    for (int i = 0; i < kRatioCount; ++i)
        if (place[i] >= 0)
            fallbacks[i] = titles.field(place[i]).toString();
    return fallbacks;
}

std::vector<RatioTarget> comparisonTargets(const FirmStatement &statement,
                                           const RatioQuartiles &quartiles,
                                           const std::array<Standing, kRatioCount> &standings)
{
    std::vector<RatioTarget> targets;
    for (int i = 0; i < kRatioCount; ++i) {
        const std::optional<double> median = quartiles[i].q2;
        const bool named = belowMedian(standings[i]) ||
                           (standings[i] == Standing::NotMeaningful && median.has_value());
        if (named && median)
            targets.push_back(ratioTarget(statement, RatioId(i), *median));
    }
    return targets;
}

QString targetObstacleText(const RatioTarget &target, const FirmStatement &statement,
                           const QString &itemName, ReportLanguage language)
{
    switch (target.obstacle) {
    case TargetObstacle::None:
        return QString();
    case TargetObstacle::NotMeaningful:
        return comparisonText(QStringLiteral("Why_NotMeaningful"), language)
            .arg(notMeaningfulCause(statement, target.id, language));
    case TargetObstacle::Negative:
        return comparisonText(QStringLiteral("Why_Negative"), language).arg(itemName);
    case TargetObstacle::ZeroOrNegative:
        return comparisonText(QStringLiteral("Why_ZeroOrNegative"), language).arg(itemName);
    case TargetObstacle::NoAmount:
        return comparisonText(QStringLiteral("Why_NoAmount"), language).arg(itemName);
    }
    return QString();
}

void writeComparisonTargets(Connection &cnUser, const FirmStatement &statement,
                            const RatioQuartiles &quartiles,
                            const std::array<Standing, kRatioCount> &standings,
                            const std::array<QString, kRatioCount> &names,
                            const QString &languageText)
{
    const ReportLanguage language = reportLanguageFromText(languageText);
    qint16 errors = 0;
    for (const char *table :
         {"Rpt_Comparison_Targets", "Rpt_Comparison_TargetRows", "Rpt_Comparison_TargetText"})
        ExecCmdInDB(cnUser, QStringLiteral("delete from ") + QLatin1String(table), errors);

    const std::array<QString, kRatioCount> items = inputNames(cnUser);
    const FirmRatios ratios = computeFirmRatios(statement);
    const std::vector<RatioTarget> targets = comparisonTargets(statement, quartiles, standings);
    for (const RatioTarget &target : targets) {
        const int i = int(target.id);
        const RatioColumns &r = kRatioColumns[i];
        const QString code = QLatin1String(r.key);
        const QString item = QLatin1String(targetInput(target.id).column);
        const double median = *quartiles[i].q2;
        const QVariant mine = target.obstacle == TargetObstacle::NotMeaningful
                                  ? QVariant()
                                  : QVariant(ratios.*r.value);
        const QVariant none;
        QVariant needed;
        QVariant change;
        if (target.amountNeeded) {
            needed = *target.amountNeeded;
            change = *target.amountNeeded - target.amountNow;
            ExecCmdInDB(cnUser,
                        QStringLiteral("insert into Rpt_Comparison_Targets (RatioCode, Item, "
                                       "AmountNow, AmountNeeded) values (?, ?, ?, ?)"),
                        errors, {code, item, target.amountNow, *target.amountNeeded});
        }
        const bool percent = isPercentRatio(target.id);
        ExecCmdInDB(
            cnUser,
            QStringLiteral("insert into Rpt_Comparison_TargetRows (RatioCode, Ratio, MyPct, "
                           "MedianPct, MyTimes, MedianTimes, Input, AmountNow, AmountNeeded, "
                           "Change, Reason) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            errors,
            {code, names[i], percent ? mine : none, percent ? QVariant(median) : none,
             percent ? none : mine, percent ? none : QVariant(median), items[i],
             target.amountNeeded ? QVariant(target.amountNow) : none, needed, change,
             target.amountNeeded
                 ? none
                 : QVariant(targetObstacleText(target, statement, items[i], language))});
    }

    QStringList columns = {QStringLiteral("TargetCount")};
    QVariantList texts = {int(targets.size())};
    for (const char *key : kTextColumns) {
        columns << QLatin1String(key);
        texts << comparisonText(QLatin1String(key), language);
    }
    ExecCmdInDB(cnUser,
                QStringLiteral("insert into Rpt_Comparison_TargetText (") +
                    columns.join(QStringLiteral(", ")) + QStringLiteral(") values (") +
                    reportsql::placeholders(columns.size()) + QLatin1Char(')'),
                errors, texts);
}
