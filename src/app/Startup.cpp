#include "app/Startup.h"

#include "core/AddedUserTables.h"
#include "core/AppState.h"
#include "core/DatabaseCheck.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "core/TitleTables.h"
#include "entry/frmStart.h"

#include <cstdio>

namespace {
// A database the program cannot use as it is ends the start before anything
// opens it for good, so nothing in it is created or rewritten.
void checkDatabase(const char *fileName, const DatabaseSchema &schema, bool needsWrites)
{
    const QString path = ProgramFolder() + QLatin1Char('/') + QLatin1String(fileName);
    const std::optional<DatabaseProblem> problem = fncCheckDatabaseFile(path, schema, needsWrites);
    if (!problem)
        return;
    const QString message = fncDatabaseProblemMessage(*problem);
    std::fprintf(stderr, "quorvel: %s\n", qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
    ShowMessage(message, MsgButtons::Ok, MsgIcon::Critical);
    EndProgram(1);
}
} // namespace

void Main()
{
    AppState &state = appState();
    checkDatabase(kReferenceDatabaseFile,
                  DatabaseSchema::shipped(QLatin1String(kReferenceDatabaseFile)), false);
    // The tables added since the first release are created below when an
    // older user database lacks them, and its title tables are refreshed.
    checkDatabase(kUserDatabaseFile,
                  DatabaseSchema::shipped(QLatin1String(kUserDatabaseFile))
                      .without(addedUserTables() + titleTables()),
                  true);
    ConnectToFile(state.gcnReference,
                  ProgramFolder() + QLatin1Char('/') + QLatin1String(kReferenceDatabaseFile),
                  QStringLiteral("unknown"), OpenMode::ReadOnly);
    ConnectToFile(state.gcnUser,
                  ProgramFolder() + QLatin1Char('/') + QLatin1String(kUserDatabaseFile),
                  QStringLiteral("unknown"), OpenMode::ReadWrite);
    subEnsureAddedUserTables(state.gcnUser);
    subRefreshTitleTables(state.gcnUser);
    state.gblnKeepFirmForm = false;
    state.gstrHelpViewer = ProgramFolder() + QLatin1Char('/') + QLatin1String(kHelpViewerFile);
    ScreenRegistry::get<frmStart>().showScreen();
}
