#include "core/WriteRefusal.h"

#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/ResourceString.h"

#include <QDir>
#include <sqlite3.h>

namespace {
// The engine's primary result code (extended codes keep it in the low byte).
int primaryCode(const DatabaseError &error)
{
    return error.number() & 0xff;
}

// Texts of the messages in the string table (English at the id, French at
// id + 1). A command's text takes %1, the file, and %2, the reason.
struct ReasonText
{
    int primaryCode;
    int id;
};
constexpr ReasonText kReasonTexts[] = {
    {SQLITE_READONLY, 1434}, {SQLITE_BUSY, 1436}, {SQLITE_LOCKED, 1436}, {SQLITE_FULL, 1438}};
constexpr int kNotWritableReason = 1440;
// By RefusedCommand: save, delete, report.
constexpr int kCommandTexts[] = {1442, 1444, 1446};

QString reasonText(const DatabaseError &error, int offset)
{
    for (const ReasonText &reason : kReasonTexts)
        if (reason.primaryCode == primaryCode(error))
            return ResourceString(reason.id + offset);
    return ResourceString(kNotWritableReason + offset);
}

QString commandText(RefusedCommand command, int offset)
{
    return ResourceString(kCommandTexts[int(command)] + offset);
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
    const int offset = appState().isFrench() ? 1 : 0;
    return commandText(command, offset)
        .arg(QDir::toNativeSeparators(databaseFile), reasonText(error, offset));
}
