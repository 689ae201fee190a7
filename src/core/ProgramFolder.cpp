#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &overrideFolder()
{
    static QString folder;
    return folder;
}

QString installedDataFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QLatin1String("/../share/quorvel"));
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

ProgramLayout programLayout()
{
    const QString folder = ProgramFolder();
    const QLatin1String reference(kReferenceDatabaseFile);
    // A reference database beside the executable wins, so a build folder
    // keeps working whatever is installed elsewhere.
    if (QFileInfo::exists(folder + QLatin1Char('/') + reference))
        return ProgramLayout::ProgramFolder;
    if (folder.endsWith(QLatin1String("/bin")) &&
        QFileInfo::exists(installedDataFolder(folder) + QLatin1Char('/') + reference))
        return ProgramLayout::Installed;
    return ProgramLayout::ProgramFolder;
}

QString DataFolder()
{
    const QString folder = ProgramFolder();
    return programLayout() == ProgramLayout::Installed ? installedDataFolder(folder) : folder;
}

QString UserDatabasePath()
{
    if (programLayout() == ProgramLayout::ProgramFolder)
        return ProgramFolder() + QLatin1Char('/') + QLatin1String(kUserDatabaseFile);
    // The user's data folder (~/.local/share/Quorvel, or under XDG_DATA_HOME),
    // named here rather than through the application's name so that the
    // program and the command line share it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String("/Quorvel/") + QLatin1String(kUserDatabaseFile);
}

QString UserDatabaseTemplatePath()
{
    if (programLayout() == ProgramLayout::ProgramFolder)
        return QString();
    return DataFolder() + QLatin1Char('/') + QLatin1String(kUserDatabaseFile);
}
