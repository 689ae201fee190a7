#pragma once

#include "benchmarks/BenchmarkPack.h"
#include "benchmarks/BenchmarksInUse.h"
#include "core/DatabaseCheck.h"

#include <QList>
#include <QString>
#include <optional>

// The benchmark sets of this user: the shipped sample and those loaded into
// the user's data folder, and which one is in use (kept in the settings).

// ~/.local/share/Quorvel/benchmarks
QString benchmarkSetsFolder();

// The sample first, then the loaded sets by name.
QList<BenchmarkSetInfo> listBenchmarkSets();

// A set by its name, any letter case ("sample" is the shipped one).
std::optional<BenchmarkSetInfo> findBenchmarkSet(const QString &name);

// Why a name cannot be given to a new set.
enum class SetNameProblem { None, Empty, Reserved, Taken, TooLong };
SetNameProblem checkNewSetName(const QString &name);

struct BenchmarkLoad
{
    BenchmarkPack pack;
    SetNameProblem nameProblem = SetNameProblem::None;
    std::optional<BenchmarkSetInfo> set; // written
};

// Reads and checks the pack, and when it passes, writes it as a new set.
// Nothing is written when anything is wrong. Throws DatabaseError when the
// set's file cannot be written.
BenchmarkLoad loadBenchmarkSet(const QString &dataPath, const QString &titlesPath,
                               const QString &name, const QString &source);

// Removes a loaded set's file (never the sample); false when there is none.
bool removeBenchmarkSet(const QString &name);

// The name of the set kept in the settings ("sample" when none is).
QString rememberedBenchmarkSet();
void rememberBenchmarkSet(const QString &name);

// Makes the named set (or, when it is gone, the sample) the one in use;
// returns it.
BenchmarkSetInfo useBenchmarkSetNamed(const QString &name);

// The summary of a load, one line a fact, in a language.
QStringList benchmarkLoadSummary(const BenchmarkLoad &load, Language language);

// Opens a set's file as the reference database, read-only, with the checks
// of the program's start: the sample's tables, less the dataset tables for a
// loaded set (it has those of its own years).
std::optional<DatabaseProblem> openBenchmarkSet(Connection &connection,
                                                const BenchmarkSetInfo &set);
