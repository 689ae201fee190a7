#include "core/DbTools.h"

#include "core/DatabaseError.h"
#include "core/ProgramExit.h"
#include "core/ProgramFolder.h"
#include "core/StatementCache.h"
#include "core/Transaction.h"
#include "core/UnicodeLike.h"
#include "core/UnicodeNoCase.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QtDebug>
#include <atomic>
#include <sqlite3.h>
#include <vector>

namespace {
// SQLite's "unable to open database file".
constexpr int kCannotOpen = SQLITE_CANTOPEN;
// Number given to errors that carry no native code.
constexpr int kUnspecifiedError = -1;
// "Invalid procedure call or argument".
constexpr int kInvalidCall = 5;

int errorNumber(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code : kUnspecifiedError;
}

// A database's own words for an error, or a plain stand-in when it has none.
QString describedError(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
}

QString errorDescription(const QSqlError &error)
{
    return describedError(error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

QString nextConnectionName()
{
    static std::atomic<int> serial = 0;
    return QStringLiteral("quorvel-%1").arg(++serial);
}

// A call the database layer does not support is a program error: thrown
// like the database's own errors, it ends the program where untrapped
// errors are reported.
[[noreturn]] void usageError(const QString &message)
{
    throw UsageError(kInvalidCall, message);
}

// The SQLite handle under each open connection, by connection name. The
// program's statements run on it directly: Qt's query layer would copy every
// bound value and every read value through its own caches first. A
// connection is opened, used and closed on one thread (a batch export's
// workers each open their own), so each thread keeps its own.
QHash<QString, sqlite3 *> &openHandles()
{
    thread_local QHash<QString, sqlite3 *> handles;
    return handles;
}

sqlite3 *openHandle(const Connection &connection)
{
    sqlite3 *handle = openHandles().value(connection.connectionName());
    if (!handle)
        throw DatabaseError(3704, QStringLiteral("Operation is not allowed when the object is "
                                                 "closed."));
    return handle;
}

// Closes a connection and forgets its handle and kept statements.
void closeConnectionNamed(const QString &name)
{
    statementcache::forget(name);
    openHandles().remove(name);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

// SQLite's words for the last error on the handle, and the statement's text.
QString sqliteDescription(sqlite3 *handle, const QString &sql)
{
    return describedError(QString::fromUtf8(sqlite3_errmsg(handle))) + QStringLiteral(" (") + sql +
           QLatin1Char(')');
}

// A null string binds as SQL null, as it always has through Qt.
bool isNullValue(const QVariant &value)
{
    if (value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString *>(value.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray *>(value.constData())->isNull();
    default:
        return false;
    }
}

// Binds one value by its type. Blobs are bound without copying: `value`
// outlives the statement's run, and the bindings are cleared after it. Texts
// are bound in UTF-8, the databases' encoding, kept in `texts` for the run:
// SQLite would otherwise convert each UTF-16 text itself, a character at a time.
int bindValue(sqlite3_stmt *statement, int position, const QVariant &value,
              std::vector<QByteArray> &texts)
{
    if (isNullValue(value))
        return sqlite3_bind_null(statement, position);
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        const auto *bytes = static_cast<const QByteArray *>(value.constData());
        return sqlite3_bind_blob(statement, position, bytes->constData(), int(bytes->size()),
                                 SQLITE_STATIC);
    }
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Bool:
        return sqlite3_bind_int(statement, position, value.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, position, value.toLongLong());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, position, value.toDouble());
    case QMetaType::QString:
        texts.push_back(static_cast<const QString *>(value.constData())->toUtf8());
        break;
    default:
        texts.push_back(value.toString().toUtf8());
        break;
    }
    // An empty text is bound as one, never as null.
    const QByteArray &text = texts.back();
    return sqlite3_bind_text(statement, position, text.isNull() ? "" : text.constData(),
                             int(text.size()), SQLITE_STATIC);
}

// A value read from the current row, typed as SQLite stores it; a null is
// a null text.
QVariant columnValue(sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                       sqlite3_column_bytes(statement, column)));
    default:
        return QVariant(QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
            sqlite3_column_bytes(statement, column)));
    }
}

// Prepares a statement; exactly one statement per text.
sqlite3_stmt *prepareStatement(sqlite3 *handle, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    const int code = sqlite3_prepare_v3(handle, text.constData(), int(text.size()) + 1,
                                        SQLITE_PREPARE_PERSISTENT, &statement, &tail);
    if (code != SQLITE_OK)
        throw DatabaseError(code, sqliteDescription(handle, sql));
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(statement);
        throw DatabaseError(SQLITE_MISUSE,
                            QStringLiteral("Unable to execute multiple statements at a time (") +
                                sql + QLatin1Char(')'));
    }
    return statement;
}

// A kept statement with its values bound, ready for its first step. The run
// ends when this goes: the statement is reset and its bindings cleared, so
// that it holds no lock and points at no value that is gone.
class StatementRun
{
public:
    StatementRun(Connection &connection, const QString &sql, const QVariantList &params)
        : m_handle(openHandle(connection)), m_connection(connection.connectionName()), m_sql(sql)
    {
        m_kept = statementcache::find(m_connection, sql);
        if (!m_kept) {
            sqlite3_stmt *prepared = prepareStatement(m_handle, sql);
            if (!prepared)
                return; // a text without a statement: nothing to run
            m_kept = statementcache::keep(m_connection, sql, prepared);
        }
        m_statement = m_kept->statement;
        if (sqlite3_bind_parameter_count(m_statement) != params.size())
            fail(kUnspecifiedError,
                 QStringLiteral("Parameter count mismatch (") + sql + QLatin1Char(')'));
        // Never reallocated while bound: the bound texts point into it.
        m_texts.reserve(params.size());
        for (int i = 0; i < params.size(); ++i) {
            const int code = bindValue(m_statement, i + 1, params.at(i), m_texts);
            if (code != SQLITE_OK)
                failWithSqlite(code);
        }
    }
    ~StatementRun() { release(); }
    StatementRun(const StatementRun &) = delete;
    StatementRun &operator=(const StatementRun &) = delete;

    sqlite3_stmt *statement() const { return m_statement; }

    // The rows the last statement that changed rows on the connection changed.
    int changes() const { return sqlite3_changes(m_handle); }

    // The names of the result columns, read again only when SQLite has
    // prepared the statement anew since they were last read.
    QStringList columnNames() const
    {
        if (!m_statement)
            return {};
        const int preparedAgain = sqlite3_stmt_status(m_statement, SQLITE_STMTSTATUS_REPREPARE, 0);
        const int count = sqlite3_column_count(m_statement);
        if (m_kept->preparedAgain != preparedAgain || m_kept->columnNames.size() != count) {
            QStringList names;
            names.reserve(count);
            for (int i = 0; i < count; ++i)
                names << QString::fromUtf8(sqlite3_column_name(m_statement, i))
                             .remove(QLatin1Char('"'));
            m_kept->columnNames = names;
            m_kept->preparedAgain = preparedAgain;
        }
        return m_kept->columnNames;
    }

    // One step: true on a row, false when done; an error throws.
    bool step()
    {
        if (!m_statement)
            return false;
        const int code = sqlite3_step(m_statement);
        if (code == SQLITE_ROW)
            return true;
        if (code == SQLITE_DONE)
            return false;
        failWithSqlite(code);
    }

private:
    void release()
    {
        if (!m_statement)
            return;
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }

    // A statement that failed is prepared afresh next time.
    [[noreturn]] void fail(int code, const QString &description)
    {
        release();
        statementcache::drop(m_connection, m_sql);
        m_statement = nullptr;
        m_kept = nullptr;
        throw DatabaseError(code, description);
    }
    [[noreturn]] void failWithSqlite(int code) { fail(code, sqliteDescription(m_handle, m_sql)); }

    sqlite3 *m_handle;
    QString m_connection;
    const QString &m_sql;
    std::vector<QByteArray> m_texts; // the bound texts, in UTF-8
    statementcache::KeptStatement *m_kept = nullptr;
    sqlite3_stmt *m_statement = nullptr;
};

// The SQLite handle under an open Qt connection.
sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3 *const *>(handle.constData())
               : nullptr;
}

// Opens `path` under the connection name `name`. `accept`, when given, sees
// the handle before anything else runs on it and may refuse it (false);
// without it, the schema is read at once so that a damaged file fails here.
bool openSqliteFile(const QString &name, const QString &path, OpenMode mode,
                    const std::function<bool(sqlite3 *)> &accept = {})
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    if (!db.isValid())
        throw DatabaseError(kUnspecifiedError,
                            QStringLiteral("The SQLite database driver is not available"));
    // Both modes refuse to create a missing file: a missing database is an error.
    if (mode == OpenMode::ReadOnly) {
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    } else {
        const QString uri =
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            QStringLiteral("?mode=rw");
        db.setDatabaseName(uri);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    }
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        const int number =
            errorNumber(error) == kUnspecifiedError ? kCannotOpen : errorNumber(error);
        throw DatabaseError(number, errorDescription(error) + QStringLiteral(": ") + path);
    }
    if (accept) {
        sqlite3 *sqlite = sqliteHandle(db);
        if (!sqlite || !accept(sqlite)) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return false;
        }
    } else {
        // A damaged file opens lazily; read its schema now so it fails here.
        QSqlError probeError;
        {
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("select count(*) from sqlite_master")))
                probeError = probe.lastError();
        }
        if (probeError.isValid()) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DatabaseError(errorNumber(probeError),
                                errorDescription(probeError) + QStringLiteral(": ") + path);
        }
    }
    if (mode == OpenMode::ReadWrite) {
        // A write-ahead log with normal syncing makes a commit one short write
        // instead of several waits for the disk; a power cut may lose the last
        // commit but never damages the file.
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    // Registered once no statement is active on the connection (SQLite refuses otherwise).
    sqlite3 *sqlite = sqliteHandle(db);
    if (!sqlite) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DatabaseError(kUnspecifiedError,
                            QStringLiteral("The SQLite database driver gives no handle: ") + path);
    }
    if (!registerUnicodeLike(sqlite) || !registerUnicodeNoCase(sqlite))
        qWarning("Could not register the case-insensitive comparisons on %s", qPrintable(path));
    openHandles().insert(name, sqlite);
    return true;
}
} // namespace

bool Connection::isOpen() const
{
    return !m_name.isEmpty() && QSqlDatabase::contains(m_name) && database().isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

void ConnectToFile(Connection &connection, const QString &path, const QString &folder,
                   OpenMode mode)
{
    const QString pathArgument = path;
    QString folderArgument = folder;
    DisconnectFromDB(connection);

    if (folderArgument == QLatin1String("unknown"))
        folderArgument = ProgramFolder();

    const QString trimmed = pathArgument.trimmed();
    QString fileType = trimmed.right(3);
    if (trimmed == QLatin1String("text"))
        fileType = QStringLiteral("txt");

    const QString type = fileType.toLower();
    if (type == QLatin1String("txt") || type == QLatin1String("csv") ||
        type == QLatin1String("xls")) {
        // Text and spreadsheet sources have no driver here; no caller uses them.
        throw DatabaseError(
            kUnspecifiedError,
            QStringLiteral("No data provider for %1 files is installed (%2)")
                .arg(type, type == QLatin1String("xls") ? trimmed : folderArgument));
    }
    if (type != QLatin1String("mdb"))
        usageError(QStringLiteral("Invalid use of ConnectToFile (Invalid File Type: ") + fileType +
                   QStringLiteral(" )"));

    const QString name = nextConnectionName();
    openSqliteFile(name, trimmed, mode);
    connection.m_name = name;
    connection.m_filePath = trimmed;
}

bool ConnectToDatabaseFileIf(Connection &connection, const QString &path, OpenMode mode,
                             const std::function<bool(sqlite3 *)> &accept)
{
    DisconnectFromDB(connection);
    const QString name = nextConnectionName();
    if (!openSqliteFile(name, path, mode, accept))
        return false;
    connection.m_name = name;
    connection.m_filePath = path;
    return true;
}

RecordSet GetRS(Connection &connection, const QString &sql, const QString &mode,
                const QVariantList &params)
{
    const QString lowered = mode.toLower();
    if (lowered != QLatin1String("read") && lowered != QLatin1String("write"))
        usageError(QStringLiteral("Invalid use of GetRS (Invalid WriteMode: ") + mode +
                   QStringLiteral(" )"));

    StatementRun run(connection, sql, params);
    bool hasRow = run.step();
    // The columns are read after the first step: a statement SQLite prepared
    // again after a schema change may have other columns.
    const QStringList columns = run.columnNames();
    sqlite3_stmt *statement = run.statement();
    const int columnCount = int(columns.size());
    QVector<QVector<QVariant>> rows;
    for (; hasRow; hasRow = run.step()) {
        QVector<QVariant> row;
        row.reserve(columnCount);
        for (int i = 0; i < columnCount; ++i)
            row.append(columnValue(statement, i));
        rows.append(std::move(row));
    }
    return RecordSet(columns, std::move(rows));
}

void ExecCmdInDB(Connection &connection, const QString &sql, qint16 &errorCount,
                 const QVariantList &params)
{
    StatementRun(connection, sql, params).step();
    errorCount = 0; // SQLite reports failures, never warnings, and failures throw
}

std::optional<qint64> firstInteger(Connection &connection, const QString &sql,
                                   const QVariantList &params)
{
    StatementRun run(connection, sql, params);
    if (!run.step() || sqlite3_column_count(run.statement()) == 0 ||
        sqlite3_column_type(run.statement(), 0) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int64(run.statement(), 0);
}

int execBound(Connection &connection, const QString &sql, const QVariantList &params)
{
    StatementRun run(connection, sql, params);
    run.step();
    return run.changes();
}

void DisconnectFromDB(Connection &connection)
{
    if (connection.isNothing())
        return;
    const QString name = connection.m_name;
    connection.m_name.clear();
    connection.m_filePath.clear();
    closeConnectionNamed(name);
}

sqlite3 *sqliteHandleOf(const Connection &connection)
{
    return openHandle(connection);
}

void closeDatabasesBeforeExit()
{
    // Every connection is closed first: the last one to close a file folds its
    // write-ahead log into it and removes the log.
    QStringList writtenFiles;
    for (const QString &name : QSqlDatabase::connectionNames()) {
        sqlite3 *handle = openHandles().value(name);
        const bool writes = handle && !QSqlDatabase::database(name, false)
                                           .connectOptions()
                                           .contains(QLatin1String("READONLY"));
        const QString file =
            writes ? QString::fromUtf8(sqlite3_db_filename(handle, "main")) : QString();
        if (!file.isEmpty() && !writtenFiles.contains(file))
            writtenFiles.append(file);
        closeConnectionNamed(name);
    }
    // A file left in write-ahead mode needs a shared-memory file beside it even
    // to be read, which a read-only folder cannot hold; the rollback journal
    // leaves a database file that opens anywhere on its own. The next start
    // switches it back.
    for (const QString &file : std::as_const(writtenFiles)) {
        sqlite3 *handle = nullptr;
        if (sqlite3_open_v2(file.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) ==
            SQLITE_OK) {
            sqlite3_busy_timeout(handle, 2000);
            sqlite3_exec(handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        }
        sqlite3_close(handle);
    }
}

QString sqlQuote(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    qint16 errors = 0;
    ExecCmdInDB(connection, QStringLiteral("BEGIN"), errors);
}

Transaction::~Transaction()
{
    if (m_done || !m_connection.isOpen())
        return;
    try {
        qint16 errors = 0;
        ExecCmdInDB(m_connection, QStringLiteral("ROLLBACK"), errors);
    } catch (const DatabaseError &) {
        // SQLite may have rolled back already, after an error that ends the
        // transaction; nothing is left to undo.
    }
}

void Transaction::commit()
{
    qint16 errors = 0;
    ExecCmdInDB(m_connection, QStringLiteral("COMMIT"), errors);
    m_done = true;
}
