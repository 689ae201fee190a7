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
#include <exception>
#include <thread>

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

// What the checks of the databases found before the first window.
struct StartChecks
{
    // The chosen benchmark set cannot be used; the sample serves instead.
    std::optional<DatabaseProblem> setRefused;
    // The program cannot start.
    std::optional<DatabaseProblem> fatal;
    // An error of the database layer, given to the window's thread.
    std::exception_ptr error;
};

// The benchmark set and the user's database are checked, and an older user
// database completed, on connections of the check's own, in the order the
// program always took: nothing of the user's file is touched unless the
// benchmarks can be used.
StartChecks checkDatabases(const BenchmarkSetInfo &chosen, const QString &userDatabase)
{
    StartChecks checks;
    try {
        Connection probe;
        if (const auto problem = openBenchmarkSet(probe, chosen)) {
            if (chosen.sample) {
                checks.fatal = problem;
                return checks;
            }
            checks.setRefused = problem;
            if (const auto sampleProblem = openBenchmarkSet(probe, sampleBenchmarks())) {
                checks.fatal = sampleProblem;
                return checks;
            }
        }
        DisconnectFromDB(probe);
        if (programLayout() == ProgramLayout::Installed)
            if (const auto problem =
                    fncProvideUserDatabase(userDatabase, UserDatabaseTemplatePath())) {
                checks.fatal = problem;
                return checks;
            }
        // The tables added since the first release are created when an
        // older user database lacks them, and its title tables refreshed.
        Connection user;
        if (const auto problem = fncOpenCheckedDatabase(user, userDatabase, requiredUserSchema(),
                                                        OpenMode::ReadWrite)) {
            checks.fatal = problem;
            return checks;
        }
        subCompleteUserDatabase(user);
        DisconnectFromDB(user);
        // A backup or restore killed halfway left its passing copy beside the file.
        subRemoveBackupLeftovers(userDatabase);
    } catch (...) {
        checks.error = std::current_exception();
    }
    return checks;
}
} // namespace

void Main()
{
    AppState &state = appState();
    const BenchmarkSetInfo chosen = useBenchmarkSetNamed(rememberedBenchmarkSet());
    const QString userDatabase = UserDatabasePath();
    // The checks read every table's columns of both files, the start screen
    // waits for the fonts: each on a core of its own. Nothing shows before
    // both files have passed.
    StartChecks checks;
    std::thread checking([&] { checks = checkDatabases(chosen, userDatabase); });
    frmStart *start = nullptr;
    try {
        start = &ScreenRegistry::get<frmStart>();
    } catch (...) {
        checking.join();
        throw;
    }
    checking.join();
    if (checks.error)
        std::rethrow_exception(checks.error);
    // The set the user chose cannot be used: the user is told, and the
    // shipped sample serves instead.
    if (checks.setRefused) {
        ShowMessage(fncDatabaseProblemMessage(*checks.setRefused), MsgButtons::Ok,
                    MsgIcon::Warning);
        if (!checks.fatal) {
            setBenchmarksInUse(sampleBenchmarks());
            start->showReferenceYears();
        }
    }
    if (checks.fatal)
        refuseToStart(*checks.fatal);
    fncOpenCheckedBefore(state.gcnReference, benchmarksInUse().path, OpenMode::ReadOnly);
    fncOpenCheckedBefore(state.gcnUser, userDatabase, OpenMode::ReadWrite);
    state.gblnKeepFirmForm = false;
    state.gstrHelpViewer = ProgramFolder() + QLatin1Char('/') + QLatin1String(kHelpViewerFile);
    // The saved statements may be on the team database the user chose.
    subOpenChosenStore(nullptr);
    start->showScreen();
}
