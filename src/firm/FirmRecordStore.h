#pragma once

#include "core/DbTools.h"
#include "firm/StatementItems.h"

#include <QString>
#include <array>

// One firm statement as the MyValues table holds it.
struct FirmRecord
{
    QString firmName; // stored exactly as typed, blanks included
    int year = 0;
    QString naics;
    std::array<double, kStatementItemCount> amounts{}; // in statementItems() order
    // The data set the statement is compared with when saved.
    int volume = 0;
    QString region;
};

// Whether a statement is stored for this firm name and year.
bool fncFirmRecordExists(Connection &connection, const QString &firmName, int year);

// Stores the statement in place of any stored under its firm name and year,
// and records the industry and data set it was saved under: the writes run in
// one transaction, so a failure leaves the stored statement as it was.
void subWriteFirmRecord(Connection &connection, const FirmRecord &record);

// Deletes the statement stored for this firm name and year, if there is one,
// with the record of its industry.
void subDeleteFirmRecord(Connection &connection, const QString &firmName, int year);
