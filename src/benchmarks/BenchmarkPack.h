#pragma once

#include "core/Language.h"
#include "import/ImportTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A benchmark pack read and checked: one table of figures by dataset, year
// and industry, and an optional table of industry titles. Any error refuses
// the whole pack; warnings are counted.

struct PackRow
{
    int fileRow = 0;
    int volume = 0;
    QString region;
    int year = 0;
    QString naics;
    std::optional<double> firms;
    // Lower-case figure column -> value; a figure left out or not available
    // has no value.
    QHash<QString, std::optional<double>> figures;
};

struct PackTitle
{
    QString naics;
    QString english;
    QString french;
    QString definitionEnglish;
    QString definitionFrench;
};

enum class PackProblemKind {
    UnknownHeading,      // %1 heading
    MissingColumn,       // the column is named; the table lacks it
    NotANumber,          // %1 the text
    AmbiguousNumber,     // %1 the text: "1,234" could be either
    BadVolume,           // %1 the text
    BadRegion,           // %1 the text
    NoSuchDataset,       // %1 volume, %2 region
    BadYear,             // %1 the text
    BadCode,             // %1 the text
    QuartilesOutOfOrder, // %1 Q1, %2 Q2, %3 Q3, %4 the expected order
    TotalNot100,         // %1 the columns, %2 their total
    Duplicate,           // %1 the earlier row
    NoTitle,             // %1 the code
    EmptyTable,          // the table has no rows of data
    DuplicateTitle,      // %1 the earlier row
    DuplicateColumn,     // %1 the earlier heading
};

struct PackProblem
{
    QString file; // the data table's file or the titles'
    int row = 0;  // the file's row, from 1
    QString column;
    PackProblemKind kind;
    QStringList values;
};

struct BenchmarkPack
{
    // A file that cannot be read at all.
    ImportFault fault = ImportFault::None;
    QString faultFile;
    QList<PackRow> rows;
    QList<PackTitle> titles;
    QList<PackProblem> errors;
    int suppressedFigures = 0;
    int singleYearIndustries = 0; // (dataset, industry) pairs with one year only
};

// Reads and checks a pack: `dataPath` a CSV (UTF-8, "," or ";") or .xlsx
// file; `titlesPath` empty or the titles table. `knownCodes` are the codes
// the shipped classification titles.
BenchmarkPack readBenchmarkPack(const QString &dataPath, const QString &titlesPath,
                                const QSet<QString> &knownCodes);

// Checks the rows of a table already read (the data table, as a sheet).
void checkPackTable(const ImportTable &table, const QString &file, BenchmarkPack &pack);

// "Row 12, column NPMQ2: ..." in a language.
QString packProblemText(const PackProblem &problem, Language language);

// The years, datasets ("volume/region") and industries the rows hold.
QList<int> packYears(const QList<PackRow> &rows);
int packDatasetCount(const QList<PackRow> &rows);
int packIndustryCount(const QList<PackRow> &rows);
