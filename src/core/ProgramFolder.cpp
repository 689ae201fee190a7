#include "core/ProgramFolder.h"

#include <QCoreApplication>

namespace {
QString &overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder()
{
    QString folder =
        overrideFolder().isEmpty() ? QCoreApplication::applicationDirPath() : overrideFolder();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

void setProgramFolderOverride(const QString &folder)
{
    overrideFolder() = folder;
}
