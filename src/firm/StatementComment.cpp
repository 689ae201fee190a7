#include "firm/StatementComment.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QLocale>

std::optional<QString> fncCommentRefusal(const QString &comment, Language language)
{
    for (const QChar c : comment)
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\n') &&
            c != QLatin1Char('\t') && c != QLatin1Char('\r'))
            return ResourceString(kCommentControl, language);
    if (comment.size() > kCommentMaxLength)
        return ResourceString(kCommentTooLong, language)
            .arg(QLocale(language == Language::French ? QLocale::French : QLocale::English)
                     .toString(kCommentMaxLength));
    return std::nullopt;
}
