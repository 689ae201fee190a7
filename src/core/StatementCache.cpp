#include "core/StatementCache.h"

#include <QHash>
#include <QStringList>
#include <memory>

namespace {
struct KeptStatements
{
    QHash<QString, std::shared_ptr<QSqlQuery>> bySql;
    QStringList order; // oldest first
};

QHash<QString, KeptStatements> &connections()
{
    static QHash<QString, KeptStatements> kept;
    return kept;
}
} // namespace

namespace statementcache {

QSqlQuery *find(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().constFind(connectionName);
    if (kept == connections().constEnd())
        return nullptr;
    const auto statement = kept->bySql.constFind(sql);
    return statement == kept->bySql.constEnd() ? nullptr : statement->get();
}

QSqlQuery &keep(const QString &connectionName, const QString &sql, QSqlQuery &&query)
{
    KeptStatements &kept = connections()[connectionName];
    if (!kept.bySql.contains(sql))
        kept.order.append(sql);
    auto statement = std::make_shared<QSqlQuery>(std::move(query));
    kept.bySql.insert(sql, statement);
    while (kept.order.size() > kMaxStatements)
        kept.bySql.remove(kept.order.takeFirst());
    return *statement;
}

void drop(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().find(connectionName);
    if (kept == connections().end())
        return;
    kept->bySql.remove(sql);
    kept->order.removeOne(sql);
}

void forget(const QString &connectionName)
{
    connections().remove(connectionName);
}

int size(const QString &connectionName)
{
    return int(connections().value(connectionName).bySql.size());
}

} // namespace statementcache
