#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

struct sqlite3;
class Connection;
enum class OpenMode;
enum class Language : qint16;

// The start-up check of a database file, in two steps around its opening:
// before, the file must be there, be a whole database file and, for the user
// database, be writable with its folder; once open, and before anything else
// uses the connection, it must hold every table and column the program reads
// or writes and, for the user database, take writes. Neither step changes
// anything in the file.

// Tables and their columns, names compared without regard to case.
class DatabaseSchema
{
public:
    // Reads a manifest (UTF-8): one table a line,
    // "Table<TAB>Column<TAB>Column..."; lines starting with '#' are comments.
    static DatabaseSchema fromManifest(const QByteArray &text);
    // The manifest carried in the program for a shipped database file name
    // ("ROV_DATA.mdb", "myData.mdb").
    static DatabaseSchema shipped(const QString &fileName);

    // The same list without these tables (any letter case): those the
    // program creates itself when a database lacks them.
    DatabaseSchema without(const QStringList &tables) const;

    // Table names as the manifest writes them, each with its columns.
    QList<QPair<QString, QStringList>> tables() const;
    // The same in UTF-8, as the database engine takes names: the check of a
    // database's 5,000 columns converts none.
    using Utf8Table = QPair<QByteArray, QList<QByteArray>>;
    const QList<Utf8Table> &utf8Tables() const { return m_tables; }
    bool isEmpty() const { return m_tables.isEmpty(); }

private:
    QList<Utf8Table> m_tables;
};

enum class DatabaseFault {
    Missing,
    NotADatabase,   // some other kind of file
    Damaged,        // shorter than its own header says (cut off)
    CannotCreate,   // installed: the user's first database could not be made
    Empty,          // a zero-byte file
    MissingTables,  // `missing` names the tables
    MissingColumns, // `missing` names them as Table.Column
    ReadOnlyFile,
    ReadOnlyFolder,
    Locked,       // another program holds it beyond the wait
    Inconsistent, // fails the engine's integrity check; `missing` holds its findings
    NewerVersion  // written by a newer release; `missing` holds its version, then this one's
};

struct DatabaseProblem
{
    DatabaseFault fault;
    QString filePath;
    QStringList missing;
};

// The checks made on the file itself, before opening it: reads its header
// only. `needsWrites` adds that the file and its folder can be written.
std::optional<DatabaseProblem> fncCheckDatabaseFile(const QString &path, bool needsWrites);

// The checks made on the freshly opened handle of the file at `path`:
// `schema` present, and with `needsWrites`, that the database takes writes
// and that no other program holds it locked.
std::optional<DatabaseProblem> fncCheckOpenDatabase(sqlite3 *db, const QString &path,
                                                    const DatabaseSchema &schema, bool needsWrites);

// Both steps around the opening: checks the file, opens it into
// `connection`, and checks the open handle before anything else uses it, so
// that each file is opened once. On a problem, `connection` is left as
// nothing and the file as it was.
std::optional<DatabaseProblem> fncOpenCheckedDatabase(Connection &connection, const QString &path,
                                                      const DatabaseSchema &schema, OpenMode mode);

// Opens into `connection` a file that passed fncOpenCheckedDatabase a moment
// before on another connection (the start checks run on a thread of their
// own). No statement runs: the engine reads the file's schema at its first
// use, not before the first window.
void fncOpenCheckedBefore(Connection &connection, const QString &path, OpenMode mode);

// Installed, the user database is created at `path` from the shipped
// `templatePath` the first time; an existing file is left alone. The copy
// appears whole or not at all.
std::optional<DatabaseProblem> fncProvideUserDatabase(const QString &path,
                                                      const QString &templatePath);

// What is wrong with the file, in one language.
QString fncDatabaseProblemText(const DatabaseProblem &problem, Language language);

// The message for a problem, in English and French one after the other (the
// user has not chosen a language yet).
QString fncDatabaseProblemMessage(const DatabaseProblem &problem);
