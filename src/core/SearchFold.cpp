#include "core/SearchFold.h"

namespace {
void appendDecomposed(char32_t character, QString &out);

// Calls appendDecomposed for each character of `text`; plain ASCII, the
// bulk of titles, is copied as it is.
void appendAllDecomposed(QStringView text, QString &out)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out += c;
            continue;
        }
        char32_t character = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            character = QChar::surrogateToUcs4(c, text.at(++i));
        appendDecomposed(character, out);
    }
}

// Appends what one character folds to, before letter case: its compatibility
// decomposition, taken one character at a time and in full, without the
// non-spacing marks, the ligatures œ and æ spelt out. Each character costs
// the same whatever the length of the text, where normalising the whole text
// at once costs more per character the longer it gets.
void appendDecomposed(char32_t character, QString &out)
{
    switch (character) {
    case 0x0152: // Œ
    case 0x0153: // œ
        out += QLatin1String("oe");
        return;
    case 0x00c6: // Æ
    case 0x00e6: // æ
        out += QLatin1String("ae");
        return;
    default:
        break;
    }
    if (QChar::category(character) == QChar::Mark_NonSpacing)
        return;
    const QString decomposition = QChar::decomposition(character);
    if (decomposition.isEmpty()) {
        out += QString::fromUcs4(&character, 1);
        return;
    }
    appendAllDecomposed(decomposition, out);
}
} // namespace

QString foldForSearch(const QString &text)
{
    QString decomposed;
    decomposed.reserve(text.size());
    appendAllDecomposed(text, decomposed);
    return decomposed.toCaseFolded();
}
