#pragma once

#include "core/DbTools.h"
#include "firm/StatementItems.h"

#include <QString>
#include <QStringList>
#include <array>

// The user database's MyValues rows: one firm statement as the table holds
// it, written and deleted with the record of its industry. Private to the
// SQLite statement store.
struct FirmRecord
{
    QString firmName; // stored exactly as typed, blanks included
    int year = 0;
    QString naics;
    std::array<double, kStatementItemCount> amounts{}; // in statementItems() order
    // The data set the statement is compared with when saved.
    int volume = 0;
    QString region;
    QString comment; // kept in StatementComment; none is no row
};

// Firm names are one name whatever their letter case ("ACME", "Acme" and
// "acme"; "École" and "ÉCOLE"). Rows stored before that rule, differing only
// by case, stay as they are until a save or delete replaces them.

// The names, as stored, of the statements of this firm name and year.
QStringList fncStoredFirmNames(Connection &connection, const QString &firmName, int year);

// Stores the statement in place of any stored under its firm name (in any
// letter case) and year, and records the industry and data set it was saved
// under: the writes run in one transaction, so a failure leaves the stored
// statements as they were.
void subWriteFirmRecord(Connection &connection, const FirmRecord &record);

// The writes of subWriteFirmRecord, inside the caller's transaction.
void subReplaceFirmRows(Connection &connection, const FirmRecord &record);

// Deletes the statements stored for this firm name (in any letter case) and
// year, if there are any, with the record of their industry.
void subDeleteFirmRecord(Connection &connection, const QString &firmName, int year);

// The writes of subDeleteFirmRecord, inside the caller's transaction.
void subDeleteFirmRows(Connection &connection, const QString &firmName, int year);
