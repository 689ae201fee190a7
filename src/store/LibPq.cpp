#include "store/LibPq.h"

#include "core/LibraryOnFirstUse.h"
#include "store/StoreError.h"

const LibPq &libpq()
{
    const auto &loaded = libraryOnFirstUse<LibPq>("pq", 5, [](LibPq &f, LibrarySymbols &resolve) {
#define QUORVEL_RESOLVE(name) resolve(f.name, #name)
        QUORVEL_RESOLVE(PQclear);
        QUORVEL_RESOLVE(PQconnectPoll);
        QUORVEL_RESOLVE(PQconnectStartParams);
        QUORVEL_RESOLVE(PQconnectionNeedsPassword);
        QUORVEL_RESOLVE(PQconnectionUsedPassword);
        QUORVEL_RESOLVE(PQconninfoFree);
        QUORVEL_RESOLVE(PQconninfoParse);
        QUORVEL_RESOLVE(PQconsumeInput);
        QUORVEL_RESOLVE(PQdb);
        QUORVEL_RESOLVE(PQenterPipelineMode);
        QUORVEL_RESOLVE(PQerrorMessage);
        QUORVEL_RESOLVE(PQexec);
        QUORVEL_RESOLVE(PQexecParams);
        QUORVEL_RESOLVE(PQexitPipelineMode);
        QUORVEL_RESOLVE(PQfinish);
        QUORVEL_RESOLVE(PQgetResult);
        QUORVEL_RESOLVE(PQgetisnull);
        QUORVEL_RESOLVE(PQgetvalue);
        QUORVEL_RESOLVE(PQhost);
        QUORVEL_RESOLVE(PQisBusy);
        QUORVEL_RESOLVE(PQntuples);
        QUORVEL_RESOLVE(PQpipelineStatus);
        QUORVEL_RESOLVE(PQpipelineSync);
        QUORVEL_RESOLVE(PQpingParams);
        QUORVEL_RESOLVE(PQresultErrorField);
        QUORVEL_RESOLVE(PQresultErrorMessage);
        QUORVEL_RESOLVE(PQresultStatus);
        QUORVEL_RESOLVE(PQsendQueryParams);
        QUORVEL_RESOLVE(PQsetClientEncoding);
        QUORVEL_RESOLVE(PQsetNoticeProcessor);
        QUORVEL_RESOLVE(PQsocket);
        QUORVEL_RESOLVE(PQstatus);
#undef QUORVEL_RESOLVE
    });
    if (!loaded.failure.isEmpty())
        throw StoreError(StoreError::Kind::Unreachable, QStringLiteral("libpq"),
                         QStringLiteral("the PostgreSQL client library could not be loaded: ") +
                             loaded.failure);
    return loaded.functions;
}
