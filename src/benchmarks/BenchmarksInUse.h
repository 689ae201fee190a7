#pragma once

#include "core/Language.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The benchmark set the program compares against: the sample shipped with
// it, or a set the user loaded. Its three most recent years are the
// reference years of every screen and report.

// The shipped sample's years; the texts the program shows with the sample
// are written for them.
inline constexpr int kSampleFirstYear = 2004;
inline constexpr int kSampleLastYear = 2006;

struct BenchmarkSetInfo
{
    QString name; // "sample" for the shipped one
    QString source;
    QString path;     // the reference database file
    QList<int> years; // ascending
    int datasets = 0;
    int industries = 0;
    QDateTime loaded;
    bool sample = false;
};

// The shipped sample, in the program's data folder.
BenchmarkSetInfo sampleBenchmarks();

// The set in use; the sample until another is chosen.
const BenchmarkSetInfo &benchmarksInUse();
void setBenchmarksInUse(const BenchmarkSetInfo &set);

// The last reference year and the two before it.
int lastReferenceYear();
int firstReferenceYear();

// "2006, 2005 and 2004": the reference years, most recent first.
QString referenceYearsDescending();
// "2004, 2005, 2006": oldest first.
QString referenceYearsAscending();

// The line a report's footer and an export give instead of the sample's
// note: the set's name and source; nothing for the sample.
std::optional<QString> benchmarkFooterNote(Language language);
// What the benchmarks are, for the about screen and the exports' column:
// the sample's note, or the footer's line.
QString benchmarkNote(Language language);
