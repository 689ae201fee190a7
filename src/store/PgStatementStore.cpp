#include "store/PgStatementStore.h"

#include "core/ResourceString.h"
#include "firm/StatementItems.h"
#include "store/LibPq.h"
#include "store/StatementOrder.h"
#include "store/StoreError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

const QString &amountColumns()
{
    static const QString columns = [] {
        QStringList names;
        for (const StatementItem &item : statementItems())
            names << QString::fromLatin1(item.column).toLower();
        return names.join(QStringLiteral(", "));
    }();
    return columns;
}

// The columns a statement is read with, in this order.
QByteArray selectStatements(const char *where)
{
    return (QStringLiteral("SELECT firm_name, year, naics, volume, region, version, saved_by, "
                           "extract(epoch from saved_at) * 1000, comment, ") +
            amountColumns() + QStringLiteral(" FROM quorvel.statements WHERE ") +
            QLatin1String(where))
        .toUtf8();
}

// The type of a bigint parameter (pg_type.oid of int8).
constexpr unsigned int kInt8Oid = 20;
// How often a wait for the server looks whether the user asked to stop.
constexpr int kCancelCheckMs = 100;

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// The kind of a server's error, by its SQLSTATE (never by its text, which
// follows the server's language).
StoreError::Kind kindOf(const QByteArray &sqlState)
{
    // Connection exceptions, and the server shutting down or cancelling.
    if (sqlState.startsWith("08") || sqlState.startsWith("57P"))
        return StoreError::Kind::Unreachable;
    if (sqlState == "42501" || sqlState.startsWith("28"))
        return StoreError::Kind::Refused;
    if (sqlState == "42P01" || sqlState == "3F000")
        return StoreError::Kind::NoSchema;
    return StoreError::Kind::Other;
}

} // namespace

struct PgStatementStore::Rows
{
    std::unique_ptr<PGresult, decltype(LibPq::PQclear)> result{nullptr, libpq().PQclear};

    int count() const { return libpq().PQntuples(result.get()); }
    bool isNull(int row, int column) const
    {
        return libpq().PQgetisnull(result.get(), row, column);
    }
    QString text(int row, int column) const
    {
        return QString::fromUtf8(libpq().PQgetvalue(result.get(), row, column));
    }
    qint64 integer(int row, int column) const
    {
        return QByteArray(libpq().PQgetvalue(result.get(), row, column)).toLongLong();
    }
    double real(int row, int column) const
    {
        return QByteArray(libpq().PQgetvalue(result.get(), row, column)).toDouble();
    }

    StatementStamp stamp(int row, int first) const
    {
        return {integer(row, first), text(row, first + 1),
                QDateTime::fromMSecsSinceEpoch(qint64(real(row, first + 2)), Qt::UTC)};
    }

    // A row of selectStatements().
    SavedStatement statement(int row) const
    {
        SavedStatement s;
        s.firmName = text(row, 0);
        s.year = int(integer(row, 1));
        if (!isNull(row, 2) && !text(row, 2).isEmpty())
            s.industry = StatementIndustry{text(row, 2), int(integer(row, 3)), text(row, 4)};
        s.stamp = stamp(row, 5);
        s.comment = text(row, 8);
        for (int i = 0; i < kStatementItemCount; ++i)
            s.amounts.*firmStatementAmounts()[i] = real(row, 9 + i);
        return s;
    }
};

PgStatementStore::PgStatementStore(const QString &conninfo, const QString &password)
    : m_conninfo(conninfo.toUtf8()), m_password(password.toUtf8())
{
    // A core dump would hold the password in clear: none is written while
    // the process holds one, as password managers do.
    if (!m_password.isEmpty())
        fncForbidCoreDumps();
}

PgStatementStore::~PgStatementStore()
{
    m_conn.reset();
    // The password's bytes are wiped, not just freed.
    std::fill(m_password.begin(), m_password.end(), '\0');
}

QString PgStatementStore::redacted(const QString &text) const
{
    QString clean = fncHidePasswords(text, QString::fromUtf8(m_conninfo));
    if (!m_password.isEmpty())
        clean.replace(QString::fromUtf8(m_password), QStringLiteral("***"));
    return clean;
}

QString fncHidePasswords(const QString &text, const QString &conninfo)
{
    // After "user:" in a URI (a malformed one too), or as "password=".
    static const QRegularExpression secrets(
        QStringLiteral(
            ":/+[^:/@?#]*:([^@/?#]*)@|password\\s*=\\s*('(?:[^'\\\\]|\\\\.)*'|[^\\s&#]+)"),
        QRegularExpression::CaseInsensitiveOption);
    QString clean = text;
    QRegularExpressionMatchIterator found = secrets.globalMatch(conninfo);
    while (found.hasNext()) {
        const QRegularExpressionMatch match = found.next();
        const QString secret = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        if (secret.isEmpty())
            continue;
        clean.replace(secret, QStringLiteral("***"));
        clean.replace(QUrl::fromPercentEncoding(secret.toUtf8()), QStringLiteral("***"));
    }
    return clean;
}

void PgStatementStore::closeConnection(pg_conn *connection)
{
    // A connection exists only once the library was loaded.
    libpq().PQfinish(connection);
}

void PgStatementStore::disconnect()
{
    m_conn.reset();
    m_schemaChecked = false;
}

// One transaction holding the lock of a statement's key (firm and year):
// saves and deletes of one key run one after the other, so that a delete
// and a save racing each other never hand out one version twice. Its
// opening, the lock and the key's commands go in one round trip, the commit
// in a second one sent only once they answered: a save the user stopped,
// or one the server did not answer in time, is never committed by a server
// that reads the rest later. Rolled back unless committed; a connection the
// server dropped is left alone.
class PgStatementStore::KeyTransaction
{
public:
    KeyTransaction(PgStatementStore &store, const QList<QByteArray> &key)
        : m_store(store), m_key(key)
    {
    }
    ~KeyTransaction()
    {
        m_store.m_inTransaction = false;
        pg_conn *conn = m_store.m_conn.get();
        if (m_committed || !conn || libpq().PQstatus(conn) != CONNECTION_OK)
            return;
        // Never left so; were it, dropping the connection rolls back too.
        if (libpq().PQpipelineStatus(conn) != PQ_PIPELINE_OFF)
            m_store.disconnect();
        else
            libpq().PQclear(libpq().PQexec(conn, "ROLLBACK"));
    }
    KeyTransaction(const KeyTransaction &) = delete;
    KeyTransaction &operator=(const KeyTransaction &) = delete;

    // Opens the transaction, takes the key's lock and runs the commands in
    // it: one round trip. The rows of each command.
    std::vector<Rows> run(const std::vector<Command> &commands)
    {
        std::vector<Command> all{
            {"BEGIN", {}}, {"SELECT pg_advisory_xact_lock(hashtext($1), $2::integer)", m_key}};
        all.insert(all.end(), commands.cbegin(), commands.cend());
        std::vector<Rows> rows = m_store.pipeline(all);
        m_store.m_inTransaction = true;
        rows.erase(rows.begin(), rows.begin() + 2);
        return rows;
    }
    void commit()
    {
        m_store.commit();
        m_committed = true;
    }

private:
    PgStatementStore &m_store;
    QList<QByteArray> m_key;
    bool m_committed = false;
};

QString PgStatementStore::where() const
{
    // Host and database only: a URI may hold a password.
    QString host, database;
    if (m_conn) {
        host = QString::fromUtf8(libpq().PQhost(m_conn.get()));
        database = QString::fromUtf8(libpq().PQdb(m_conn.get()));
    } else {
        try {
            const LibPq &pq = libpq();
            if (PQconninfoOption *options = pq.PQconninfoParse(
                    m_conninfo.isEmpty() ? "" : m_conninfo.constData(), nullptr)) {
                for (PQconninfoOption *o = options; o->keyword; ++o) {
                    if (qstrcmp(o->keyword, "host") == 0 && o->val)
                        host = QString::fromUtf8(o->val);
                    if (qstrcmp(o->keyword, "dbname") == 0 && o->val)
                        database = QString::fromUtf8(o->val);
                }
                pq.PQconninfoFree(options);
            }
        } catch (const StoreError &) {
            // Without libpq the store's commands say why; its name still
            // comes from the environment below.
        }
    }
    if (host.isEmpty())
        host = qEnvironmentVariable("PGHOST");
    if (database.isEmpty())
        database = qEnvironmentVariable("PGDATABASE");
    // A socket folder says nothing to the user; the database's name does.
    if (host.isEmpty() || host.startsWith(QLatin1Char('/')))
        host = QStringLiteral("localhost");
    return host + QLatin1Char('/') + database;
}

QString PgStatementStore::description(Language language) const
{
    return ResourceString(2422, language).arg(where());
}

[[noreturn]] void PgStatementStore::fail(const QString &detail, const QByteArray &sqlState)
{
    const bool dropped = !m_conn || libpq().PQstatus(m_conn.get()) != CONNECTION_OK;
    const QString text = redacted(detail.trimmed());
    const QString place = where();
    if (dropped)
        disconnect();
    throw StoreError(dropped ? StoreError::Kind::Unreachable : kindOf(sqlState), place, text);
}

pg_conn *PgStatementStore::connection()
{
    // A server that went away while the connection was idle has closed it:
    // reading what it sent tells so before the next command is sent into it.
    // The first read takes its farewell message, the second meets the end.
    if (m_conn && (!libpq().PQconsumeInput(m_conn.get()) || !libpq().PQconsumeInput(m_conn.get()) ||
                   libpq().PQstatus(m_conn.get()) != CONNECTION_OK))
        disconnect();
    if (m_conn)
        return m_conn.get();
    // The server rolled back the transaction of the connection it dropped;
    // a commit sent on a new one would confirm nothing.
    if (m_inTransaction)
        throw StoreError(StoreError::Kind::Unreachable, where(),
                         QStringLiteral("the connection ended before the commit"));
    // Later entries override earlier ones, so the URI may set its own timeout.
    // The limits of a command (see README, "Team mode"): the connection is
    // made within connect_timeout; the server ends a statement after
    // statement_timeout, and one waiting for a row another session holds
    // after lock_timeout; TCP keepalives find a peer gone quiet.
    const QByteArray connectSeconds = QByteArray::number(qMax(1, m_answerLimitMs / 3000));
    const QByteArray serverLimits =
        "-c statement_timeout=" + QByteArray::number(m_answerLimitMs * 3 / 4) +
        " -c lock_timeout=" + QByteArray::number(m_answerLimitMs / 2);
    std::vector<const char *> keys{"connect_timeout", "application_name",    "keepalives",
                                   "keepalives_idle", "keepalives_interval", "keepalives_count",
                                   "options"};
    std::vector<const char *> values{connectSeconds.constData(), "quorvel", "1", "10", "5", "3",
                                     serverLimits.constData()};
    if (!m_conninfo.isEmpty()) {
        keys.push_back("dbname");
        values.push_back(m_conninfo.constData());
    }
    if (!m_password.isEmpty()) {
        keys.push_back("password");
        values.push_back(m_password.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    m_conn.reset(libpq().PQconnectStartParams(keys.data(), values.data(), 1));
    const int connectLimitMs = connectSeconds.toInt() * 1000;
    if (!awaitConnection(connectLimitMs)) {
        const QString place = where();
        disconnect();
        throw StoreError(StoreError::Kind::Unreachable, place,
                         QStringLiteral("no connection within %1 s").arg(connectLimitMs / 1000));
    }
    if (libpq().PQstatus(m_conn.get()) != CONNECTION_OK) {
        const QString detail = QString::fromUtf8(libpq().PQerrorMessage(m_conn.get()));
        m_passwordWanted = libpq().PQconnectionNeedsPassword(m_conn.get());
        // A server that answers a ping is there and refused us (a password,
        // a role or a database it does not know); one that does not answer
        // cannot be reached. The server's text follows its own language.
        const bool refused = m_passwordWanted || libpq().PQconnectionUsedPassword(m_conn.get()) ||
                             libpq().PQpingParams(keys.data(), values.data(), 1) == PQPING_OK;
        disconnect();
        throw StoreError(refused ? StoreError::Kind::Refused : StoreError::Kind::Unreachable,
                         where(), redacted(detail.trimmed()));
    }
    libpq().PQsetClientEncoding(m_conn.get(), "UTF8");
    // The server's notices ("already exists, skipping") are not the user's concern.
    libpq().PQsetNoticeProcessor(
        m_conn.get(), [](void *, const char *) {}, nullptr);
    return m_conn.get();
}

bool PgStatementStore::needsPassword()
{
    try {
        connection();
        return false;
    } catch (const StoreError &) {
        if (m_passwordWanted && m_password.isEmpty())
            return true;
        throw;
    }
}

PgStatementStore::Rows PgStatementStore::exec(const char *sql, const QList<QByteArray> &params,
                                              const unsigned int *types)
{
    PGconn *conn = connection();
    if (!send(conn, sql, params, types))
        fail(QString::fromUtf8(libpq().PQerrorMessage(conn)), QByteArray());
    return answer(conn, true);
}

bool PgStatementStore::send(pg_conn *conn, const char *sql, const QList<QByteArray> &params,
                            const unsigned int *types)
{
    std::vector<const char *> values;
    for (const QByteArray &p : params)
        values.push_back(p.isNull() ? nullptr : p.constData());
    return libpq().PQsendQueryParams(conn, sql, int(values.size()), types, values.data(), nullptr,
                                     nullptr, 0);
}

PgStatementStore::Rows PgStatementStore::answer(pg_conn *conn, bool cancellable)
{
    QElapsedTimer waited;
    waited.start();
    awaitResult(conn, waited, cancellable);
    // One statement gives one result; the last one stands.
    Rows rows;
    while (PGresult *result = libpq().PQgetResult(conn))
        rows.result.reset(result);
    const ExecStatusType status = libpq().PQresultStatus(rows.result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char *state = libpq().PQresultErrorField(rows.result.get(), PG_DIAG_SQLSTATE);
        fail(QString::fromUtf8(libpq().PQerrorMessage(conn)), QByteArray(state ? state : ""));
    }
    return rows;
}

void PgStatementStore::awaitResult(pg_conn *conn, const QElapsedTimer &waited, bool cancellable)
{
    // The answer is awaited for a limited time: a server that stopped (a
    // frozen machine, a row locked by a session that never ends) must never
    // hold the program. Past the limit the connection is dropped, as a
    // server that went away drops it, and the next command connects again.
    while (libpq().PQisBusy(conn)) {
        const qint64 left = m_answerLimitMs - waited.elapsed();
        pollfd socket{libpq().PQsocket(conn), POLLIN, 0};
        const int ready =
            left > 0 ? ::poll(&socket, 1, int(qMin<qint64>(left, kCancelCheckMs))) : 0;
        if (cancellable)
            stopIfCancelled();
        if (ready == 0 && left > kCancelCheckMs)
            continue;
        if (ready == 0) {
            const QString place = where();
            disconnect();
            throw StoreError(StoreError::Kind::Unreachable, place,
                             QStringLiteral("no answer within %1 s").arg(m_answerLimitMs / 1000.0));
        }
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || !libpq().PQconsumeInput(conn))
            fail(QString::fromUtf8(libpq().PQerrorMessage(conn)), QByteArray());
    }
}

void PgStatementStore::abandon(const QString &detail)
{
    const QString place = where();
    disconnect();
    throw StoreError(StoreError::Kind::Unreachable, place, redacted(detail.trimmed()));
}

std::vector<PgStatementStore::Rows> PgStatementStore::pipeline(const std::vector<Command> &commands)
{
    const LibPq &pq = libpq();
    PGconn *conn = connection();
    if (!pq.PQenterPipelineMode(conn))
        abandon(QString::fromUtf8(pq.PQerrorMessage(conn)));
    for (const Command &command : commands)
        if (!send(conn, command.sql, command.params, command.types))
            abandon(QString::fromUtf8(pq.PQerrorMessage(conn)));
    // The sync sends the lot and ends the pipeline's answers.
    if (!pq.PQpipelineSync(conn))
        abandon(QString::fromUtf8(pq.PQerrorMessage(conn)));

    // Each command's result comes followed by a null; after an error the
    // server skips the rest up to the sync, each reported as aborted.
    QElapsedTimer waited;
    waited.start();
    std::vector<Rows> rows(commands.size());
    size_t index = 0;
    QString error;
    QByteArray errorState;
    for (;;) {
        awaitResult(conn, waited, true);
        if (pq.PQstatus(conn) != CONNECTION_OK)
            fail(QString::fromUtf8(pq.PQerrorMessage(conn)), QByteArray());
        Rows result;
        result.result.reset(pq.PQgetResult(conn));
        if (!result.result) {
            if (++index > commands.size())
                abandon(QStringLiteral("the server's answers ended before the pipeline's"));
            continue;
        }
        const ExecStatusType status = pq.PQresultStatus(result.result.get());
        if (status == PGRES_PIPELINE_SYNC)
            break;
        if (index >= commands.size())
            abandon(QStringLiteral("more answers than commands"));
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
            rows[index] = std::move(result);
        } else if (status != PGRES_PIPELINE_ABORTED && error.isEmpty()) {
            const char *state = pq.PQresultErrorField(result.result.get(), PG_DIAG_SQLSTATE);
            error = QString::fromUtf8(pq.PQresultErrorMessage(result.result.get()));
            errorState = QByteArray(state ? state : "");
        }
    }
    if (!pq.PQexitPipelineMode(conn))
        abandon(QString::fromUtf8(pq.PQerrorMessage(conn)));
    if (!error.isEmpty())
        fail(error, errorState);
    return rows;
}

void PgStatementStore::commit()
{
    PGconn *conn = connection();
    if (!send(conn, "COMMIT", {}, nullptr))
        fail(QString::fromUtf8(libpq().PQerrorMessage(conn)), QByteArray());
    try {
        answer(conn, false);
    } catch (const StoreError &error) {
        // Gone or silent once the commit was sent: it may have landed. An
        // error the server answered means it rolled back.
        if (error.kind() != StoreError::Kind::Unreachable)
            throw;
        throw StoreError(StoreError::Kind::Unconfirmed, error.where(), error.description());
    }
}

bool PgStatementStore::awaitConnection(int limitMs)
{
    pg_conn *conn = m_conn.get();
    if (!conn || libpq().PQstatus(conn) == CONNECTION_BAD)
        return true; // failed at once: the caller reads why
    QElapsedTimer waited;
    waited.start();
    // Before the first step libpq waits to write, as after PGRES_POLLING_WRITING.
    PostgresPollingStatusType status = PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK && status != PGRES_POLLING_FAILED) {
        const qint64 left = limitMs - waited.elapsed();
        if (left <= 0)
            return false;
        pollfd socket{libpq().PQsocket(conn),
                      short(status == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        const int ready = ::poll(&socket, 1, int(qMin<qint64>(left, kCancelCheckMs)));
        stopIfCancelled();
        if (ready == 0 || (ready < 0 && errno == EINTR))
            continue;
        status = libpq().PQconnectPoll(conn);
    }
    return true;
}

void PgStatementStore::stopIfCancelled()
{
    if (!cancelRequested())
        return;
    const QString place = where();
    // The server rolls back the transaction of a connection that ends.
    disconnect();
    throw StoreError(StoreError::Kind::Cancelled, place, QString());
}

void PgStatementStore::setAnswerLimit(int milliseconds)
{
    m_answerLimitMs = milliseconds;
}

int PgStatementStore::schemaVersion()
{
    const Rows found = exec("SELECT to_regclass('quorvel.schema_version') IS NOT NULL");
    if (found.text(0, 0) != QLatin1String("t"))
        return 0;
    const Rows rows = exec("SELECT max(version) FROM quorvel.schema_version");
    return rows.isNull(0, 0) ? 0 : int(rows.integer(0, 0));
}

void PgStatementStore::checkSchema()
{
    if (m_schemaChecked && m_conn)
        return;
    const int version = schemaVersion();
    if (version != kTeamSchemaVersion)
        throw StoreError(StoreError::Kind::NoSchema, where(),
                         version == 0 ? QStringLiteral("no Quorvel schema")
                                      : QStringLiteral("schema version %1, this program reads %2")
                                            .arg(version)
                                            .arg(kTeamSchemaVersion));
    m_schemaChecked = true;
}

void PgStatementStore::initSchema()
{
    const int version = schemaVersion();
    if (version > kTeamSchemaVersion)
        throw StoreError(StoreError::Kind::NoSchema, where(),
                         QStringLiteral("schema version %1 is newer than this program's %2")
                             .arg(version)
                             .arg(kTeamSchemaVersion));
    PGconn *conn = connection();
    std::unique_ptr<PGresult, decltype(LibPq::PQclear)> result(
        libpq().PQexec(conn, fncTeamSchemaSql().toUtf8().constData()), libpq().PQclear);
    if (libpq().PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
        const char *state = libpq().PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
        const QString detail = QString::fromUtf8(libpq().PQerrorMessage(conn));
        exec("ROLLBACK");
        fail(detail, QByteArray(state ? state : ""));
    }
    m_schemaChecked = false;
}

QVector<StatementEntry> PgStatementStore::list(Language language)
{
    checkSchema();
    const Rows rows = exec("SELECT firm_name, year, naics, volume, region FROM quorvel.statements");
    QVector<StatementEntry> entries;
    entries.reserve(rows.count());
    for (int i = 0; i < rows.count(); ++i) {
        StatementEntry entry{rows.text(i, 0), int(rows.integer(i, 1)), std::nullopt};
        if (!rows.isNull(i, 2) && !rows.text(i, 2).isEmpty())
            entry.industry =
                StatementIndustry{rows.text(i, 2), int(rows.integer(i, 3)), rows.text(i, 4)};
        entries.append(entry);
    }
    sortStatementEntries(entries, language);
    return entries;
}

std::optional<SavedStatement> PgStatementStore::open(const QString &firmName, int year)
{
    checkSchema();
    static const QByteArray sql = selectStatements("firm_key = $1 AND year = $2");
    const Rows rows =
        exec(sql.constData(), {fncFirmKey(firmName).toUtf8(), QByteArray::number(year)});
    if (rows.count() == 0)
        return std::nullopt;
    return rows.statement(0);
}

QVector<SavedStatement> PgStatementStore::firmYears(const QString &firmName)
{
    checkSchema();
    static const QByteArray sql = selectStatements("firm_key = $1 ORDER BY year");
    const Rows rows = exec(sql.constData(), {fncFirmKey(firmName).toUtf8()});
    QVector<SavedStatement> years;
    for (int i = 0; i < rows.count(); ++i)
        years.append(rows.statement(i));
    return years;
}

std::optional<StoredState> PgStatementStore::current(const QString &firmName, int year)
{
    checkSchema();
    const Rows rows = exec("SELECT firm_name, version, saved_by, extract(epoch from saved_at) * "
                           "1000 FROM quorvel.statements WHERE firm_key = $1 AND year = $2",
                           {fncFirmKey(firmName).toUtf8(), QByteArray::number(year)});
    if (rows.count() == 0)
        return std::nullopt;
    return StoredState{{rows.text(0, 0)}, rows.stamp(0, 1)};
}

WriteOutcome PgStatementStore::save(const SavedStatement &statement, Expectation expected,
                                    const QString &savedBy)
{
    checkSchema();
    // $1 key, $2 year, $3 name, $4-$6 industry, $7 saved by, $8 expected
    // version, $9 comment, then the amounts from $10.
    static const QByteArray columns = (QStringLiteral("firm_key, year, firm_name, naics, volume, "
                                                      "region, saved_by, version, comment, ") +
                                       amountColumns())
                                          .toUtf8();
    static const QByteArray values = [] {
        QStringList list{QStringLiteral("$1"), QStringLiteral("$2"), QStringLiteral("$3"),
                         QStringLiteral("$4"), QStringLiteral("$5"), QStringLiteral("$6"),
                         QStringLiteral("$7"),
                         // A statement saved again after a delete goes on
                         // from the deleted one's last version.
                         QStringLiteral("coalesce((SELECT r.version FROM quorvel.retired_versions "
                                        "r WHERE r.firm_key = $1 AND r.year = $2), 0) + 1"),
                         QStringLiteral("$9")};
        for (int i = 0; i < kStatementItemCount; ++i)
            list << QStringLiteral("$%1").arg(10 + i);
        return list.join(QStringLiteral(", ")).toUtf8();
    }();
    static const QByteArray updates = [] {
        QStringList list{QStringLiteral("firm_name = EXCLUDED.firm_name"),
                         QStringLiteral("naics = EXCLUDED.naics"),
                         QStringLiteral("volume = EXCLUDED.volume"),
                         QStringLiteral("region = EXCLUDED.region"),
                         QStringLiteral("saved_by = EXCLUDED.saved_by"),
                         QStringLiteral("saved_at = now()"),
                         QStringLiteral("version = quorvel.statements.version + 1"),
                         QStringLiteral("comment = EXCLUDED.comment")};
        for (const StatementItem &item : statementItems()) {
            const QString column = QString::fromLatin1(item.column).toLower();
            list << column + QStringLiteral(" = EXCLUDED.") + column;
        }
        return list.join(QStringLiteral(", ")).toUtf8();
    }();
    const QByteArray returning =
        " RETURNING version, saved_by, extract(epoch from saved_at) * 1000";
    // One statement each, so that two saves at the same moment leave one row:
    // the key decides, and a conditional update waits for the other to commit
    // and then sees its version.
    static const QByteArray replaceAny =
        "INSERT INTO quorvel.statements (" + columns + ") VALUES (" + values +
        ") ON CONFLICT (firm_key, year) DO UPDATE SET " + updates + returning;
    static const QByteArray insertNew = "INSERT INTO quorvel.statements (" + columns +
                                        ") VALUES (" + values +
                                        ") ON CONFLICT (firm_key, year) DO NOTHING" + returning;
    static const QByteArray replaceVersion =
        "INSERT INTO quorvel.statements (" + columns + ") VALUES (" + values +
        ") ON CONFLICT (firm_key, year) DO UPDATE SET " + updates +
        " WHERE quorvel.statements.version = $8::bigint" + returning;

    // Never null: no comment is an empty one.
    const QByteArray comment =
        statement.comment.isEmpty() ? QByteArray("") : statement.comment.toUtf8();
    QList<QByteArray> params{
        fncFirmKey(statement.firmName).toUtf8(),
        QByteArray::number(statement.year),
        statement.firmName.toUtf8(),
        statement.industry ? statement.industry->naics.toUtf8() : QByteArray(),
        statement.industry ? QByteArray::number(statement.industry->volume) : QByteArray(),
        statement.industry ? statement.industry->region.toUtf8() : QByteArray(),
        savedBy.toUtf8(),
        QByteArray::number(expected.version),
        comment};
    for (int i = 0; i < kStatementItemCount; ++i)
        params << number(statement.amounts.*firmStatementAmounts()[i]);

    const char *sql = expected.kind == Expectation::Kind::Anything  ? replaceAny.constData()
                      : expected.kind == Expectation::Kind::Nothing ? insertNew.constData()
                                                                    : replaceVersion.constData();
    // $8 is typed here: only the conditional update names it.
    std::vector<unsigned int> types(params.size(), 0);
    types[7] = kInt8Oid;
    KeyTransaction transaction(*this, {params.at(0), params.at(1)});
    const Rows rows = std::move(transaction.run({{sql, params, types.data()}}).front());
    WriteOutcome outcome{true, {}, std::nullopt};
    if (rows.count() == 0)
        outcome = {false, {}, current(statement.firmName, statement.year)};
    else
        outcome.stamp = rows.stamp(0, 0);
    transaction.commit();
    return outcome;
}

WriteOutcome PgStatementStore::remove(const QString &firmName, int year, Expectation expected)
{
    checkSchema();
    // The deleted statement's version is kept, so that the key's next save
    // goes on from it.
    static const QByteArray retire = "), retired AS (INSERT INTO quorvel.retired_versions "
                                     "(firm_key, year, version) SELECT firm_key, year, version "
                                     "FROM gone ON CONFLICT (firm_key, year) DO UPDATE SET "
                                     "version = greatest(quorvel.retired_versions.version, "
                                     "EXCLUDED.version)) SELECT count(*) FROM gone";
    static const QByteArray deleteAny =
        "WITH gone AS (DELETE FROM quorvel.statements WHERE firm_key = $1 AND year = $2 "
        "RETURNING firm_key, year, version" +
        retire;
    static const QByteArray deleteVersion =
        "WITH gone AS (DELETE FROM quorvel.statements WHERE firm_key = $1 AND year = $2 AND "
        "version = $3::bigint RETURNING firm_key, year, version" +
        retire;
    const QList<QByteArray> key{fncFirmKey(firmName).toUtf8(), QByteArray::number(year)};
    KeyTransaction transaction(*this, key);
    const bool anyVersion = expected.kind != Expectation::Kind::Version;
    const Command command =
        anyVersion ? Command{deleteAny.constData(), key}
                   : Command{deleteVersion.constData(),
                             key + QList<QByteArray>{QByteArray::number(expected.version)}};
    const Rows rows = std::move(transaction.run({command}).front());
    WriteOutcome outcome{true, {}, std::nullopt};
    // Nothing deleted: either nothing is stored (done), or another version is.
    if (!anyVersion && rows.integer(0, 0) == 0)
        if (std::optional<StoredState> stored = current(firmName, year))
            outcome = {false, {}, stored};
    transaction.commit();
    return outcome;
}

LabelMapping PgStatementStore::importMapping(const QString &firmName)
{
    checkSchema();
    const Rows rows = exec("SELECT label, item FROM quorvel.import_mappings WHERE firm_key = $1",
                           {fncFirmKey(firmName).toUtf8()});
    LabelMapping mapping;
    for (int i = 0; i < rows.count(); ++i)
        mapping.insert(rows.text(i, 0), rows.text(i, 1));
    return mapping;
}

void PgStatementStore::rememberImportMapping(const QString &firmName, const LabelMapping &mapping)
{
    checkSchema();
    const QByteArray key = fncFirmKey(firmName).toUtf8();
    // One transaction, rolled back on a failure as a save's is (year 0 is
    // no statement's: the lock is the firm's mapping alone).
    KeyTransaction transaction(*this, {key, QByteArrayLiteral("0")});
    std::vector<Command> rows;
    for (auto it = mapping.cbegin(); it != mapping.cend(); ++it)
        rows.push_back(
            {"INSERT INTO quorvel.import_mappings (firm_key, label, item) VALUES ($1, $2, $3) "
             "ON CONFLICT (firm_key, label) DO UPDATE SET item = EXCLUDED.item",
             // An ignored row is an empty text, never a null one.
             {key, it.key().toUtf8(),
              it.value().isEmpty() ? QByteArray("") : it.value().toUtf8()}});
    transaction.run(rows);
    transaction.commit();
}

void fncForbidCoreDumps()
{
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

QString fncTeamSchemaSql()
{
    QFile file(QStringLiteral(":/store/quorvel-team-schema.sql"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}
