#include "core/SafeWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The bytes reach the disk before the name does, so that a power cut never
// leaves the new name on an empty file.
bool syncToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// A file the program writes is readable as any file the user makes; one it
// replaces keeps its own permissions.
void givePermissions(const QString &temporary, const QString &target)
{
    mode_t mode = 0;
    struct stat existing;
    if (::stat(QFile::encodeName(target).constData(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(QFile::encodeName(temporary).constData(), mode);
}
} // namespace

bool fncWriteThroughTemporary(const QString &path,
                              const std::function<bool(const QString &temporaryPath)> &write)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absoluteDir().filePath(QLatin1Char('.') + target.fileName() +
                                                           QStringLiteral(".XXXXXX")));
    if (!temporary.open())
        return false;
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    if (!write(temporaryPath) || !syncToDisk(temporaryPath))
        return false; // the temporary file goes with `temporary`
    givePermissions(temporaryPath, path);
    if (std::rename(QFile::encodeName(temporaryPath).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    temporary.setAutoRemove(false); // it is the target now
    return true;
}
