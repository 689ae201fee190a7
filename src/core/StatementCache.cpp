#include "core/StatementCache.h"

#include <QCoreApplication>
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

// A statement's text is hashed on every run. The texts are long (an insert
// of a hundred columns runs to several thousand characters) and differ in
// their length, their table names and their ends, so the hash reads the
// length, both ends and a sample between them, not every character; the
// map still compares whole texts.
struct SqlHash
{
    size_t operator()(const QString &sql) const noexcept
    {
        constexpr qsizetype kEnd = 32;
        constexpr qsizetype kSamples = 32;
        const QChar *text = sql.constData();
        const qsizetype size = sql.size();
        size_t hash = 1469598103934665603ull ^ size_t(size);
        const auto mix = [&hash](QChar unit) { hash = (hash ^ unit.unicode()) * 1099511628211ull; };
        if (size <= 2 * kEnd + kSamples) {
            for (qsizetype i = 0; i < size; ++i)
                mix(text[i]);
            return hash;
        }
        for (qsizetype i = 0; i < kEnd; ++i)
            mix(text[i]);
        const qsizetype step = (size - 2 * kEnd) / kSamples;
        for (qsizetype i = 0; i < kSamples; ++i)
            mix(text[kEnd + i * step]);
        for (qsizetype i = size - kEnd; i < size; ++i)
            mix(text[i]);
        return hash;
    }
};

struct KeptStatements
{
    std::unordered_map<QString, OwnedStatement, SqlHash> bySql;
    quint64 uses = 0; // the clock of the statements' last uses
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

// Makes room by finalizing the statement used least recently.
void dropLeastRecent(KeptStatements &kept)
{
    auto oldest = kept.bySql.begin();
    for (auto it = kept.bySql.begin(); it != kept.bySql.end(); ++it)
        if (it->second->lastUse < oldest->second->lastUse)
            oldest = it;
    kept.bySql.erase(oldest);
}
} // namespace

namespace statementcache {

KeptStatement *find(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().find(connectionName);
    if (kept == connections().end())
        return nullptr;
    const auto statement = kept->second.bySql.find(sql);
    if (statement == kept->second.bySql.end())
        return nullptr;
    statement->second->lastUse = ++kept->second.uses;
    return statement->second.get();
}

KeptStatement *keep(const QString &connectionName, const QString &sql, sqlite3_stmt *statement)
{
    KeptStatements &kept = connections()[connectionName];
    OwnedStatement &slot = kept.bySql[sql];
    slot.reset(new KeptStatement{statement, {}, -1, ++kept.uses});
    KeptStatement *added = slot.get();
    while (kept.bySql.size() > size_t(kMaxStatements))
        dropLeastRecent(kept);
    return added;
}

void drop(const QString &connectionName, const QString &sql)
{
    const auto kept = connections().find(connectionName);
    if (kept != connections().end())
        kept->second.bySql.erase(sql);
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
