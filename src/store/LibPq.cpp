#include "store/LibPq.h"

#include "store/StoreError.h"

#include <QLibrary>
#include <mutex>

namespace {
// Fills the table, or gives what was missing.
QString load(LibPq &table)
{
    // Never unloaded: connections may be open until the process ends.
    static QLibrary library(QStringLiteral("pq"), 5);
    if (!library.load())
        return library.errorString();
    QString missing;
    const auto resolve = [&missing](auto &function, const char *name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        if (!function)
            missing = QStringLiteral("libpq.so.5 has no %1").arg(QLatin1String(name));
    };
#define QUORVEL_RESOLVE(name) resolve(table.name, #name)
    QUORVEL_RESOLVE(PQclear);
    QUORVEL_RESOLVE(PQconnectPoll);
    QUORVEL_RESOLVE(PQconnectStartParams);
    QUORVEL_RESOLVE(PQconnectionNeedsPassword);
    QUORVEL_RESOLVE(PQconnectionUsedPassword);
    QUORVEL_RESOLVE(PQconninfoFree);
    QUORVEL_RESOLVE(PQconninfoParse);
    QUORVEL_RESOLVE(PQconsumeInput);
    QUORVEL_RESOLVE(PQdb);
    QUORVEL_RESOLVE(PQerrorMessage);
    QUORVEL_RESOLVE(PQexec);
    QUORVEL_RESOLVE(PQexecParams);
    QUORVEL_RESOLVE(PQfinish);
    QUORVEL_RESOLVE(PQgetResult);
    QUORVEL_RESOLVE(PQgetisnull);
    QUORVEL_RESOLVE(PQgetvalue);
    QUORVEL_RESOLVE(PQhost);
    QUORVEL_RESOLVE(PQisBusy);
    QUORVEL_RESOLVE(PQntuples);
    QUORVEL_RESOLVE(PQpingParams);
    QUORVEL_RESOLVE(PQresultErrorField);
    QUORVEL_RESOLVE(PQresultStatus);
    QUORVEL_RESOLVE(PQsendQueryParams);
    QUORVEL_RESOLVE(PQsetClientEncoding);
    QUORVEL_RESOLVE(PQsetNoticeProcessor);
    QUORVEL_RESOLVE(PQsocket);
    QUORVEL_RESOLVE(PQstatus);
#undef QUORVEL_RESOLVE
    return missing;
}
} // namespace

const LibPq &libpq()
{
    static LibPq table{};
    static QString failure;
    static std::once_flag loaded;
    std::call_once(loaded, [] { failure = load(table); });
    if (!failure.isEmpty())
        throw StoreError(StoreError::Kind::Unreachable, QStringLiteral("libpq"),
                         QStringLiteral("the PostgreSQL client library could not be loaded: ") +
                             failure);
    return table;
}
