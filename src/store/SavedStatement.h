#pragma once

#include "firm/StatementIndustry.h"
#include "reports/ComparisonFigures.h"

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
// were kept) and its stamp.
struct SavedStatement
{
    QString firmName; // as typed, blanks included
    int year = 0;
    FirmStatement amounts;
    std::optional<StatementIndustry> industry;
    StatementStamp stamp; // filled by the store when read or saved
};

// A line of the list of saved statements.
struct StatementEntry
{
    QString firmName;
    int year = 0;
    std::optional<StatementIndustry> industry;
};

// The statement now stored under a firm name (in any letter case) and year:
// the names it is stored under (more than one only for rows kept from before
// names ignored letter case) and its stamp.
struct StoredState
{
    QStringList names;
    StatementStamp stamp;
};

// What a save or a delete expects to find under its key: anything (it
// replaces unconditionally), nothing (a new statement), or the version the
// user saw.
struct Expectation
{
    enum class Kind { Anything, Nothing, Version };
    Kind kind = Kind::Anything;
    qint64 version = 0;

    static Expectation anything() { return {Kind::Anything, 0}; }
    static Expectation nothing() { return {Kind::Nothing, 0}; }
    static Expectation seen(qint64 v) { return {Kind::Version, v}; }
};

// A save or a delete either happened (with the new stamp after a save) or
// found another statement than the one expected: `current` is that one.
struct WriteOutcome
{
    bool done = false;
    StatementStamp stamp;               // after a save: the saved version
    std::optional<StoredState> current; // when not done
};
