#pragma once

#include "TsvTable.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <array>
#include <optional>

// Typical figures of one kind of industry (a row of profiles.tsv).
struct FigureProfile
{
    double operatingMargin = 0;
    std::optional<double> grossMargin; // none: GPM and IT do not apply
    double revenueToNetOperatingAssets = 0;
    double spread = 1;
    std::array<double, 7> assetWeights{}; // a11 a12 a13 a18 a19 a14 a151617
    std::array<double, 9>
        liabilityWeights{}; // a22 a25100 a25200 a25500 a25400 a25180 a24 a2329 a27
    double equityPercent = 0;
    std::array<double, 3> equityWeights{}; // a31 a38 a283334
};

// One industry of industries.tsv, as far as the figures need it.
struct IndustryInfo
{
    QString naics;
    QString title;
    QString volumes; // digits of the volumes that carry it
    QString tier;    // A, B, C or N
    QString profile;
};

// One benchmark dataset (a row of datasets.tsv).
struct DatasetSpec
{
    int volume = 0;
    QString region;
    QString tiers;        // tiers carried in full
    QString partialTiers; // tiers of which only some industries are carried
    int partialPercent = 0;
    double firmShare = 1; // the region's share of the country's firms
    QList<int> absentYears;
};

namespace benchmark {

FigureProfile profileFromRow(const TsvTable &profiles, int row);

// Whether the dataset carries the industry (the same in every year).
bool carries(const DatasetSpec &dataset, const IndustryInfo &industry);

// The industry's row of the dataset table for `year`, one value per column of
// datasetcolumns::all(), in that order.
QVariantList row(const FigureProfile &profile, const IndustryInfo &industry,
                 const DatasetSpec &dataset, int year);

} // namespace benchmark
