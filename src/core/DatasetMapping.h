#pragma once

#include <QString>
#include <QStringList>

struct AppState;

// One row of the option-name to dataset mapping.
struct DatasetOption
{
    const char *optionName;
    const char *tablePrefix;
    qint16 volume;
    const char *region;
};

// Every dataset option, in the order in which names are tested.
const QList<DatasetOption> &datasetOptions();

// The shipped sample's reference year (the set in use says the current one,
// benchmarks/BenchmarksInUse.h) and the suffix of every dataset table name.
inline constexpr const char *kReferenceYear = "2006";
inline constexpr const char *kDatasetTableSuffix = "_Final_Ratios";

// Name of a dataset table: "ROVAL_Vol" + volume + "_" + region + "_" + year + suffix.
QString datasetTableName(int volume, const QString &region, int year);

// The table of industry titles and definitions of a volume: volume 1 has its
// own, detailed industry breakdown; the other volumes share one.
QString naicsDescriptionTable(int volume);

// Maps the chosen option's name to the dataset table, volume, region and
// NAICS description table. An unknown name gives the table "ROV_Other" and
// leaves volume and region as they were.
void subSetDataTable(AppState &state, const QString &optionName);
