#pragma once

#include "core/DbTools.h"

#include <QString>

// What one worker of a batch export prepares and reads its reports in: the
// reference database, read-only, on a connection of its own, and a work
// database file of its own holding the report tables (work tables, titles,
// notes and the texts they copy from), so that workers never write the same
// table. The statements themselves are not copied: the batch reads them from
// the store and hands them over.

// Creates the work database file at `workPath` (it must not exist) with the
// report tables of the user database, their rows and their layout, through
// the caller's connection to the user database.
void fncCopyReportTables(Connection &user, const QString &workPath);

// A worker's connections, opened on the worker's thread and closed with it.
class BatchWorkspace
{
public:
    BatchWorkspace(const QString &referencePath, const QString &workPath);
    ~BatchWorkspace();
    BatchWorkspace(const BatchWorkspace &) = delete;
    BatchWorkspace &operator=(const BatchWorkspace &) = delete;

    Connection reference;
    Connection work;
};
