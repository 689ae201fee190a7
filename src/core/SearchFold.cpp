#include "core/SearchFold.h"

namespace {
bool isAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}
} // namespace

QString foldForSearch(const QString &text)
{
    // Titles are mostly plain ASCII: no decomposition needed.
    if (isAscii(text))
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        switch (c.unicode()) {
        case 0x0152: // Œ
        case 0x0153: // œ
            folded += QLatin1String("oe");
            break;
        case 0x00c6: // Æ
        case 0x00e6: // æ
            folded += QLatin1String("ae");
            break;
        default:
            folded += c;
        }
    }
    return folded.toCaseFolded();
}
