#pragma once

#include <libpq-fe.h>

// PostgreSQL's client library, loaded the first time the team store needs
// it. Linked to the program, libpq and what it brings (TLS, Kerberos, LDAP:
// some twenty libraries) would join every start, and each symbol the
// program's libraries look up would pass them too, for a team store that
// most users never open.
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
    decltype(&::PQerrorMessage) PQerrorMessage;
    decltype(&::PQexec) PQexec;
    decltype(&::PQexecParams) PQexecParams;
    decltype(&::PQfinish) PQfinish;
    decltype(&::PQgetResult) PQgetResult;
    decltype(&::PQgetisnull) PQgetisnull;
    decltype(&::PQgetvalue) PQgetvalue;
    decltype(&::PQhost) PQhost;
    decltype(&::PQisBusy) PQisBusy;
    decltype(&::PQntuples) PQntuples;
    decltype(&::PQpingParams) PQpingParams;
    decltype(&::PQresultErrorField) PQresultErrorField;
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
