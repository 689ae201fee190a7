#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The reference years a firm statement may be compared for: the three most
// recent years of the benchmark set in use.

// The years the year box offers, oldest first.
QStringList fncReferenceYears();

// The comparison's year test: the text, compared character by character,
// does not sort before the first or after the last reference year.
bool fncYearTextInRange(const QString &yearText);

// The year a comparison is made for: the text passes the year test and is a
// whole number between the first and the last reference year.
std::optional<qint16> fncComparisonYear(const QString &yearText);

// The year a statement is stored under: the text, blanks around it aside, is
// a whole number.
std::optional<int> fncStorableYear(const QString &yearText);

// "Invalid year.  Year must be between 2004 and 2006" (the sample's years) in the language.
QString fncInvalidYearMessage(bool french);
