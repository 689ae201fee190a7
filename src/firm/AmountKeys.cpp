#include "firm/AmountKeys.h"

#include "firm/AmountText.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <cmath>
#include <initializer_list>

namespace {
constexpr int kKeyEscape = 27;

bool matchesAny(const QKeyEvent &event, std::initializer_list<QKeySequence::StandardKey> keys)
{
    for (const QKeySequence::StandardKey key : keys)
        if (event.matches(key))
            return true;
    return false;
}
} // namespace

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

int fncAmountKeyCode(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Backspace:
        return kKeyBackspace;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    default:
        break;
    }
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}

AmountKey fncClassifyAmountKeyEvent(const QKeyEvent &event)
{
    // The platform's editing shortcuts; paste goes through the paste filter.
    if (event.matches(QKeySequence::Paste))
        return AmountKey::Paste;
    if (matchesAny(event, {QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo}) ||
        event.key() == Qt::Key_Delete)
        return AmountKey::Edit;
    if (matchesAny(event, {QKeySequence::SelectAll, QKeySequence::Copy}))
        return AmountKey::Pass;
    const int code = fncAmountKeyCode(event);
    return code < 0 ? AmountKey::Pass : fncClassifyAmountKey(code);
}

bool fncKeyPlacesCaret(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

QString fncTextAfterTyping(const QString &text, int selectionStart, int selectionLength, int cursor,
                           const QString &typed)
{
    QString after = text;
    int at = cursor;
    if (selectionLength > 0 && selectionStart >= 0) {
        after.remove(selectionStart, selectionLength);
        at = selectionStart;
    }
    return after.insert(qBound(0, at, int(after.size())), typed);
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
