#include "support/PgServer.h"

#include "store/StatementStore.h"
#include "store/StoreLocation.h"
#include "support/LogicTestSupport.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <arpa/inet.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {
const QString kBin = QStringLiteral("/usr/lib/postgresql/15/bin/");
constexpr int kPort = 5432; // the socket lives in the server's own folder: no clash

// The server outlives the programs that start it when a test crashes: it
// must hold none of the test's descriptors (a lock a build script took, a
// pipe to ctest), or they stay open as long as it runs. Each is closed in
// the children.
void keepDescriptorsFromChildren()
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString &name : descriptors.entryList(QDir::Files | QDir::System)) {
        bool ok = false;
        const int fd = name.toInt(&ok);
        if (ok && fd > 2)
            fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
    }
}

// The system user the server runs as when the test runs as root.
QString serverUser()
{
    if (geteuid() != 0)
        return QString();
    return getpwnam("postgres") ? QStringLiteral("postgres") : QStringLiteral("nobody");
}
// A TCP port of 127.0.0.1 free at this moment, as the system hands one out.
int freeLocalPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (probe >= 0)
        close(probe);
    return port;
}
} // namespace

PgServer::PgServer(Transport transport) : m_transport(transport)
{
    m_port = transport == Transport::Tcp ? freeLocalPort() : kPort;
    m_runAs = serverUser();
    if (!QFile::exists(kBin + QStringLiteral("initdb"))) {
        m_error = QStringLiteral("PostgreSQL 15 is not installed (no %1initdb); "
                                 "scripts/install-deps.sh installs it")
                      .arg(kBin);
        return;
    }
    // A short path: the socket's full name must fit in 107 bytes.
    m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/qpg-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("cannot make a temporary folder: ") + m_dir->errorString();
        return;
    }
    if (!m_runAs.isEmpty()) {
        const passwd *user = getpwnam(m_runAs.toLocal8Bit().constData());
        if (!user ||
            chown(QFile::encodeName(m_dir->path()).constData(), user->pw_uid, user->pw_gid) != 0) {
            m_error = QStringLiteral("cannot give %1 to the user %2").arg(m_dir->path(), m_runAs);
            return;
        }
    }
    if (!run(kBin + QStringLiteral("initdb"),
             {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")), QStringLiteral("-U"),
              QStringLiteral("quorvel_admin"), QStringLiteral("--auth=trust"), QStringLiteral("-E"),
              QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync")}))
        return;
    if (!start())
        return;
    const QString created =
        exec(QStringLiteral("CREATE DATABASE quorvel"), QStringLiteral("postgres"));
    if (!created.isEmpty()) {
        m_error = QStringLiteral("CREATE DATABASE failed: ") + created;
        m_running = false;
    }
}

PgServer::~PgServer()
{
    if (m_running)
        stop();
}

bool PgServer::run(const QString &program, const QStringList &arguments)
{
    keepDescriptorsFromChildren();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server's user may not read the test's working folder.
    process.setWorkingDirectory(m_dir->path());
    if (m_runAs.isEmpty())
        process.start(program, arguments);
    else
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), m_runAs, QStringLiteral("--"), program} +
                          arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        m_error = QStringLiteral("%1 %2 failed%3: %4")
                      .arg(program, arguments.join(QLatin1Char(' ')),
                           m_runAs.isEmpty() ? QString() : QStringLiteral(" (as ") + m_runAs + ')',
                           QString::fromLocal8Bit(process.readAll()) + process.errorString());
        QFile log(m_dir->filePath(QStringLiteral("server.log")));
        if (log.open(QIODevice::ReadOnly))
            m_error += QStringLiteral("\nserver log:\n") + QString::fromLocal8Bit(log.readAll());
        return false;
    }
    return true;
}

bool PgServer::start()
{
    m_running =
        run(kBin + QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")), QStringLiteral("-l"),
             m_dir->filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
             QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"),
             QStringLiteral("-k %1 -p %2 -c listen_addresses=%3 -c fsync=off "
                            "-c synchronous_commit=off -c full_page_writes=off")
                 .arg(m_dir->path())
                 .arg(m_port)
                 .arg(m_transport == Transport::Tcp ? QStringLiteral("127.0.0.1") : QString()),
             QStringLiteral("start")});
    return m_running;
}

bool PgServer::stop()
{
    const bool stopped =
        run(kBin + QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")), QStringLiteral("-m"),
             QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
    if (stopped)
        m_running = false;
    return stopped;
}

QString PgServer::uri(const QString &user, const QString &database) const
{
    // Joined, not arg()ed: the encoded folder holds "%2F".
    const QString host =
        m_transport == Transport::Tcp
            ? QStringLiteral("127.0.0.1")
            : QString::fromLatin1(QUrl::toPercentEncoding(m_dir ? m_dir->path() : QString()));
    return QStringLiteral("postgresql:///") + database + QStringLiteral("?host=") + host +
           QStringLiteral("&port=") + QString::number(m_port) + QStringLiteral("&user=") + user;
}

std::unique_ptr<StatementStore> PgServer::freshStore(const QString &kind, const QTemporaryDir &dir,
                                                     QString *location) const
{
    QString place;
    if (kind == QLatin1String("postgresql")) {
        const QString error = exec(
            QStringLiteral("DELETE FROM quorvel.statements; DELETE FROM quorvel.retired_versions"));
        if (!error.isEmpty())
            qWarning() << error;
        place = uri();
    } else {
        // Named after the files already there: each call gets a file of its own.
        place = dir.filePath(QStringLiteral("user%1.mdb").arg(QDir(dir.path()).count()));
        QFile::copy(programFile(QStringLiteral("myData.mdb")), place);
        QFile(place).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    if (location)
        *location = place;
    return fncOpenStoreUri(place);
}

bool PgServer::freeze(bool frozen)
{
    // The postmaster's id heads postmaster.pid; its children are the
    // server's other processes (backends, checkpointer, writer…).
    QFile pidFile(m_dir->filePath(QStringLiteral("data/postmaster.pid")));
    if (!pidFile.open(QIODevice::ReadOnly))
        return false;
    const qint64 postmaster = pidFile.readLine().trimmed().toLongLong();
    if (postmaster <= 0)
        return false;
    QList<qint64> pids{postmaster};
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid …": the name may hold blanks, so read after ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == postmaster)
            pids << entry.toLongLong();
    }
    // A process gone since it was listed (a finished backend the thawed
    // postmaster has just reaped) needs no signal.
    bool all = true;
    for (const qint64 pid : std::as_const(pids))
        all = (::kill(pid_t(pid), frozen ? SIGSTOP : SIGCONT) == 0 || errno == ESRCH) && all;
    return all;
}

QString PgServer::exec(const QString &sql, const QString &database) const
{
    PGconn *conn = PQconnectdb(uri(QStringLiteral("quorvel_admin"), database).toUtf8().constData());
    QString error;
    if (PQstatus(conn) != CONNECTION_OK) {
        error = QString::fromUtf8(PQerrorMessage(conn));
    } else {
        PGresult *result = PQexec(conn, sql.toUtf8().constData());
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            error = QString::fromUtf8(PQerrorMessage(conn));
        PQclear(result);
    }
    PQfinish(conn);
    return error;
}

} // namespace testsupport
