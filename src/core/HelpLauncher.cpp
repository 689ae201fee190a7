#include "core/HelpLauncher.h"

#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/ProgramFolder.h"

#include <QProcess>

namespace {

// The number of the platform's "file not found" error.
constexpr int kViewerNotStarted = 53;

ProcessStarter &processStarter()
{
    static ProcessStarter starter;
    return starter;
}

bool startProcess(const QString &program, const QStringList &arguments)
{
    if (processStarter())
        return processStarter()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

// Arguments go as a list, so paths with blanks stay whole; without a file
// the viewer gets no argument at all rather than an empty one.
void startViewer(const QStringList &arguments)
{
    const QString viewer = appState().gstrHelpViewer;
    if (!startProcess(viewer, arguments))
        throw DatabaseError(kViewerNotStarted,
                            QStringLiteral("The help viewer could not be started: ") + viewer);
}

} // namespace

void setProcessStarter(ProcessStarter starter)
{
    processStarter() = std::move(starter);
}

QString fncHelpFilePath(const QString &topic, qint16 language)
{
    const bool english = language == 0;
    const char *name = nullptr;
    if (topic == QLatin1String("Contents"))
        name = english ? kConceptsHelpEnglish : kConceptsHelpFrench;
    else if (topic == QLatin1String("Tech"))
        name = english ? kTechHelpEnglish : kTechHelpFrench;
    if (name == nullptr)
        return QString();
    return ProgramFolder() + QLatin1Char('/') + QLatin1String(name);
}

void gsubLaunchHelpFile(const QString &topic)
{
    const QString helpFile = fncHelpFilePath(topic, appState().gintLanguage);
    startViewer(helpFile.isEmpty() ? QStringList() : QStringList{helpFile});
}

void GetHelpTopic(const QString &helpFile, qint32 topicId)
{
    startViewer({ProgramFolder() + QLatin1Char('/') + helpFile, QStringLiteral("--topic"),
                 QString::number(topicId)});
}
