#include "support/StateScope.h"

#include "core/DbTools.h"
#include "core/ProgramExit.h"
#include "core/ProgramFolder.h"
#include "core/ProgramLanguage.h"
#include "session/AppSession.h"
#include "store/CurrentStore.h"

#include <vector>

namespace testsupport {

namespace {
std::vector<std::function<void()>> &addedResets()
{
    static std::vector<std::function<void()>> resets;
    return resets;
}

// Closes `current` unless it is the connection the scope began with.
void closeIfOpenedSince(Connection &current, const Connection &saved)
{
    if (current.connectionName() != saved.connectionName())
        DisconnectFromDB(current);
}
} // namespace

void StateScope::addReset(std::function<void()> reset)
{
    addedResets().push_back(std::move(reset));
}

void StateScope::resetGlobals()
{
    // The screens first: closing one may still read the state below.
    for (const std::function<void()> &reset : addedResets())
        reset();
    setEndProgramHandler({});
    setProgramFolderOverride(QString());
    setStatementStore(nullptr);
    appSession().chooseIndustry(std::nullopt);
    appSession().forgetOpened();
}

StateScope::StateScope() : m_saved(appState())
{
    resetGlobals();
    AppState fresh;
    fresh.gcnReference = m_saved.gcnReference;
    fresh.gcnUser = m_saved.gcnUser;
    appState() = fresh;
    setProgramLanguage(Language::English);
}

StateScope::~StateScope()
{
    resetGlobals();
    AppState &state = appState();
    closeIfOpenedSince(state.gcnReference, m_saved.gcnReference);
    closeIfOpenedSince(state.gcnUser, m_saved.gcnUser);
    state = m_saved;
    setProgramLanguage(m_saved.gintLanguage);
}

} // namespace testsupport
