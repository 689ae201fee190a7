#include "store/StoreMessages.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "store/StoreError.h"

#include <QLocale>

QString fncStoreErrorReason(const StoreError &error, Language language)
{
    int id = 2448;
    switch (error.kind()) {
    case StoreError::Kind::Unreachable:
        id = 2442;
        break;
    case StoreError::Kind::Refused:
        id = 2444;
        break;
    case StoreError::Kind::NoSchema:
        id = 2446;
        break;
    case StoreError::Kind::Cancelled:
        return ResourceString(kStoreCommandStopped, language).arg(error.where());
    case StoreError::Kind::Unconfirmed:
        id = kStoreWriteUnconfirmed;
        break;
    case StoreError::Kind::Other:
        break;
    }
    // libpq's texts end with a line break and may hold several lines.
    const QString detail = error.description().simplified();
    return ResourceString(id, language).arg(error.where(), detail);
}

QString fncStoreRefusalMessage(StoreCommand command, const StoreError &error, Language language)
{
    // A commit whose answer was lost may have landed: never "nothing was written".
    const bool unconfirmed = error.kind() == StoreError::Kind::Unconfirmed;
    const int id = command == StoreCommand::Save     ? (unconfirmed ? kSaveUnconfirmed : 2400)
                   : command == StoreCommand::Delete ? (unconfirmed ? kDeleteUnconfirmed : 2402)
                                                     : 2404;
    return ResourceString(id, language).arg(fncStoreErrorReason(error, language));
}

QString fncConflictQuestion(StoreCommand command, const QString &firmName, int year,
                            const StatementStamp &theirs, Language language)
{
    const QLocale locale(language == Language::English ? QLocale::English : QLocale::French,
                         QLocale::Canada);
    const QString when = locale.toString(theirs.savedAt.toLocalTime(), QLocale::LongFormat);
    const QString who = theirs.savedBy.isEmpty() ? QStringLiteral("?") : theirs.savedBy;
    return ResourceString(command == StoreCommand::Delete ? 2408 : 2406, language)
        .arg(firmName, QString::number(year), who, when);
}
