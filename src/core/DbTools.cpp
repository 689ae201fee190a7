#include "core/DbTools.h"

#include "core/DatabaseError.h"
#include "core/ProgramExit.h"
#include "core/ProgramFolder.h"
#include "core/StatementCache.h"
#include "core/Transaction.h"
#include "core/UnicodeLike.h"
#include "core/UnicodeNoCase.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QtDebug>
#include <sqlite3.h>

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

QString errorDescription(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
}

[[noreturn]] void throwSqlError(const QSqlError &error, const QString &context = QString())
{
    QString description = errorDescription(error);
    if (!context.isEmpty())
        description += QStringLiteral(" (") + context + QLatin1Char(')');
    throw DatabaseError(errorNumber(error), description);
}

QString nextConnectionName()
{
    static int serial = 0;
    return QStringLiteral("quorvel-%1").arg(++serial);
}

// A call the database layer does not support is a program error: thrown
// like the database's own errors, it ends the program where untrapped
// errors are reported.
[[noreturn]] void usageError(const QString &message)
{
    throw DatabaseError(kInvalidCall, message);
}

void requireOpen(const Connection &connection)
{
    if (!connection.isOpen())
        throw DatabaseError(3704, QStringLiteral("Operation is not allowed when the object is "
                                                 "closed."));
}

// Runs `sql` with its bound values through the connection's kept statement,
// preparing and keeping it on first use.
QSqlQuery &prepared(Connection &connection, const QString &sql, const QVariantList &params)
{
    requireOpen(connection);
    const QString name = connection.connectionName();
    // A query whose "*" column list follows the table: after a schema change
    // a kept statement would read the new rows with the old column count, so
    // such a query is prepared afresh every time.
    const bool followsColumns =
        sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive) &&
        sql.contains(QLatin1Char('*'));
    if (followsColumns)
        statementcache::drop(name, sql);
    QSqlQuery *kept = followsColumns ? nullptr : statementcache::find(name, sql);
    if (!kept) {
        QSqlQuery query(connection.database());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            throwSqlError(query.lastError(), sql);
        kept = &statementcache::keep(name, sql, std::move(query));
    }
    QSqlQuery &query = *kept;
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    if (!query.exec()) {
        // A statement that failed is prepared afresh next time.
        const QSqlError error = query.lastError();
        statementcache::drop(name, sql);
        throwSqlError(error, sql);
    }
    return query;
}

void openSqliteFile(const QString &name, const QString &path, OpenMode mode)
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
    if (mode == OpenMode::ReadWrite) {
        // A write-ahead log with normal syncing makes a commit one short write
        // instead of several waits for the disk; a power cut may lose the last
        // commit but never damages the file.
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    // Registered once no statement is active on the connection (SQLite refuses otherwise).
    QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        if (auto *sqlite = *static_cast<sqlite3 **>(handle.data()))
            if (!registerUnicodeLike(sqlite) || !registerUnicodeNoCase(sqlite))
                qWarning("Could not register the case-insensitive comparisons on %s",
                         qPrintable(path));
    }
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

RecordSet GetRS(Connection &connection, const QString &sql, const QString &mode,
                const QVariantList &params)
{
    const QString lowered = mode.toLower();
    if (lowered != QLatin1String("read") && lowered != QLatin1String("write"))
        usageError(QStringLiteral("Invalid use of GetRS (Invalid WriteMode: ") + mode +
                   QStringLiteral(" )"));

    QSqlQuery &query = prepared(connection, sql, params);
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    QVector<QVector<QVariant>> rows;
    while (query.next()) {
        QVector<QVariant> row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row.append(query.value(i));
        rows.append(std::move(row));
    }
    if (query.lastError().isValid()) {
        const QSqlError error = query.lastError();
        statementcache::drop(connection.connectionName(), sql);
        throwSqlError(error, sql);
    }
    query.finish();
    return RecordSet(columns, std::move(rows));
}

void ExecCmdInDB(Connection &connection, const QString &sql, qint16 &errorCount,
                 const QVariantList &params)
{
    prepared(connection, sql, params).finish();
    errorCount = 0; // SQLite reports failures, never warnings, and failures throw
}

int execBound(Connection &connection, const QString &sql, const QVariantList &params)
{
    QSqlQuery &query = prepared(connection, sql, params);
    const int changed = query.numRowsAffected();
    query.finish();
    return changed;
}

void DisconnectFromDB(Connection &connection)
{
    if (connection.isNothing())
        return;
    const QString name = connection.m_name;
    connection.m_name.clear();
    connection.m_filePath.clear();
    statementcache::forget(name);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

void flushDatabasesBeforeExit()
{
    for (const QString &name : QSqlDatabase::connectionNames()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (!db.isOpen() || db.connectOptions().contains(QLatin1String("READONLY")))
            continue;
        QSqlQuery checkpoint(db);
        checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
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
    requireOpen(connection);
    QSqlDatabase db = connection.database();
    if (!db.transaction())
        throwSqlError(db.lastError(), QStringLiteral("begin transaction"));
}

Transaction::~Transaction()
{
    if (!m_done && m_connection.isOpen())
        m_connection.database().rollback();
}

void Transaction::commit()
{
    QSqlDatabase db = m_connection.database();
    if (!db.commit())
        throwSqlError(db.lastError(), QStringLiteral("commit"));
    m_done = true;
}
