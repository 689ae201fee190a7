#pragma once

#include "core/DbTools.h"
#include "firm/StatementIndustry.h"

#include <optional>

// The user database's StatementIndustry table: the industry and data set of
// each saved statement, beside MyValues. A user database older than that
// table holds no such record: reads then find none, and the first save
// creates the table. Private to the SQLite statement store.

// Records the industry of the statement saved under this firm name and year,
// in place of any recorded before. Runs inside the caller's transaction.
void subWriteStatementIndustry(Connection &connection, const QString &firmName, int year,
                               const StatementIndustry &industry);

// The industry recorded for this firm name and year; empty when none is.
std::optional<StatementIndustry> fncReadStatementIndustry(Connection &connection,
                                                          const QString &firmName, int year);

// Forgets the industry of this firm name and year, if one is recorded.
void subDeleteStatementIndustry(Connection &connection, const QString &firmName, int year);

// The firm list (name, year) with the industry, volume and region recorded
// for each statement.
RecordSet fncFirmListWithIndustries(const RecordSet &firms, Connection &user, Connection &reference,
                                    Language language);
