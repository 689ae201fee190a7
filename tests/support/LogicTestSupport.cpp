#include "support/LogicTestSupport.h"

#include "benchmarks/BenchmarkColumns.h"
#include "benchmarks/BenchmarkSets.h"
#include "core/AppState.h"
#include "core/DbTools.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace testsupport {

QString programFile(const QString &name)
{
    if (name == QLatin1String("myData.mdb"))
        return QStringLiteral(QUORVEL_FRESH_USER_DB);
    return QStringLiteral(QUORVEL_PROGRAM_DIR) + QLatin1Char('/') + name;
}

bool copyProgramFiles(const QTemporaryDir &dir, const QStringList &names)
{
    for (const QString &name : names) {
        const QString target = dir.filePath(name);
        QFile::remove(target);
        if (!QFile::copy(programFile(name), target))
            return false;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

bool openShippedDatabases(const QTemporaryDir &dir)
{
    if (!copyProgramFiles(dir, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb")}))
        return false;
    AppState &state = appState();
    ConnectToFile(state.gcnReference, dir.filePath(QStringLiteral("ROV_DATA.mdb")),
                  QStringLiteral("unknown"), OpenMode::ReadOnly);
    ConnectToFile(state.gcnUser, dir.filePath(QStringLiteral("myData.mdb")),
                  QStringLiteral("unknown"), OpenMode::ReadWrite);
    return state.gcnReference.isOpen() && state.gcnUser.isOpen();
}

EndRecorder::EndRecorder()
{
    setEndProgramHandler([this](int code) {
        exitCodes.append(code);
        throw ProgramEnded{code};
    });
}

EndRecorder::~EndRecorder()
{
    setEndProgramHandler({});
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_soft);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_handler);
}

std::optional<BenchmarkSetInfo> loadOneIndustrySet(const QString &folder, const QString &name,
                                                   const QString &source)
{
    QFile pack(QDir(folder).filePath(QStringLiteral("pack.csv")));
    if (!pack.open(QIODevice::WriteOnly))
        return std::nullopt;
    QStringList header;
    for (const PackColumn &column : packColumns())
        header << column.name;
    pack.write(header.join(QLatin1Char(',')).toUtf8() + "\n3,ON,2021,1111,40\n");
    pack.close();
    return loadBenchmarkSet(pack.fileName(), QString(), name, source).set;
}

} // namespace testsupport
