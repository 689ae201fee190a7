#include "firm/AmountKeys.h"

#include "firm/AmountText.h"

#include <algorithm>
#include <cmath>

AmountKey fncClassifyAmountKey(int characterCode)
{
    if (characterCode == kKeyEnter)
        return AmountKey::Enter;
    if (characterCode == kKeyMinus)
        return AmountKey::Minus;
    if ((characterCode >= '0' && characterCode <= '9') || characterCode == kKeyBackspace)
        return AmountKey::Accept;
    return AmountKey::Reject;
}

bool fncPasteAccepted(const QString &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() != kKeyBackspace &&
               fncClassifyAmountKey(c.unicode()) == AmountKey::Accept;
    });
}

std::optional<QString> fncTextAfterMinus(const QString &text, int selectionStart,
                                         int selectionLength)
{
    QString remaining = text;
    if (selectionLength > 0 && selectionStart >= 0)
        remaining.remove(selectionStart, selectionLength);
    const std::optional<QString> normal = fncAmountNormalForm(remaining);
    if (!normal)
        return std::nullopt;
    const double magnitude = std::fabs(fncLeadingNumber(*normal));
    if (magnitude == 0.0)
        return QStringLiteral("-");
    return fncDoubleText(-magnitude);
}
