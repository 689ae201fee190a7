#include "firm/PastedAmount.h"

#include "firm/AmountKeys.h"
#include "firm/AmountText.h"

#include <algorithm>
#include <cmath>

namespace {
bool isSeparator(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char(' ') || c == QChar(0x00a0) ||
           c == QChar(0x202f);
}

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// "80,000" and "1 234 567" give their digits; a group that is not three
// digits after the first, or a separator doubled or at either end, none.
std::optional<QString> groupedDigits(QStringView text)
{
    QString digits;
    qsizetype groupStart = 0;
    bool firstGroup = true;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text.at(i)))
            continue;
        const QStringView group = text.mid(groupStart, i - groupStart);
        if (!allDigits(group))
            return std::nullopt;
        if (firstGroup ? (i < text.size() && group.size() > 3) : group.size() != 3)
            return std::nullopt;
        digits += group;
        firstGroup = false;
        groupStart = i + 1;
    }
    return digits;
}
} // namespace

std::optional<PastedAmount> fncPastedAmount(const QString &text)
{
    QString rest = text.trimmed();
    PastedAmount amount;
    if (rest.startsWith(QLatin1Char('(')) && rest.endsWith(QLatin1Char(')'))) {
        amount.negative = true;
        rest = rest.mid(1, rest.size() - 2).trimmed();
    } else if (rest.startsWith(QLatin1Char('-'))) {
        amount.negative = true;
        rest = rest.mid(1).trimmed();
    }
    if (rest.startsWith(QLatin1Char('$')))
        rest = rest.mid(1).trimmed();
    else if (rest.endsWith(QLatin1Char('$')))
        rest = rest.chopped(1).trimmed();
    if (const std::optional<QString> digits = groupedDigits(rest)) {
        amount.digits = *digits;
        return amount;
    }
    // Cents after a decimal point or comma ("80 000,00", "1,234.56", "12.5"):
    // the whole dollars grouped as above, one or two digits after the mark,
    // as an import reads them. Anything looser ("8,0000") stays refused.
    const qsizetype mark =
        std::max(rest.lastIndexOf(QLatin1Char('.')), rest.lastIndexOf(QLatin1Char(',')));
    const QStringView fraction = QStringView(rest).mid(mark + 1);
    if (mark <= 0 || fraction.size() > 2 || !allDigits(fraction))
        return std::nullopt;
    const std::optional<QString> whole = groupedDigits(QStringView(rest).left(mark));
    if (!whole)
        return std::nullopt;
    const double exact = (*whole + QLatin1Char('.') + fraction.toString()).toDouble();
    // Rounded half away from zero, as the import rounds.
    const double dollars = std::round(exact);
    amount.digits = QString::number(dollars, 'f', 0);
    if (dollars == 0)
        amount.negative = false;
    if (exact != dollars)
        amount.rounded = amount.negative ? -exact : exact;
    return amount;
}

QString fncTextAfterPaste(const QString &text, int selectionStart, int selectionLength, int cursor,
                          const PastedAmount &amount)
{
    const QString typed =
        fncTextAfterTyping(text, selectionStart, selectionLength, cursor, amount.digits);
    if (!amount.negative)
        return typed;
    const std::optional<QString> normal = fncAmountNormalForm(typed);
    if (!normal)
        return typed.startsWith(QLatin1Char('-')) ? typed : QLatin1Char('-') + typed;
    if (fncLeadingNumber(*normal) == 0.0)
        return QStringLiteral("0");
    return fncTextAfterMinus(*normal, 0, 0).value_or(typed);
}
