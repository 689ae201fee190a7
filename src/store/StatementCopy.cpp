#include "store/StatementCopy.h"

#include "core/ResourceString.h"

CopySummary fncCopyStatements(StatementStore &from, StatementStore &to, bool replace)
{
    CopySummary summary;
    for (const StatementEntry &entry : from.list(Language::English)) {
        const std::optional<SavedStatement> statement = from.open(entry.firmName, entry.year);
        if (!statement)
            continue; // deleted while the copy ran
        const QString savedBy =
            statement->stamp.savedBy.isEmpty() ? fncCurrentUserName() : statement->stamp.savedBy;
        const bool existed = to.current(entry.firmName, entry.year).has_value();
        if (existed && !replace) {
            summary.skipped << entry.firmName + QStringLiteral(", ") + QString::number(entry.year);
            continue;
        }
        const WriteOutcome outcome = to.save(
            *statement, replace ? Expectation::anything() : Expectation::nothing(), savedBy);
        if (!outcome.done)
            summary.skipped << entry.firmName + QStringLiteral(", ") + QString::number(entry.year);
        else if (existed)
            ++summary.replaced;
        else
            ++summary.copied;
    }
    return summary;
}

QString fncCopySummaryText(const CopySummary &summary, Language language)
{
    QString text = ResourceString(2424, language)
                       .arg(summary.copied)
                       .arg(summary.replaced)
                       .arg(summary.skipped.size());
    if (!summary.skipped.isEmpty())
        text += QLatin1Char('\n') + ResourceString(2426, language) + QLatin1Char('\n') +
                QStringLiteral("  ") + summary.skipped.join(QStringLiteral("\n  "));
    return text;
}
