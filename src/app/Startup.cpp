#include "app/Startup.h"

#include "benchmarks/BenchmarkSets.h"
#include "core/AddedUserTables.h"
#include "core/AppState.h"
#include "core/DatabaseCheck.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "core/UserDatabaseBackup.h"
#include "entry/frmStart.h"
#include "widgets/StatementsLocation.h"

#include <cstdio>

namespace {
// A database the program cannot use as it is ends the start before anything
// else uses it, so nothing in it is created or rewritten.
[[noreturn]] void refuseToStart(const DatabaseProblem &problem)
{
    const QString message = fncDatabaseProblemMessage(problem);
    std::fprintf(stderr, "quorvel: %s\n", qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
    ShowMessage(message, MsgButtons::Ok, MsgIcon::Critical);
    EndProgram(1);
}

void openDatabase(Connection &connection, const QString &path, const DatabaseSchema &schema,
                  OpenMode mode)
{
    if (const auto problem = fncOpenCheckedDatabase(connection, path, schema, mode))
        refuseToStart(*problem);
}
} // namespace

void Main()
{
    AppState &state = appState();
    // The benchmark set the user chose; when its file cannot be used, the
    // user is told and the shipped sample serves instead.
    if (const auto problem =
            openBenchmarkSet(state.gcnReference, useBenchmarkSetNamed(rememberedBenchmarkSet()))) {
        if (benchmarksInUse().sample)
            refuseToStart(*problem);
        ShowMessage(fncDatabaseProblemMessage(*problem), MsgButtons::Ok, MsgIcon::Warning);
        setBenchmarksInUse(sampleBenchmarks());
        if (const auto sampleProblem = openBenchmarkSet(state.gcnReference, benchmarksInUse()))
            refuseToStart(*sampleProblem);
    }
    const QString userDatabase = UserDatabasePath();
    if (programLayout() == ProgramLayout::Installed)
        if (const auto problem = fncProvideUserDatabase(userDatabase, UserDatabaseTemplatePath()))
            refuseToStart(*problem);
    // The tables added since the first release are created below when an
    // older user database lacks them, and its title tables are refreshed.
    openDatabase(state.gcnUser, userDatabase, requiredUserSchema(), OpenMode::ReadWrite);
    subCompleteUserDatabase(state.gcnUser);
    // A backup or restore killed halfway left its passing copy beside the file.
    subRemoveBackupLeftovers(userDatabase);
    state.gblnKeepFirmForm = false;
    state.gstrHelpViewer = ProgramFolder() + QLatin1Char('/') + QLatin1String(kHelpViewerFile);
    // The saved statements may be on the team database the user chose.
    subOpenChosenStore(nullptr);
    ScreenRegistry::get<frmStart>().showScreen();
}
