#pragma once

#include <libpq-fe.h>

// PostgreSQL's client library, loaded the first time the team store needs
// it (see LibraryOnFirstUse.h): libpq brings some twenty libraries (TLS,
// Kerberos, LDAP) for a team store that most users never open.
struct LibPq
{
    decltype(&::PQclear) PQclear;
    decltype(&::PQconnectPoll) PQconnectPoll;
    decltype(&::PQconnectStartParams) PQconnectStartParams;
    decltype(&::PQconnectionNeedsPassword) PQconnectionNeedsPassword;
    decltype(&::PQconnectionUsedPassword) PQconnectionUsedPassword;
    decltype(&::PQconninfoFree) PQconninfoFree;
    decltype(&::PQconninfoParse) PQconninfoParse;
    decltype(&::PQconsumeInput) PQconsumeInput;
    decltype(&::PQdb) PQdb;
    decltype(&::PQenterPipelineMode) PQenterPipelineMode;
    decltype(&::PQerrorMessage) PQerrorMessage;
    decltype(&::PQexec) PQexec;
    decltype(&::PQexecParams) PQexecParams;
    decltype(&::PQexitPipelineMode) PQexitPipelineMode;
    decltype(&::PQfinish) PQfinish;
    decltype(&::PQgetResult) PQgetResult;
    decltype(&::PQgetisnull) PQgetisnull;
    decltype(&::PQgetvalue) PQgetvalue;
    decltype(&::PQhost) PQhost;
    decltype(&::PQisBusy) PQisBusy;
    decltype(&::PQntuples) PQntuples;
    decltype(&::PQpipelineStatus) PQpipelineStatus;
    decltype(&::PQpipelineSync) PQpipelineSync;
    decltype(&::PQpingParams) PQpingParams;
    decltype(&::PQresultErrorField) PQresultErrorField;
    decltype(&::PQresultErrorMessage) PQresultErrorMessage;
    decltype(&::PQresultStatus) PQresultStatus;
    decltype(&::PQsendQueryParams) PQsendQueryParams;
    decltype(&::PQsetClientEncoding) PQsetClientEncoding;
    decltype(&::PQsetNoticeProcessor) PQsetNoticeProcessor;
    decltype(&::PQsocket) PQsocket;
    decltype(&::PQstatus) PQstatus;
};

// The library's functions; throws StoreError (Unreachable, naming the
// library) when libpq is not installed or lacks one of them.
const LibPq &libpq();
