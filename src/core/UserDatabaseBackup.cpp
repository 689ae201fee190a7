#include "core/UserDatabaseBackup.h"

#include "core/AddedUserTables.h"
#include "core/DatabaseError.h"
#include "core/DbTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sqlite3.h>

namespace {

// Pages copied between progress reports: 1 MB with the usual 4 KB pages.
constexpr int kPagesPerStep = 256;
// How long a copy waits, in all, for another program's lock to go.
constexpr int kLockWaitMs = 5000;
constexpr int kLockPauseMs = 25;

// A connection of the engine's own, closed whatever happens.
class OwnedHandle
{
public:
    OwnedHandle(const QString &path, int flags)
    {
        const QByteArray name = QFile::encodeName(path);
        const int code = sqlite3_open_v2(name.constData(), &m_handle, flags, nullptr);
        if (code != SQLITE_OK)
            throw DatabaseError(code, QString::fromUtf8(sqlite3_errstr(code)) +
                                          QStringLiteral(": ") + path);
        sqlite3_busy_timeout(m_handle, kLockWaitMs);
    }
    ~OwnedHandle() { sqlite3_close_v2(m_handle); }
    OwnedHandle(const OwnedHandle &) = delete;
    OwnedHandle &operator=(const OwnedHandle &) = delete;
    operator sqlite3 *() const { return m_handle; }

private:
    sqlite3 *m_handle = nullptr;
};

[[noreturn]] void throwEngineError(sqlite3 *handle, const QString &path)
{
    throw DatabaseError(sqlite3_extended_errcode(handle),
                        QString::fromUtf8(sqlite3_errmsg(handle)) + QStringLiteral(": ") + path);
}

void run(sqlite3 *handle, const char *sql, const QString &path)
{
    if (sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwEngineError(handle, path);
}

// The rows of a one-column statement, as text.
QStringList textRows(sqlite3 *handle, const char *sql, const QString &path)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr) != SQLITE_OK)
        throwEngineError(handle, path);
    QStringList rows;
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW)
        rows << QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    if (code != SQLITE_DONE)
        throwEngineError(handle, path);
    return rows;
}

int pageSize(sqlite3 *handle, const QString &path)
{
    return textRows(handle, "PRAGMA main.page_size", path).value(0).toInt();
}

// Copies every page of `from` over `to`, in steps, waiting a while for a
// lock that another program holds. `to` changes only when the copy ends
// whole: the engine writes it in one transaction.
void copyPages(sqlite3 *from, sqlite3 *to, const BackupProgress &progress, const QString &path)
{
    sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throwEngineError(to, path);
    int code = SQLITE_OK;
    int waited = 0;
    do {
        code = sqlite3_backup_step(backup, kPagesPerStep);
        if (progress) {
            const int total = sqlite3_backup_pagecount(backup);
            progress(total - sqlite3_backup_remaining(backup), total);
        }
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            sqlite3_sleep(kLockPauseMs);
            waited += kLockPauseMs;
        }
    } while (code == SQLITE_OK ||
             ((code == SQLITE_BUSY || code == SQLITE_LOCKED) && waited < kLockWaitMs));
    sqlite3_backup_finish(backup);
    if (code != SQLITE_DONE)
        throw DatabaseError(code,
                            QString::fromUtf8(sqlite3_errstr(code)) + QStringLiteral(": ") + path);
}

// The first lines of the engine's integrity check; "ok" alone when sound.
QStringList integrityFindings(sqlite3 *handle, const QString &path)
{
    return textRows(handle, "PRAGMA main.integrity_check(5)", path);
}

// A file offered for restoring is only read. One written in write-ahead mode
// needs a shared-memory file beside it even to be read; where its folder
// cannot take one, it is read as a file nothing else changes.
std::unique_ptr<OwnedHandle> openForReading(const QString &path)
{
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    constexpr int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    auto handle = std::make_unique<OwnedHandle>(uri + QStringLiteral("?mode=ro"), flags);
    if (sqlite3_exec(*handle, "select count(*) from sqlite_master", nullptr, nullptr, nullptr) ==
        SQLITE_CANTOPEN)
        handle = std::make_unique<OwnedHandle>(uri + QStringLiteral("?immutable=1"), flags);
    return handle;
}

bool samePlace(const QString &one, const QString &other)
{
    const QFileInfo first(one);
    const QFileInfo second(other);
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

// Progress of one of two halves of a longer copy.
BackupProgress half(const BackupProgress &progress, int which)
{
    if (!progress)
        return {};
    return [progress, which](int done, int total) { progress(which * total + done, 2 * total); };
}
} // namespace

namespace {
// The passing name of a copy of `fileName` being written: "." + the name +
// "." + six letters or digits (QTemporaryFile's), perhaps + ".mdb". Read by
// hand: a regular expression here would bring its compiler into every start.
bool isPassingCopyOf(const QString &name, const QString &fileName)
{
    const QString prefix = QLatin1Char('.') + fileName + QLatin1Char('.');
    if (!name.startsWith(prefix))
        return false;
    QStringView rest = QStringView(name).mid(prefix.size());
    if (rest.endsWith(QLatin1String(".mdb")))
        rest.chop(4);
    return rest.size() == 6 && std::all_of(rest.begin(), rest.end(), [](QChar c) {
               return c.unicode() < 128 && c.isLetterOrNumber();
           });
}
} // namespace

void subRemoveBackupLeftovers(const QString &file, const QDateTime &now)
{
    const QFileInfo info(file);
    const QDir folder = info.absoluteDir();
    for (const QFileInfo &entry :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        // A copy being written right now by another program is left alone.
        if (isPassingCopyOf(entry.fileName(), info.fileName()) &&
            entry.lastModified().secsTo(now) > kLeftoverAgeSeconds)
            QFile::remove(entry.absoluteFilePath());
    }
}

void fncBackUpDatabase(Connection &source, const QString &target, const BackupProgress &progress)
{
    if (samePlace(target, source.filePath()))
        throw DatabaseError(SQLITE_MISUSE,
                            QStringLiteral("a backup cannot replace the database in use: ") +
                                target);
    const QFileInfo targetInfo(target);
    subRemoveBackupLeftovers(target);
    // Written under a passing name beside the target, then renamed over it:
    // an existing backup is replaced only by a whole one.
    QTemporaryFile partial(targetInfo.absolutePath() + QStringLiteral("/.") +
                           targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    if (!partial.open())
        throw DatabaseError(SQLITE_CANTOPEN, partial.errorString() + QStringLiteral(": ") + target);
    partial.close(); // the engine takes an empty file as an empty database
    {
        OwnedHandle copy(partial.fileName(), SQLITE_OPEN_READWRITE);
        copyPages(sqliteHandleOf(source), copy, progress, target);
        // The copy of a database in write-ahead mode would be in that mode too.
        run(copy, "PRAGMA main.journal_mode=DELETE", target);
        const QStringList findings = integrityFindings(copy, target);
        if (findings != QStringList{QStringLiteral("ok")})
            throw DatabaseError(SQLITE_CORRUPT, findings.join(QStringLiteral("; ")) +
                                                    QStringLiteral(": ") + target);
    }
    // The copy is as private as the database it copies.
    QFile::setPermissions(partial.fileName(), QFileInfo(source.filePath()).permissions());
    if (std::rename(QFile::encodeName(partial.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        throw DatabaseError(SQLITE_IOERR, QString::fromLocal8Bit(std::strerror(errno)) +
                                              QStringLiteral(": ") + target);
    partial.setAutoRemove(false); // renamed: nothing is left to remove
}

std::optional<DatabaseProblem> fncCheckRestorableDatabase(const QString &path)
{
    if (auto problem = fncCheckDatabaseFile(path, false))
        return problem;
    std::unique_ptr<OwnedHandle> handle;
    QStringList findings;
    try {
        handle = openForReading(path);
        findings = integrityFindings(*handle, path);
    } catch (const DatabaseError &error) {
        const bool notADatabase = (error.number() & 0xff) == SQLITE_NOTADB;
        return DatabaseProblem{
            notADatabase ? DatabaseFault::NotADatabase : DatabaseFault::Inconsistent, path,
            notADatabase ? QStringList() : QStringList{error.description()}};
    }
    if (findings != QStringList{QStringLiteral("ok")})
        return DatabaseProblem{DatabaseFault::Inconsistent, path, findings};
    const int version = textRows(*handle, "PRAGMA main.user_version", path).value(0).toInt();
    if (version > kUserDatabaseVersion)
        return DatabaseProblem{DatabaseFault::NewerVersion,
                               path,
                               {QString::number(version), QString::number(kUserDatabaseVersion)}};
    return fncCheckOpenDatabase(*handle, path, requiredUserSchema(), false);
}

QString fncSetAsidePath(const QString &databasePath, const QString &label, const QDateTime &moment)
{
    const QFileInfo database(databasePath);
    const QString stem = database.completeBaseName() + QLatin1Char(' ') + label + QLatin1Char(' ') +
                         moment.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    const QString suffix = QLatin1Char('.') + database.suffix();
    QString path = database.dir().filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = database.dir().filePath(stem + QStringLiteral(" (%1)").arg(n) + suffix);
    return path;
}

void fncRestoreDatabase(Connection &live, const QString &path, const QString &setAsidePath,
                        const BackupProgress &progress)
{
    if (samePlace(path, live.filePath()))
        throw DatabaseError(SQLITE_MISUSE,
                            QStringLiteral("the database in use cannot be restored over itself: ") +
                                path);
    fncBackUpDatabase(live, setAsidePath, half(progress, 0));

    // The chosen file is brought up to this release in a working copy, at
    // the page size of the database in use (one in write-ahead mode takes
    // pages of its own size only), so that the one change to the database in
    // use is the last copy, whole or not at all.
    // Beside the database in use, never in the system's temporary folder: the
    // statements stay where the user keeps them, and a copy left by a run
    // that was killed is found and removed by the next start.
    const QFileInfo liveInfo(live.filePath());
    QTemporaryFile working(liveInfo.absolutePath() + QStringLiteral("/.") + liveInfo.fileName() +
                           QStringLiteral(".XXXXXX.mdb"));
    if (!working.open())
        throw DatabaseError(SQLITE_CANTOPEN,
                            working.errorString() + QStringLiteral(": ") + working.fileName());
    working.close();
    const int livePageSize = pageSize(sqliteHandleOf(live), live.filePath());
    {
        const auto chosen = openForReading(path);
        OwnedHandle copy(working.fileName(), SQLITE_OPEN_READWRITE);
        copyPages(*chosen, copy, {}, path);
        if (pageSize(copy, path) != livePageSize) {
            run(copy, "PRAGMA main.journal_mode=DELETE", path);
            const QByteArray resize =
                QByteArrayLiteral("PRAGMA main.page_size=") + QByteArray::number(livePageSize);
            run(copy, resize.constData(), path);
            run(copy, "VACUUM", path);
        }
    }
    {
        // A backup from an older release lacks the tables added since.
        Connection upgraded;
        ConnectToFile(upgraded, working.fileName(), QStringLiteral("unknown"));
        subCompleteUserDatabase(upgraded);
        DisconnectFromDB(upgraded);
    }
    OwnedHandle copy(working.fileName(), SQLITE_OPEN_READWRITE);
    copyPages(copy, sqliteHandleOf(live), half(progress, 1), live.filePath());
}
