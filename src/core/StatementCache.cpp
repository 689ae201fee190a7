#include "core/StatementCache.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <memory>
#include <sqlite3.h>
#include <unordered_map>

namespace {
using statementcache::KeptStatement;

struct Finalize
{
    void operator()(KeptStatement *kept) const
    {
        sqlite3_finalize(kept->statement);
        delete kept;
    }
};
using OwnedStatement = std::unique_ptr<KeptStatement, Finalize>;

struct KeptStatements
{
    std::unordered_map<QString, OwnedStatement> bySql;
    QStringList order; // oldest first
};

std::unordered_map<QString, KeptStatements> &connections()
{
    // Each thread keeps the statements of the connections it opened: a
    // connection is used on its own thread only.
    thread_local std::unordered_map<QString, KeptStatements> kept = [] {
        // Connections left open when the program ends are closed after the
        // application object is gone; their statements must be finalized
        // before, or SQLite cannot close them.
        if (QCoreApplication::instance() &&
            QThread::currentThread() == QCoreApplication::instance()->thread())
            qAddPostRoutine([] { connections().clear(); });
        return std::unordered_map<QString, KeptStatements>();
    }();
    return kept;
}
} // namespace

namespace statementcache {

KeptStatement *find(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().find(connectionName);
    if (kept == connections().end())
        return nullptr;
    const auto statement = kept->second.bySql.find(sql);
    return statement == kept->second.bySql.end() ? nullptr : statement->second.get();
}

KeptStatement *keep(const QString &connectionName, const QString &sql, sqlite3_stmt *statement)
{
    KeptStatements &kept = connections()[connectionName];
    OwnedStatement &slot = kept.bySql[sql];
    if (!slot)
        kept.order.append(sql);
    slot.reset(new KeptStatement{statement, {}, -1});
    KeptStatement *added = slot.get();
    while (kept.order.size() > kMaxStatements)
        kept.bySql.erase(kept.order.takeFirst());
    return added;
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
