#include "core/WriteRefusal.h"

#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QDir>
#include <sqlite3.h>

namespace {
// The engine's primary result code (extended codes keep it in the low byte).
int primaryCode(const DatabaseError &error)
{
    return error.number() & 0xff;
}

// The texts of the messages (see StringIds.h): the reason by the engine's
// code, and the command's text, which takes %1, the file, and %2, the reason.
struct ReasonText
{
    int primaryCode;
    int id;
};
constexpr ReasonText kReasonTexts[] = {{SQLITE_READONLY, kReadOnlyReason},
                                       {SQLITE_BUSY, kLockedReason},
                                       {SQLITE_LOCKED, kLockedReason},
                                       {SQLITE_FULL, kDiskFullReason}};
// By RefusedCommand: save, delete, report.
constexpr int kCommandTexts[] = {kSaveRefused, kDeleteRefused, kReportRefused};

QString reasonText(const DatabaseError &error, Language language)
{
    for (const ReasonText &reason : kReasonTexts)
        if (reason.primaryCode == primaryCode(error))
            return ResourceString(reason.id, language);
    return ResourceString(kNotWritableReason, language);
}

QString commandText(RefusedCommand command, Language language)
{
    return ResourceString(kCommandTexts[int(command)], language);
}
} // namespace

bool fncIsWriteRefusal(const DatabaseError &error)
{
    if (error.number() < 0)
        return false;
    switch (primaryCode(error)) {
    case SQLITE_PERM:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
        return true;
    default:
        return false;
    }
}

QString fncWriteRefusalMessage(RefusedCommand command, const QString &databaseFile,
                               const DatabaseError &error)
{
    const Language language = appState().gintLanguage;
    return commandText(command, language)
        .arg(QDir::toNativeSeparators(databaseFile), reasonText(error, language));
}
