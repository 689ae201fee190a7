#pragma once

// A throwaway PostgreSQL 15 server of the test's own: a cluster made by
// initdb in a temporary folder, listening on a Unix socket in that folder
// only, with a database "quorvel" and a superuser "quorvel_admin" (trust
// authentication: nothing leaves the folder). initdb and postgres refuse to
// run as root, so under root the server runs as the "postgres" system user,
// or as "nobody" when there is none. Stopped and removed when it goes.

#include <QString>
#include <QTemporaryDir>
#include <memory>

class StatementStore;

namespace testsupport {

class PgServer
{
public:
    // How clients reach the server: its Unix socket, or TCP on 127.0.0.1
    // at a port no one else listens on.
    enum class Transport { UnixSocket, Tcp };

    // Makes the cluster and starts the server; error() says why when it did not.
    explicit PgServer(Transport transport = Transport::UnixSocket);
    ~PgServer();
    PgServer(const PgServer &) = delete;
    PgServer &operator=(const PgServer &) = delete;

    bool isRunning() const { return m_running; }
    QString error() const { return m_error; }

    // A libpq URI to a database of the server as a role.
    QString uri(const QString &user = QStringLiteral("quorvel_admin"),
                const QString &database = QStringLiteral("quorvel")) const;

    // The folder of the server's socket: the "host" of a key=value connection.
    QString socketFolder() const { return m_dir ? m_dir->path() : QString(); }

    // Stops the server (fast shutdown: sessions are ended) or starts it again.
    bool stop();
    bool start();

    // Stops (SIGSTOP) or resumes (SIGCONT) every process of this server, as a
    // machine that froze: connections stay open and nothing answers.
    bool freeze(bool frozen);

    // Runs SQL as the superuser on a database; the error text, empty when it worked.
    QString exec(const QString &sql, const QString &database = QStringLiteral("quorvel")) const;

    // A fresh, empty statement store of a kind: "postgresql", this server's
    // statements emptied; "sqlite", a new copy of the shipped user database in
    // `dir`. Its location (a URI or a path) in `location`.
    std::unique_ptr<StatementStore> freshStore(const QString &kind, const QTemporaryDir &dir,
                                               QString *location = nullptr) const;

private:
    bool run(const QString &program, const QStringList &arguments);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runAs; // empty: the test's own user
    Transport m_transport = Transport::UnixSocket;
    int m_port = 0;
    QString m_error;
    bool m_running = false;
};

} // namespace testsupport
