#include "session/AppSession.h"

#include "core/AppState.h"
#include "store/CurrentStore.h"

StatementSession &appSession()
{
    static StatementSession session([]() -> StatementStore & { return statementStore(); },
                                    [] {
                                        const AppState &state = appState();
                                        return SessionChoices{
                                            state.gintLanguage,
                                            DatasetChoice{state.gintVolume, state.gstrRegion}};
                                    });
    return session;
}
