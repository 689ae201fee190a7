#include "core/DatabaseCheck.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// As long as the program's own connections wait for a lock.
constexpr int kLockWaitMs = 5000;

// The texts of the check's messages by fault (see StringIds.h).
struct FaultText
{
    DatabaseFault fault;
    int id;
};
constexpr FaultText kFaultTexts[] = {
    {DatabaseFault::Empty, kEmptyFileText},
    {DatabaseFault::MissingTables, kMissingTablesText},
    {DatabaseFault::MissingColumns, kMissingColumnsText},
    {DatabaseFault::ReadOnlyFile, kReadOnlyFileText},
    {DatabaseFault::ReadOnlyFolder, kReadOnlyFolderText},
    {DatabaseFault::Locked, kLockedText},
};

// The message of a fault in one language.
QString faultText(DatabaseFault fault, Language language)
{
    for (const FaultText &text : kFaultTexts)
        if (text.fault == fault)
            return ResourceString(text.id, language);
    return QString();
}

// Writable by this process as it runs (its effective user), as the database
// engine will find it.
bool writable(const QString &path)
{
    return faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

bool isLockCode(int code)
{
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// An open handle that closes itself.
class Handle
{
public:
    Handle(const QString &path, bool needsWrites)
    {
        const int flags = needsWrites ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
        m_code = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
        if (m_code == SQLITE_OK)
            sqlite3_busy_timeout(m_db, kLockWaitMs);
    }
    ~Handle() { sqlite3_close(m_db); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    bool isOpen() const { return m_code == SQLITE_OK; }
    sqlite3 *db() const { return m_db; }
    int exec(const char *sql) const { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3 *m_db = nullptr;
    int m_code = SQLITE_OK;
};

// Every table of the file with its columns, names lower-cased; the result
// code of the read.
int readTables(sqlite3 *db, QHash<QString, QSet<QString>> &tables)
{
    sqlite3_stmt *statement = nullptr;
    int code = sqlite3_prepare_v2(db,
                                  "select m.name, p.name from sqlite_master m, "
                                  "pragma_table_info(m.name) p where m.type = 'table'",
                                  -1, &statement, nullptr);
    while (code == SQLITE_OK || code == SQLITE_ROW) {
        code = sqlite3_step(statement);
        if (code != SQLITE_ROW)
            break;
        const auto text = [statement](int column) {
            return QString::fromUtf8(
                       reinterpret_cast<const char *>(sqlite3_column_text(statement, column)))
                .toLower();
        };
        tables[text(0)].insert(text(1));
    }
    sqlite3_finalize(statement);
    return code == SQLITE_DONE ? SQLITE_OK : code;
}

std::optional<DatabaseProblem> compareWithSchema(const QString &path,
                                                 const QHash<QString, QSet<QString>> &tables,
                                                 const DatabaseSchema &schema)
{
    QStringList missingTables;
    QStringList missingColumns;
    for (const auto &[table, columns] : schema.tables()) {
        const auto found = tables.constFind(table.toLower());
        if (found == tables.cend()) {
            missingTables << table;
            continue;
        }
        for (const QString &column : columns)
            if (!found->contains(column.toLower()))
                missingColumns << table + QLatin1Char('.') + column;
    }
    if (!missingTables.isEmpty())
        return DatabaseProblem{DatabaseFault::MissingTables, path, missingTables};
    if (!missingColumns.isEmpty())
        return DatabaseProblem{DatabaseFault::MissingColumns, path, missingColumns};
    return std::nullopt;
}

} // namespace

DatabaseSchema DatabaseSchema::fromManifest(const QString &text)
{
    DatabaseSchema schema;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        QStringList cells = line.split(QLatin1Char('\t'));
        const QString table = cells.takeFirst();
        schema.m_tables.append({table, cells});
    }
    return schema;
}

DatabaseSchema DatabaseSchema::without(const QStringList &tables) const
{
    DatabaseSchema rest;
    for (const auto &table : m_tables)
        if (!tables.contains(table.first, Qt::CaseInsensitive))
            rest.m_tables.append(table);
    return rest;
}

DatabaseSchema DatabaseSchema::shipped(const QString &fileName)
{
    QFile manifest(QStringLiteral(":/schema/") + QFileInfo(fileName).completeBaseName() +
                   QStringLiteral(".schema"));
    if (!manifest.open(QIODevice::ReadOnly))
        return {};
    return fromManifest(QString::fromUtf8(manifest.readAll()));
}

std::optional<DatabaseProblem> fncCheckDatabaseFile(const QString &path,
                                                    const DatabaseSchema &schema, bool needsWrites)
{
    const QFileInfo file(path);
    if (!file.exists())
        return std::nullopt;
    // The database engine would take an empty file for a new database and
    // write one into it.
    if (file.size() == 0)
        return DatabaseProblem{DatabaseFault::Empty, path, {}};
    if (needsWrites && !writable(path))
        return DatabaseProblem{DatabaseFault::ReadOnlyFile, path, {}};
    // The engine writes its journal beside the file.
    if (needsWrites && !writable(file.absolutePath()))
        return DatabaseProblem{DatabaseFault::ReadOnlyFolder, path, {}};

    const Handle handle(path, needsWrites);
    if (!handle.isOpen())
        return std::nullopt;
    QHash<QString, QSet<QString>> tables;
    const int read = readTables(handle.db(), tables);
    if (isLockCode(read))
        return DatabaseProblem{DatabaseFault::Locked, path, {}};
    if (read != SQLITE_OK)
        return std::nullopt;
    if (auto problem = compareWithSchema(path, tables, schema))
        return problem;
    if (!needsWrites)
        return std::nullopt;
    if (sqlite3_db_readonly(handle.db(), "main") == 1)
        return DatabaseProblem{DatabaseFault::ReadOnlyFile, path, {}};
    // Taking the write lock and giving it back writes nothing.
    const int lock = handle.exec("BEGIN IMMEDIATE");
    if (lock == SQLITE_OK)
        handle.exec("ROLLBACK");
    if (isLockCode(lock))
        return DatabaseProblem{DatabaseFault::Locked, path, {}};
    if (lock == SQLITE_READONLY)
        return DatabaseProblem{DatabaseFault::ReadOnlyFile, path, {}};
    return std::nullopt;
}

QString fncDatabaseProblemMessage(const DatabaseProblem &problem)
{
    const QString file = QDir::toNativeSeparators(problem.filePath);
    const QString missing = problem.missing.join(QStringLiteral(", "));
    const auto inLanguage = [&](Language language) {
        QString text = faultText(problem.fault, language).arg(file);
        if (!missing.isEmpty())
            text = text.arg(missing);
        return text + QLatin1Char(' ') + ResourceString(kCannotStartText, language);
    };
    return inLanguage(Language::English) + QStringLiteral("\n\n") + inLanguage(Language::French);
}
