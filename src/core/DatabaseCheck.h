#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The start-up check of a database file: before the program opens it for
// good, the file must hold every table and column the program reads or
// writes and, for the user database, take writes. The check itself changes
// nothing in the file.

// Tables and their columns, names compared without regard to case.
class DatabaseSchema
{
public:
    // Reads a manifest: one table a line, "Table<TAB>Column<TAB>Column...";
    // lines starting with '#' are comments.
    static DatabaseSchema fromManifest(const QString &text);
    // The manifest carried in the program for a shipped database file name
    // ("ROV_DATA.mdb", "myData.mdb").
    static DatabaseSchema shipped(const QString &fileName);

    // The same list without these tables (any letter case): those the
    // program creates itself when a database lacks them.
    DatabaseSchema without(const QStringList &tables) const;

    // Table names as the manifest writes them, each with its columns.
    QList<QPair<QString, QStringList>> tables() const { return m_tables; }
    bool isEmpty() const { return m_tables.isEmpty(); }

private:
    QList<QPair<QString, QStringList>> m_tables;
};

enum class DatabaseFault {
    Empty,          // a zero-byte file
    MissingTables,  // `missing` names the tables
    MissingColumns, // `missing` names them as Table.Column
    ReadOnlyFile,
    ReadOnlyFolder,
    Locked // another program holds it beyond the wait
};

struct DatabaseProblem
{
    DatabaseFault fault;
    QString filePath;
    QStringList missing;
};

// Checks the file at `path` against `schema`; `needsWrites` adds the checks
// that the file and its folder can be written and that no other program
// holds the database locked. A missing file, or one that is no database at
// all, is left to the opening itself, which reports it as a database error.
std::optional<DatabaseProblem> fncCheckDatabaseFile(const QString &path,
                                                    const DatabaseSchema &schema, bool needsWrites);

// The message for a problem, in English and French one after the other (the
// user has not chosen a language yet).
QString fncDatabaseProblemMessage(const DatabaseProblem &problem);
