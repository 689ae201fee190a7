#include "benchmarks/BenchmarksInUse.h"

#include "core/ProgramFolder.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"

namespace {
std::optional<BenchmarkSetInfo> &chosenSet()
{
    static std::optional<BenchmarkSetInfo> set;
    return set;
}
} // namespace

BenchmarkSetInfo sampleBenchmarks()
{
    BenchmarkSetInfo sample;
    sample.name = QStringLiteral("sample");
    sample.path = DataFolder() + QLatin1Char('/') + QLatin1String(kReferenceDatabaseFile);
    for (int year = kSampleFirstYear; year <= kSampleLastYear; ++year)
        sample.years << year;
    sample.sample = true;
    return sample;
}

const BenchmarkSetInfo &benchmarksInUse()
{
    std::optional<BenchmarkSetInfo> &set = chosenSet();
    // The data folder is known once the program folder is: asked late.
    if (!set)
        set = sampleBenchmarks();
    return *set;
}

void setBenchmarksInUse(const BenchmarkSetInfo &set)
{
    chosenSet() = set;
}

int lastReferenceYear()
{
    const BenchmarkSetInfo &set = benchmarksInUse();
    return set.years.isEmpty() ? kSampleLastYear : set.years.last();
}

int firstReferenceYear()
{
    return lastReferenceYear() - 2;
}

QString referenceYearsDescending()
{
    const int last = lastReferenceYear();
    return QStringLiteral("%1, %2 and %3").arg(last).arg(last - 1).arg(last - 2);
}

QString referenceYearsAscending()
{
    const int last = lastReferenceYear();
    return QStringLiteral("%1, %2, %3").arg(last - 2).arg(last - 1).arg(last);
}

std::optional<QString> benchmarkFooterNote(Language language)
{
    const BenchmarkSetInfo &set = benchmarksInUse();
    if (set.sample)
        return std::nullopt;
    return ResourceString(kBenchmarkFooterNote, language).arg(set.name, set.source);
}

QString benchmarkNote(Language language)
{
    return benchmarkFooterNote(language).value_or(ResourceString(kSampleDataNote, language));
}
