#include "core/StatementCache.h"

#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <sqlite3.h>
#include <unordered_map>

namespace {
struct Finalize
{
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using KeptStatement = std::unique_ptr<sqlite3_stmt, Finalize>;

struct KeptStatements
{
    std::unordered_map<QString, KeptStatement> bySql;
    QStringList order; // oldest first
};

std::unordered_map<QString, KeptStatements> &connections()
{
    static std::unordered_map<QString, KeptStatements> kept = [] {
        // Connections left open when the program ends are closed after the
        // application object is gone; their statements must be finalized
        // before, or SQLite cannot close them.
        if (QCoreApplication::instance())
            qAddPostRoutine([] { connections().clear(); });
        return std::unordered_map<QString, KeptStatements>();
    }();
    return kept;
}
} // namespace

namespace statementcache {

sqlite3_stmt *find(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().find(connectionName);
    if (kept == connections().end())
        return nullptr;
    const auto statement = kept->second.bySql.find(sql);
    return statement == kept->second.bySql.end() ? nullptr : statement->second.get();
}

sqlite3_stmt *keep(const QString &connectionName, const QString &sql, sqlite3_stmt *statement)
{
    KeptStatements &kept = connections()[connectionName];
    KeptStatement &slot = kept.bySql[sql];
    if (!slot)
        kept.order.append(sql);
    slot.reset(statement);
    while (kept.order.size() > kMaxStatements)
        kept.bySql.erase(kept.order.takeFirst());
    return statement;
}

void drop(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().find(connectionName);
    if (kept == connections().end())
        return;
    if (kept->second.bySql.erase(sql) > 0)
        kept->second.order.removeOne(sql);
}

void forget(const QString &connectionName)
{
    connections().erase(connectionName);
}

int size(const QString &connectionName)
{
    const auto kept = connections().find(connectionName);
    return kept == connections().end() ? 0 : int(kept->second.bySql.size());
}

} // namespace statementcache
