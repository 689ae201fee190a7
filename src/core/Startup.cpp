#include "core/Startup.h"

#include "core/AddedUserTables.h"
#include "core/AppState.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "entry/frmStart.h"

void Main()
{
    AppState &state = appState();
    ConnectToFile(state.gcnReference,
                  ProgramFolder() + QLatin1Char('/') + QLatin1String(kReferenceDatabaseFile),
                  QStringLiteral("unknown"), OpenMode::ReadOnly);
    ConnectToFile(state.gcnUser,
                  ProgramFolder() + QLatin1Char('/') + QLatin1String(kUserDatabaseFile),
                  QStringLiteral("unknown"), OpenMode::ReadWrite);
    subEnsureAddedUserTables(state.gcnUser);
    state.gblnKeepFirmForm = false;
    state.gstrHelpViewer = ProgramFolder() + QLatin1Char('/') + QLatin1String(kHelpViewerFile);
    ScreenRegistry::get<frmStart>().showScreen();
}
