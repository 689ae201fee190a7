#include "firm/AmountRange.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/AmountText.h"
#include "firm/StatementItems.h"

#include <QLocale>
#include <cmath>

namespace {
bool beyondRange(const QString &text)
{
    const double value = fncLeadingNumber(text);
    return !std::isfinite(value) || std::fabs(value) > kLargestAmount;
}
} // namespace

std::optional<AmountRangeFault> fncAmountRangeFault(const QHash<QString, QString> &amounts)
{
    for (const StatementItem &item : statementItems()) {
        const QString column = QString::fromLatin1(item.column);
        if (!item.computed && beyondRange(amounts.value(column)))
            return AmountRangeFault{column, false};
    }
    QHash<QString, QString> withSubtotals = amounts;
    fncApplySubtotals(withSubtotals);
    for (const SubtotalRule &rule : subtotalRules()) {
        const QString column = QString::fromLatin1(rule.column);
        if (beyondRange(withSubtotals.value(column)))
            return AmountRangeFault{column, true};
    }
    return std::nullopt;
}

QString fncLargestAmountText(Language language)
{
    const qint64 largest = qint64(std::floor(kLargestAmount));
    if (language == Language::English)
        return QLocale(QLocale::English, QLocale::Canada).toString(largest);
    // A no-break space between the groups keeps the number on one line.
    QLocale french(QLocale::French, QLocale::Canada);
    return french.toString(largest).replace(french.groupSeparator(), QString(QChar(0x00a0)));
}

QString fncAmountRangeMessage(const AmountRangeFault &fault, Language language)
{
    const QString largest = fncLargestAmountText(language);
    if (!fault.subtotal)
        return ResourceString(kAmountTooLarge, language).arg(largest);
    QString total;
    for (const StatementItem &item : statementItems())
        if (fault.column == QLatin1String(item.column))
            total = ResourceString(item.captionId, language).trimmed();
    return ResourceString(kSubtotalTooLarge, language).arg(total, largest);
}
