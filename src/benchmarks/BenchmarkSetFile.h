#pragma once

#include "benchmarks/BenchmarkPack.h"
#include "benchmarks/BenchmarksInUse.h"

#include <QSet>
#include <QString>

class Connection;

// A benchmark set's file: a database with the shipped reference database's
// tables, its dataset tables holding the pack's years, and one row saying
// what the set is.

// The codes the shipped classification titles (both description tables).
QSet<QString> shippedIndustryCodes(const QString &shippedPath);

// Writes `pack` as a set at `targetPath`, through a temporary file beside it
// that is renamed at the end: the set appears whole or not at all. The
// shipped database is copied, never written. Throws DatabaseError.
BenchmarkSetInfo writeBenchmarkSetFile(const BenchmarkPack &pack, const QString &name,
                                       const QString &source, const QString &shippedPath,
                                       const QString &targetPath);

// What a set file says of itself; nothing when it is no set file.
std::optional<BenchmarkSetInfo> readBenchmarkSetInfo(const QString &path);

// The temporary file a load writes before its rename, for this process.
QString partialSetPath(const QString &targetPath, qint64 processId);

// Writes the dataset tables of an open reference database as a pack (CSV).
bool writeBenchmarkPackCsv(Connection &reference, const QString &path);
