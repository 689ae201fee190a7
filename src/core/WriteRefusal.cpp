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
constexpr int kReadOnlyReason = 1434;
constexpr int kLockedReason = 1436;
constexpr int kDiskFullReason = 1438;
constexpr int kNotWritableReason = 1440;
constexpr int kSaveRefused = 1442;
constexpr int kDeleteRefused = 1444;
constexpr int kReportRefused = 1446;

QString reasonText(const DatabaseError &error, int offset)
{
    switch (primaryCode(error)) {
    case SQLITE_READONLY:
        return ResourceString(kReadOnlyReason + offset);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ResourceString(kLockedReason + offset);
    case SQLITE_FULL:
        return ResourceString(kDiskFullReason + offset);
    default:
        return ResourceString(kNotWritableReason + offset);
    }
}

QString commandText(RefusedCommand command, int offset)
{
    switch (command) {
    case RefusedCommand::Save:
        return ResourceString(kSaveRefused + offset);
    case RefusedCommand::Delete:
        return ResourceString(kDeleteRefused + offset);
    case RefusedCommand::Report:
        return ResourceString(kReportRefused + offset);
    }
    return QString();
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
