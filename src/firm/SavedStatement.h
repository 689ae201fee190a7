#pragma once

#include "firm/FirmStatement.h"
#include "firm/StatementIndustry.h"

#include <QDateTime>
#include <QString>
#include <optional>

// Who last saved a statement and when; the version counts its saves, so a
// screen that opened version 3 can tell that someone saved it since.
struct StatementStamp
{
    qint64 version = 0;
    QString savedBy;
    QDateTime savedAt; // UTC

    bool operator==(const StatementStamp &) const = default;
};

// One saved firm statement: its key (firm name, year), its 33 amounts, the
// industry it was saved under (none for statements saved before industries
// were kept), the accountant's comment (empty for statements saved before
// comments were kept) and its stamp.
struct SavedStatement
{
    QString firmName; // as typed, blanks included
    int year = 0;
    FirmStatement amounts;
    std::optional<StatementIndustry> industry;
    QString comment;      // as typed, line breaks included
    StatementStamp stamp; // filled by the store when read or saved
};

// A line of the list of saved statements.
struct StatementEntry
{
    QString firmName;
    int year = 0;
    std::optional<StatementIndustry> industry;
};
