#pragma once

#include "core/DatabaseCheck.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

class Connection;

// Backups of the user database made while the program runs, and their
// restoring. Both go through SQLite's online backup, page by page, so a
// backup is one consistent moment of the database even while it is written,
// and a restore replaces the whole content at once or nothing of it.

// Told the pages copied so far and the total, after each step.
using BackupProgress = std::function<void(int done, int total)>;

// Writes a copy of the database open on `source` to `target`, replacing a
// file already there only once the copy is whole and checked. The copy is a
// database file that opens on its own (no journal files beside it). Throws
// DatabaseError with the engine's words when it cannot; `target` is then as
// it was.
// A backup or restore killed halfway leaves its passing copy beside the
// file it was writing (".backup.mdb.A1b2C3", or ".myData.mdb.A1b2C3.mdb"
// for a restore's working copy): such copies of `file` older
// than kLeftoverAgeSeconds are removed (a younger one may be another
// program's backup under way). Runs at every backup, and for the user
// database at every start.
inline constexpr qint64 kLeftoverAgeSeconds = 600;
void subRemoveBackupLeftovers(const QString &file,
                              const QDateTime &now = QDateTime::currentDateTime());

void fncBackUpDatabase(Connection &source, const QString &target,
                       const BackupProgress &progress = {});

// Whether the file at `path` can replace the user database: a whole database
// file that passes SQLite's integrity check and holds every table and column
// a user database of the first release holds (the later tables are added when
// missing). Nothing in the file is changed.
std::optional<DatabaseProblem> fncCheckRestorableDatabase(const QString &path);

// Where the user database in use is kept aside before a restore: beside it,
// named after it, `label` and the moment, e.g. "myData before restore
// 2026-12-07 23.05.09.mdb", and never a file already there.
QString fncSetAsidePath(const QString &databasePath, const QString &label, const QDateTime &moment);

// Replaces the content of the database open on `live` with that of the file
// at `path`, after keeping the current content in `setAsidePath`. The file
// must have passed fncCheckRestorableDatabase. Throws DatabaseError when
// either copy fails; the live database is then as it was.
void fncRestoreDatabase(Connection &live, const QString &path, const QString &setAsidePath,
                        const BackupProgress &progress = {});
