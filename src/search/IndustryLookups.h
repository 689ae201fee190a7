#pragma once

#include "core/DbTools.h"
#include "core/Language.h"

#include <QString>
#include <QStringList>
#include <optional>

// Queries that find industries of the dataset in use. Every query keeps to the
// industries that the dataset table carries; values typed or picked on the
// screen go in as bound parameters.

// Where the lookups read: the reference connection, the dataset table, the
// NAICS description table of its volume, and the language of the titles.
struct LookupSource
{
    Connection &connection;
    QString datasetTable;
    QString naicsDescTable;
    Language language = Language::English;
};

// The lookup source of the current dataset and language.
LookupSource currentLookupSource();

// One industry as the selection fields show it.
struct IndustryRow
{
    QString code;
    QString title;    // in the source's language
    QString category; // title of its tree category; empty when it has none
};

// Codes of the dataset in text order.
QStringList fncNaicsCodes(const LookupSource &source);

// Titles of the dataset's industries in the source's language, in alphabetical
// order of that language; a title shared by two industries appears twice.
QStringList fncNaicsTitles(const LookupSource &source);

// The industry with this code, if the dataset carries it.
std::optional<IndustryRow> fncLookupByCode(const LookupSource &source, const QString &code);

// The first industry with this title in the source's language.
std::optional<IndustryRow> fncLookupByTitle(const LookupSource &source, const QString &title);

// The `like` pattern of a keyword: a substring match in which '%' and '_'
// typed by the user keep their wildcard meaning.
QString keywordPattern(const QString &keyword);

// Industries whose title in the source's language contains the keyword,
// ignoring letter case and accents. Columns: NAICS, Description, Sector in
// English; SCIAN, Description, Secteur in French. With `alsoDefinitions`,
// the industries whose definition alone contains it follow them.
RecordSet fncKeywordSearch(const LookupSource &source, const QString &keyword,
                           bool alsoDefinitions = false);

// The longest keyword searched for, in characters: longer than any title,
// and short enough that a pasted text never keeps the search busy.
inline constexpr int kMaxKeywordLength = 100;

// Whether the definition of an industry of the dataset, in the source's
// language, contains the keyword (as fncKeywordSearch matches it).
bool fncDefinitionsHoldKeyword(const LookupSource &source, const QString &keyword);

// What the definition viewer shows of one industry.
struct IndustryDefinition
{
    QString title;      // in the requested language
    QString definition; // empty when the industry has none
};

// The definition of a code from the description table alone (the dataset is
// not consulted).
std::optional<IndustryDefinition> fncIndustryDefinition(Connection &connection,
                                                        const QString &naicsDescTable,
                                                        const QString &code, Language language);
