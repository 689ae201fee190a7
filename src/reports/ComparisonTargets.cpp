#include "reports/ComparisonTargets.h"

#include "reports/ComparisonRatios.h"
#include "reports/ReportSql.h"
#include "reports/TableColumns.h"

#include <QHash>

namespace {
bool belowMedian(Standing standing)
{
    return standing == Standing::BelowMedian || standing == Standing::Bottom;
}

// Each column's text in the comparison title table's row, or nothing where
// the table lacks the column or a row.
using TitleRowTexts = QVector<std::optional<QString>>;

TitleRowTexts readTitleTexts(Connection &cnUser, const QStringList &columns)
{
    TitleRowTexts found(columns.size());
    const std::optional<TableColumns> present =
        tableColumns(cnUser, QStringLiteral("main"), QStringLiteral("Rpt_Comparison_Titles"));
    // Each text's place in the select list below (a column read once), or -1.
    QStringList selected;
    QVector<int> place(columns.size(), -1);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (!present || !present->contains(columns[i]))
            continue;
        if (!selected.contains(columns[i]))
            selected << columns[i];
        place[i] = int(selected.indexOf(columns[i]));
    }
    if (selected.isEmpty())
        return found;
    const RecordSet titles = GetRS(cnUser,
                                   QStringLiteral("select ") + selected.join(QStringLiteral(", ")) +
                                       QStringLiteral(" from Rpt_Comparison_Titles"),
                                   QStringLiteral("read"));
    if (titles.RecordCount() == 0)
        return found;
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (place[i] >= 0)
            found[i] = titles.field(place[i]).toString();
    return found;
}

// Texts of the comparison title table's row: each column's, or its fallback
// where the table lacks the column or a row. The row is copied from the
// title source in the report's language on every preparation, and the source
// changes only along with the user database's schema (its title tables
// refreshed, a backup copied over it), so the texts are read once per
// connection, language and schema version.
QStringList titleTexts(Connection &cnUser, const QString &language, const QStringList &columns,
                       QStringList fallbacks)
{
    struct Kept
    {
        qint64 schemaVersion = -1;
        TitleRowTexts texts;
    };
    thread_local QHash<QString, Kept> kept;
    const qint64 version = schemaVersion(cnUser, QStringLiteral("main"));
    Kept &entry = kept[cnUser.connectionName() + QLatin1Char('/') +
                       reportsql::languageLetter(language).toUpper() + QLatin1Char('/') +
                       columns.join(QLatin1Char(','))];
    if (version < 0 || entry.schemaVersion != version)
        entry = {version, readTitleTexts(cnUser, columns)};
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (entry.texts[i])
            fallbacks[i] = *entry.texts[i];
    return fallbacks;
}

// The levers' names in the report's language, from the comparison titles
// (Lbl_ + the MyValues column); the column itself where a title is missing.
QHash<QString, QString> inputNames(Connection &cnUser, const QString &language)
{
    // The inputs' columns and their title columns, the same for every report.
    static const std::pair<QStringList, QStringList> inputs = [] {
        QStringList names;
        QStringList columns;
        for (int i = 0; i < kRatioCount; ++i)
            for (const TargetInput &input : targetInputs(RatioId(i)))
                if (!names.contains(QLatin1String(input.column))) {
                    names << QLatin1String(input.column);
                    columns << QStringLiteral("Lbl_") + names.last();
                }
        return std::pair{names, columns};
    }();
    const auto &[names, columns] = inputs;
    const QStringList texts = titleTexts(cnUser, language, columns, names);
    QHash<QString, QString> byColumn;
    for (qsizetype i = 0; i < names.size(); ++i)
        byColumn.insert(names[i], texts[i]);
    return byColumn;
}

constexpr std::array<const char *, 8> kTextColumns = {"Sec_Targets",   "Hdr_Input",  "Hdr_Now",
                                                      "Hdr_Needed",    "Hdr_Change", "Note_Targets",
                                                      "Lbl_NoTargets", "Hdr_Reason"};
} // namespace

std::array<QString, kRatioCount>
comparisonTitleTexts(Connection &cnUser, const QString &language,
                     const std::array<QString, kRatioCount> &columns,
                     std::array<QString, kRatioCount> fallbacks)
{
    const QStringList texts =
        titleTexts(cnUser, language, QStringList(columns.cbegin(), columns.cend()),
                   QStringList(fallbacks.cbegin(), fallbacks.cend()));
    std::copy(texts.cbegin(), texts.cend(), fallbacks.begin());
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
            for (const RatioTarget &target : ratioTargets(statement, RatioId(i), *median))
                targets.push_back(target);
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
    case TargetObstacle::NoProfitBeforeInterest: {
        NumberFormat dollars{NumberKind::Currency, 0};
        return comparisonText(QStringLiteral("Why_NoProfitBeforeInterest"), language)
            .arg(
                formatNumber(statement.InterestExpense + statement.PretaxProfit, dollars, language),
                formatNumber(target.profitNeeded.value_or(0), dollars, language));
    }
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

    const QHash<QString, QString> items = inputNames(cnUser, languageText);
    const FirmRatios ratios = computeFirmRatios(statement);
    const std::vector<RatioTarget> targets = comparisonTargets(statement, quartiles, standings);
    for (const RatioTarget &target : targets) {
        const int i = int(target.id);
        const RatioColumns &r = kRatioColumns[i];
        const QString code = QLatin1String(r.key);
        const QString item = QLatin1String(target.input.column);
        const QString itemName = items.value(item, item);
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
                           "Change, Reason, Held) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            errors,
            {code, names[i], percent ? mine : none, percent ? QVariant(median) : none,
             percent ? none : mine, percent ? none : QVariant(median), itemName,
             target.amountNeeded ? QVariant(target.amountNow) : none, needed, change,
             target.amountNeeded
                 ? none
                 : QVariant(targetObstacleText(target, statement, itemName, language)),
             // What the figure holds fixed and what moves with it.
             target.amountNeeded
                 ? QVariant(comparisonText(QStringLiteral("Held_") + item, language))
                 : none});
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
