#include "core/HelpLauncher.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QProcess>

namespace {

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
// the viewer gets no argument at all rather than an empty one. A viewer that
// does not start is said, and the program goes on: the statement being
// typed must not be lost for a help window.
bool startViewer(const QStringList &arguments)
{
    const QString viewer = appState().gstrHelpViewer;
    if (startProcess(viewer, arguments))
        return true;
    const QString text = appState().isFrench()
                             ? QStringLiteral("Le visualiseur d'aide n'a pas pu être démarré : ")
                             : QStringLiteral("The help viewer could not be started: ");
    ShowMessage(text + QDir::toNativeSeparators(viewer), MsgButtons::Ok, MsgIcon::Warning);
    return false;
}

} // namespace

void setProcessStarter(ProcessStarter starter)
{
    processStarter() = std::move(starter);
}

QString fncHelpFilePath(const QString &topic, Language language)
{
    const bool english = language == Language::English;
    const char *name = nullptr;
    if (topic == QLatin1String("Contents"))
        name = english ? kConceptsHelpEnglish : kConceptsHelpFrench;
    else if (topic == QLatin1String("Tech"))
        name = english ? kTechHelpEnglish : kTechHelpFrench;
    if (name == nullptr)
        return QString();
    return DataFolder() + QLatin1Char('/') + QLatin1String(name);
}

bool gsubLaunchHelpFile(const QString &topic)
{
    const QString helpFile = fncHelpFilePath(topic, appState().gintLanguage);
    return startViewer(helpFile.isEmpty() ? QStringList() : QStringList{helpFile});
}

bool gsubLaunchHelpTopic(const QString &topic, qint32 topicId)
{
    const QString helpFile = fncHelpFilePath(topic, appState().gintLanguage);
    if (helpFile.isEmpty())
        return startViewer({});
    return startViewer({helpFile, QStringLiteral("--topic"), QString::number(topicId)});
}

bool GetHelpTopic(const QString &helpFile, qint32 topicId)
{
    return startViewer({DataFolder() + QLatin1Char('/') + helpFile, QStringLiteral("--topic"),
                        QString::number(topicId)});
}
