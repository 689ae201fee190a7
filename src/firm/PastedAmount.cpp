#include "firm/PastedAmount.h"

#include "firm/AmountKeys.h"
#include "firm/AmountText.h"

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
    const std::optional<QString> digits = groupedDigits(rest);
    if (!digits)
        return std::nullopt;
    amount.digits = *digits;
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
