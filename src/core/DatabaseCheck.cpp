#include "core/DatabaseCheck.h"

#include "core/DbTools.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    {DatabaseFault::Missing, kMissingFileText},
    {DatabaseFault::NotADatabase, kNotADatabaseText},
    {DatabaseFault::Damaged, kDamagedFileText},
    {DatabaseFault::CannotCreate, kCannotCreateText},
    {DatabaseFault::Empty, kEmptyFileText},
    {DatabaseFault::MissingTables, kMissingTablesText},
    {DatabaseFault::MissingColumns, kMissingColumnsText},
    {DatabaseFault::ReadOnlyFile, kReadOnlyFileText},
    {DatabaseFault::ReadOnlyFolder, kReadOnlyFolderText},
    {DatabaseFault::Locked, kLockedText},
    {DatabaseFault::Inconsistent, kInconsistentFileText},
    {DatabaseFault::NewerVersion, kNewerDatabaseText},
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

// The database file's header says how long the file is: its page size
// (bytes 16-17, 1 meaning 65536) times its page count (bytes 28-31), the
// count trusted only while the change counter (24-27) matches bytes 92-95.
// A file shorter than that, or not a whole number of pages, was cut off.
bool cutOff(const QByteArray &header, qint64 size)
{
    const auto byte = [&header](int at) { return quint32(quint8(header.at(at))); };
    const auto word = [&byte](int at) {
        return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
    };
    const quint32 pageSizeField = byte(16) << 8 | byte(17);
    const qint64 pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    if (pageSize < 512)
        return false; // not a size the engine writes: left to the engine
    if (size % pageSize != 0)
        return true;
    const quint32 pages = word(28);
    return pages != 0 && word(24) == word(92) && size < qint64(pages) * pageSize;
}

// The tables and columns of `schema` that the database lacks, looked up in
// the schema the engine has already read: each lookup searches its
// in-memory tables and prepares no statement (a query of every table's
// columns cost more than the rest of the start).
std::optional<DatabaseProblem> compareWithSchema(sqlite3 *db, const QString &path,
                                                 const DatabaseSchema &schema)
{
    QStringList missingTables;
    QStringList missingColumns;
    const auto exists = [db](const QByteArray &table, const char *column) {
        return sqlite3_table_column_metadata(db, "main", table.constData(), column, nullptr,
                                             nullptr, nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    for (const auto &[table, columns] : schema.utf8Tables()) {
        if (!exists(table, nullptr)) {
            missingTables << QString::fromUtf8(table);
            continue;
        }
        for (const QByteArray &column : columns)
            if (!exists(table, column.constData()))
                missingColumns << QString::fromUtf8(table + '.' + column);
    }
    if (!missingTables.isEmpty())
        return DatabaseProblem{DatabaseFault::MissingTables, path, missingTables};
    if (!missingColumns.isEmpty())
        return DatabaseProblem{DatabaseFault::MissingColumns, path, missingColumns};
    return std::nullopt;
}

} // namespace

DatabaseSchema DatabaseSchema::fromManifest(const QByteArray &text)
{
    DatabaseSchema schema;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QList<QByteArray> cells = line.split('\t');
        const QByteArray table = cells.takeFirst();
        schema.m_tables.append({table, cells});
    }
    return schema;
}

QList<QPair<QString, QStringList>> DatabaseSchema::tables() const
{
    QList<QPair<QString, QStringList>> tables;
    for (const auto &[table, columns] : m_tables) {
        QStringList names;
        for (const QByteArray &column : columns)
            names << QString::fromUtf8(column);
        tables.append({QString::fromUtf8(table), names});
    }
    return tables;
}

DatabaseSchema DatabaseSchema::without(const QStringList &tables) const
{
    DatabaseSchema rest;
    for (const auto &table : m_tables)
        if (!tables.contains(QString::fromUtf8(table.first), Qt::CaseInsensitive))
            rest.m_tables.append(table);
    return rest;
}

DatabaseSchema DatabaseSchema::shipped(const QString &fileName)
{
    QFile manifest(QStringLiteral(":/schema/") + QFileInfo(fileName).completeBaseName() +
                   QStringLiteral(".schema"));
    if (!manifest.open(QIODevice::ReadOnly))
        return {};
    return fromManifest(manifest.readAll());
}

std::optional<DatabaseProblem> fncCheckDatabaseFile(const QString &path, bool needsWrites)
{
    QFile file(path);
    if (!file.exists())
        return DatabaseProblem{DatabaseFault::Missing, path, {}};
    // The database engine would take an empty file for a new database and
    // write one into it.
    const qint64 size = file.size();
    if (size == 0)
        return DatabaseProblem{DatabaseFault::Empty, path, {}};
    // A header that cannot be read (no read permission, a folder) is left to
    // the opening, which names the engine's own reason.
    if (file.open(QIODevice::ReadOnly)) {
        static const QByteArray magic("SQLite format 3", 16);
        const QByteArray header = file.read(100);
        if (!header.startsWith(magic.left(qMin(header.size(), magic.size()))))
            return DatabaseProblem{DatabaseFault::NotADatabase, path, {}};
        if (header.size() < 100 || cutOff(header, size))
            return DatabaseProblem{DatabaseFault::Damaged, path, {}};
    }
    if (needsWrites && !writable(path))
        return DatabaseProblem{DatabaseFault::ReadOnlyFile, path, {}};
    // The engine writes its journal beside the file.
    if (needsWrites && !writable(QFileInfo(path).absolutePath()))
        return DatabaseProblem{DatabaseFault::ReadOnlyFolder, path, {}};
    return std::nullopt;
}

std::optional<DatabaseProblem> fncCheckOpenDatabase(sqlite3 *db, const QString &path,
                                                    const DatabaseSchema &schema, bool needsWrites)
{
    sqlite3_busy_timeout(db, kLockWaitMs);
    // Reading the schema is the first read of the file: a file that is no
    // database, or a damaged one, fails here.
    const int read =
        sqlite3_exec(db, "select 1 from sqlite_master limit 1", nullptr, nullptr, nullptr);
    if (isLockCode(read))
        return DatabaseProblem{DatabaseFault::Locked, path, {}};
    if (read == SQLITE_NOTADB)
        return DatabaseProblem{DatabaseFault::NotADatabase, path, {}};
    if (read == SQLITE_CORRUPT)
        return DatabaseProblem{DatabaseFault::Damaged, path, {}};
    if (read != SQLITE_OK)
        return std::nullopt; // the connection's first statement reports it
    if (auto problem = compareWithSchema(db, path, schema))
        return problem;
    if (!needsWrites)
        return std::nullopt;
    if (sqlite3_db_readonly(db, "main") == 1)
        return DatabaseProblem{DatabaseFault::ReadOnlyFile, path, {}};
    // Taking the write lock and giving it back writes nothing.
    const int lock = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (lock == SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (isLockCode(lock))
        return DatabaseProblem{DatabaseFault::Locked, path, {}};
    if (lock == SQLITE_READONLY)
        return DatabaseProblem{DatabaseFault::ReadOnlyFile, path, {}};
    return std::nullopt;
}

std::optional<DatabaseProblem> fncOpenCheckedDatabase(Connection &connection, const QString &path,
                                                      const DatabaseSchema &schema, OpenMode mode)
{
    const bool needsWrites = mode == OpenMode::ReadWrite;
    if (auto problem = fncCheckDatabaseFile(path, needsWrites))
        return problem;
    std::optional<DatabaseProblem> problem;
    ConnectToDatabaseFileIf(connection, path, mode, [&](sqlite3 *db) {
        problem = fncCheckOpenDatabase(db, path, schema, needsWrites);
        return !problem;
    });
    return problem;
}

void fncOpenCheckedBefore(Connection &connection, const QString &path, OpenMode mode)
{
    ConnectToDatabaseFileIf(connection, path, mode, [](sqlite3 *db) {
        sqlite3_busy_timeout(db, kLockWaitMs);
        return true;
    });
}

std::optional<DatabaseProblem> fncProvideUserDatabase(const QString &path,
                                                      const QString &templatePath)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        return DatabaseProblem{DatabaseFault::CannotCreate, path, {}};
    // Copied under a passing name, then renamed: a start cut short leaves
    // no half-copied database behind to be taken for the real one.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(templatePath, partial))
        return DatabaseProblem{DatabaseFault::CannotCreate, path, {}};
    // The shipped template may be read-only; the user's copy is theirs.
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        return DatabaseProblem{DatabaseFault::CannotCreate, path, {}};
    }
    return std::nullopt;
}

QString fncDatabaseProblemText(const DatabaseProblem &problem, Language language)
{
    QString text =
        faultText(problem.fault, language).arg(QDir::toNativeSeparators(problem.filePath));
    if (problem.fault == DatabaseFault::NewerVersion)
        return text.arg(problem.missing.value(0), problem.missing.value(1));
    if (!problem.missing.isEmpty())
        text = text.arg(problem.missing.join(QStringLiteral(", ")));
    return text;
}

QString fncDatabaseProblemMessage(const DatabaseProblem &problem)
{
    const auto inLanguage = [&](Language language) {
        return fncDatabaseProblemText(problem, language) + QLatin1Char(' ') +
               ResourceString(kCannotStartText, language);
    };
    return inLanguage(Language::English) + QStringLiteral("\n\n") + inLanguage(Language::French);
}
