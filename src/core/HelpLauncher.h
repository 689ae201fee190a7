#pragma once

#include "core/Language.h"

#include <QString>
#include <QStringList>
#include <functional>

// Opens the help documents by starting the help viewer program of the
// program folder as a separate process, without waiting for it.

// Help file names in the program folder.
inline constexpr const char *kConceptsHelpEnglish = "ROVA_ConceptsHelp_Eng.qch";
inline constexpr const char *kConceptsHelpFrench = "ROVA_ConceptsHelp_Fre.qch";
inline constexpr const char *kTechHelpEnglish = "ROVA_Tech_Help_Eng.qch";
inline constexpr const char *kTechHelpFrench = "ROVA_Tech_Help_Fre.qch";

// The topic id of the license agreement in the concepts help files.
inline constexpr int kLicenseAgreementTopic = 9999;

// Topic ids of the pages the Help menus open directly: in the concepts help,
// importing, the team database and backups; in the technical help, the
// command line.
inline constexpr int kImportTopic = 2010;
inline constexpr int kTeamDatabaseTopic = 2020;
inline constexpr int kBackupTopic = 2030;
inline constexpr int kCommandLineTopic = 3010;

// Starts `program` with `arguments` and returns whether it started.
using ProcessStarter = std::function<bool(const QString &program, const QStringList &arguments)>;

// Replaces the way processes are started (an empty starter restores the
// detached start of a real process). Tests record the command lines instead.
void setProcessStarter(ProcessStarter starter);

// The help file for a topic ("Contents" or "Tech", exact case) in a language:
// its full path in the program folder,
// or an empty text for any other topic.
QString fncHelpFilePath(const QString &topic, Language language);

// Opens the general ("Contents") or technical ("Tech") help in the current
// language; any other topic starts the viewer with no file. A viewer that
// cannot be started gives a message; the result says whether it started.
bool gsubLaunchHelpFile(const QString &topic);

// Opens the general ("Contents") or technical ("Tech") help in the current
// language at the topic `topicId`.
bool gsubLaunchHelpTopic(const QString &topic, qint32 topicId);

// Opens the help file `helpFile` (a name in the program folder) at the topic
// `topicId`. A viewer that cannot be started gives a message; the result
// says whether it started.
bool GetHelpTopic(const QString &helpFile, qint32 topicId);
