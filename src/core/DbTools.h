#pragma once

#include "core/RecordSet.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

struct sqlite3;

// The program's only gateway to its data files (two SQLite database files
// named after their original ".mdb" names).

// How a database file is opened. The reference database is never written;
// neither open mode ever creates a missing file.
enum class OpenMode { ReadOnly, ReadWrite };

// An open database connection, or nothing. Copies refer to the same open
// connection, as object references do; DisconnectFromDB closes it for all.
class Connection
{
public:
    Connection() = default;

    bool isNothing() const { return m_name.isEmpty(); }
    bool isOpen() const;
    QString connectionName() const { return m_name; }
    QString filePath() const { return m_filePath; }
    QSqlDatabase database() const;

private:
    friend void ConnectToFile(Connection &, const QString &, const QString &, OpenMode);
    friend bool ConnectToDatabaseFileIf(Connection &, const QString &, OpenMode,
                                        const std::function<bool(sqlite3 *)> &);
    friend void DisconnectFromDB(Connection &);
    QString m_name;
    QString m_filePath;
};

// Opens a connection to a data file and stores it in `connection`, closing
// whatever it held first. The type comes from the last three characters of
// the trimmed path ("mdb" in any case is a database file); `folder` is the
// text files' folder, "unknown" standing for the program folder. An unknown
// file type is a usage error that ends the program.
void ConnectToFile(Connection &connection, const QString &path, const QString &folder,
                   OpenMode mode = OpenMode::ReadWrite);

// Opens the database file at `path` as ConnectToFile does, but first lets
// `accept` look at the fresh handle, before the connection reads anything or
// is set up for writing (its journal mode). When `accept` refuses, the handle
// is closed, `connection` is left as nothing and false is returned: the
// file has not been touched.
bool ConnectToDatabaseFileIf(Connection &connection, const QString &path, OpenMode mode,
                             const std::function<bool(sqlite3 *)> &accept);

// Opens a record set holding every row of `sql`. `mode` is "read" or "write"
// in any letter case; anything else is a usage error that ends the program.
// `params` are bound to the statement's placeholders in order.
RecordSet GetRS(Connection &connection, const QString &sql, const QString &mode,
                const QVariantList &params = {});

// Executes a statement that returns no rows. `errorCount` receives the number
// of warnings left by a statement that succeeded (SQLite leaves none); a
// failing statement throws DatabaseError.
void ExecCmdInDB(Connection &connection, const QString &sql, qint16 &errorCount,
                 const QVariantList &params = {});

// The first column of the first row of `sql` as an integer, read without a
// record set; nothing when there is no row or the value is null.
std::optional<qint64> firstInteger(Connection &connection, const QString &sql,
                                   const QVariantList &params = {});

// Executes a statement with bound parameters; returns the rows it changed.
int execBound(Connection &connection, const QString &sql, const QVariantList &params = {});

// Closes the connection, if there is one, and leaves the variable empty.
void DisconnectFromDB(Connection &connection);

// The SQLite handle under an open connection, for the engine's own
// interfaces (backups); throws DatabaseError on a closed connection.
sqlite3 *sqliteHandleOf(const Connection &connection);

// Closes every connection and leaves each database file that was open for
// writing in rollback-journal mode, so that the file alone holds every
// committed row and opens read-only anywhere, even from a read-only folder.
// Errors are ignored: this runs as the process ends.
void closeDatabasesBeforeExit();

// Quotes a text for a SQL literal, doubling every single quote inside it.
QString sqlQuote(const QString &text);
