#pragma once

#include "store/StatementStore.h"

#include <QByteArray>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class QElapsedTimer;

struct pg_conn;

// The schema version this program reads and writes (see quorvel-team-schema.sql).
inline constexpr int kTeamSchemaVersion = 3;

// The statements in the team database on a PostgreSQL server, through libpq.
// The connection is opened at first use and opened again after the server
// dropped it; a command that finds the server away throws StoreError and the
// next one tries again. The password is never written anywhere: it comes from
// libpq's own means (~/.pgpass, PGPASSFILE, a service file, PGPASSWORD) or
// from `password`, held in memory only.
class PgStatementStore : public StatementStore
{
public:
    // `conninfo`: a libpq connection URI (postgresql://…) or key=value text;
    // the parts it leaves out come from libpq's environment (PGHOST, PGUSER…).
    explicit PgStatementStore(const QString &conninfo, const QString &password = QString());
    ~PgStatementStore() override;
    PgStatementStore(const PgStatementStore &) = delete;
    PgStatementStore &operator=(const PgStatementStore &) = delete;

    QString description(Language language) const override;
    bool isTeam() const override { return true; }
    QVector<StatementEntry> list(Language language) override;
    std::optional<SavedStatement> open(const QString &firmName, int year) override;
    QVector<SavedStatement> firmYears(const QString &firmName) override;
    std::optional<StoredState> current(const QString &firmName, int year) override;
    WriteOutcome save(const SavedStatement &statement, Expectation expected,
                      const QString &savedBy) override;
    WriteOutcome remove(const QString &firmName, int year, Expectation expected) override;
    LabelMapping importMapping(const QString &firmName) override;
    void rememberImportMapping(const QString &firmName, const LabelMapping &mapping) override;

    // Connects if not connected; true when the server refused for want of a
    // password (the caller may ask for one and make a new store with it).
    // Throws StoreError for any other failure.
    bool needsPassword();

    // Creates the schema, or brings an older one to this program's version.
    // Needs the right to create in the database.
    void initSchema();

    // The schema version found in the database; 0 when there is no schema.
    int schemaVersion();

    // "host/database", for messages.
    QString where() const;

    // How long a command waits for the server's answer before it gives up
    // as on a server gone away (20 s); the connection's and the server's own
    // limits follow it: connecting a third, a statement three quarters, a
    // lock half of it.
    void setAnswerLimit(int milliseconds);

private:
    struct Rows;
    class KeyTransaction;
    // A command sent in a pipeline: its SQL, its parameters, and their
    // types when some must be given.
    struct Command
    {
        const char *sql;
        QList<QByteArray> params;
        const unsigned int *types = nullptr;
    };
    pg_conn *connection();
    // Walks libpq's connection steps for up to `limitMs`; false past it.
    // libpq leaves its connect_timeout to the caller of these steps.
    bool awaitConnection(int limitMs);
    // Throws StoreError (Cancelled), dropping the connection, once the user
    // asked to stop.
    void stopIfCancelled();
    // Drops the connection; the next command connects again.
    void disconnect();
    Rows exec(const char *sql, const QList<QByteArray> &params = {},
              const unsigned int *types = nullptr);
    // Hands one command to libpq; false when it could not.
    bool send(pg_conn *conn, const char *sql, const QList<QByteArray> &params,
              const unsigned int *types);
    // The answer to the command sent; the last result stands.
    Rows answer(pg_conn *conn, bool cancellable);
    // Waits until libpq holds the next result, for no longer than the answer
    // limit counted from `waited`, and (when `cancellable`) until the user
    // asks to stop: either drops the connection and throws StoreError.
    void awaitResult(pg_conn *conn, const QElapsedTimer &waited, bool cancellable);
    // Sends the commands together and reads their answers: one round trip.
    // The rows of each; on an error, the first one the server gave, with
    // the connection out of pipeline mode and ready for the next command.
    std::vector<Rows> pipeline(const std::vector<Command> &commands);
    // Commits the key transaction; a commit sent is awaited whatever the
    // user asks, and its answer lost throws StoreError (Unconfirmed).
    void commit();
    // Drops the connection and throws StoreError (Unreachable): a pipeline
    // left half sent or half read cannot serve another command.
    [[noreturn]] void abandon(const QString &detail);
    [[noreturn]] void fail(const QString &detail, const QByteArray &sqlState);
    // The text with every password of the connection's text replaced by "***".
    QString redacted(const QString &text) const;
    void checkSchema();
    static void closeConnection(pg_conn *connection);

    QByteArray m_conninfo;
    QByteArray m_password;
    std::unique_ptr<pg_conn, void (*)(pg_conn *)> m_conn{nullptr, closeConnection};
    bool m_schemaChecked = false;
    // A key transaction is open on the connection: its commands never go
    // to a new one, where they would run outside it.
    bool m_inTransaction = false;
    bool m_passwordWanted = false;
    int m_answerLimitMs = 20000;
};

// `text` with every password that `conninfo` (a URI, malformed or not, or
// key=value text) holds replaced by "***": libpq quotes a connection text
// it cannot read in its messages, and no message may show a password.
QString fncHidePasswords(const QString &text, const QString &conninfo);

// No core dump of this process from now on (RLIMIT_CORE 0, and not
// dumpable): called when a typed password is held in memory.
void fncForbidCoreDumps();

// The SQL file that creates the team schema, as shipped.
QString fncTeamSchemaSql();
