#include "store/CurrentStore.h"

#include "core/AppState.h"
#include "store/SqliteStatementStore.h"

namespace {
std::unique_ptr<StatementStore> &chosen()
{
    static std::unique_ptr<StatementStore> store;
    return store;
}

// Follows AppState's user connection, which start-up (and each test) opens.
std::unique_ptr<SqliteStatementStore> &local()
{
    static std::unique_ptr<SqliteStatementStore> store;
    return store;
}
} // namespace

StatementStore &statementStore()
{
    if (chosen())
        return *chosen();
    const Connection &user = appState().gcnUser;
    if (!local() || local()->connection().connectionName() != user.connectionName())
        local() = std::make_unique<SqliteStatementStore>(user);
    return *local();
}

void setStatementStore(std::unique_ptr<StatementStore> store)
{
    chosen() = std::move(store);
}
