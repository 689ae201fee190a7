#include "core/WriteRefusal.h"

#include "core/AppState.h"
#include "core/DatabaseError.h"

#include <QDir>
#include <sqlite3.h>

namespace {
// The engine's primary result code (extended codes keep it in the low byte).
int primaryCode(const DatabaseError &error)
{
    return error.number() & 0xff;
}

QString reasonText(const DatabaseError &error, bool french)
{
    switch (primaryCode(error)) {
    case SQLITE_READONLY:
        return french ? QStringLiteral("elle est en lecture seule")
                      : QStringLiteral("it is read-only");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return french ? QStringLiteral("un autre programme la verrouille")
                      : QStringLiteral("another program holds it locked");
    case SQLITE_FULL:
        return french ? QStringLiteral("le disque est plein") : QStringLiteral("the disk is full");
    default:
        return french ? QStringLiteral("elle ne peut pas être écrite")
                      : QStringLiteral("it cannot be written");
    }
}

// %1 the file, %2 the reason.
QString commandText(RefusedCommand command, bool french)
{
    switch (command) {
    case RefusedCommand::Save:
        return french ? QStringLiteral("L'état n'a pas pu être sauvegardé : la base de données %1 "
                                       "a refusé le changement (%2). Rien n'a été écrit; l'état "
                                       "est toujours à l'écran.")
                      : QStringLiteral("The statement could not be saved: the user database %1 "
                                       "refused the change (%2). Nothing was written; the "
                                       "statement is still on the screen.");
    case RefusedCommand::Delete:
        return french ? QStringLiteral("L'état n'a pas pu être supprimé : la base de données %1 a "
                                       "refusé le changement (%2). Rien n'a été supprimé.")
                      : QStringLiteral("The statement could not be deleted: the user database %1 "
                                       "refused the change (%2). Nothing was deleted.");
    case RefusedCommand::Report:
        return french ? QStringLiteral("Le rapport n'a pas pu être préparé : la base de données %1 "
                                       "a refusé le changement (%2). Le programme continue sans "
                                       "le rapport.")
                      : QStringLiteral("The report could not be prepared: the user database %1 "
                                       "refused the change (%2). The program goes on without the "
                                       "report.");
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
    const bool french = appState().isFrench();
    return commandText(command, french)
        .arg(QDir::toNativeSeparators(databaseFile), reasonText(error, french));
}
