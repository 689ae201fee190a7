#include "BenchmarkGenerator.h"

#include "DatasetColumns.h"
#include "Prng.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace benchmark {

namespace {

const QStringList kAssetItems{
    QStringLiteral("a11"), QStringLiteral("a12"), QStringLiteral("a13"),    QStringLiteral("a18"),
    QStringLiteral("a19"), QStringLiteral("a14"), QStringLiteral("a151617")};
const QStringList kLiabilityItems{
    QStringLiteral("a22"),    QStringLiteral("a25100"), QStringLiteral("a25200"),
    QStringLiteral("a25500"), QStringLiteral("a25400"), QStringLiteral("a25180"),
    QStringLiteral("a24"),    QStringLiteral("a2329"),  QStringLiteral("a27")};
const QStringList kEquityItems{QStringLiteral("a31"), QStringLiteral("a38"),
                               QStringLiteral("a283334")};

// Balance sheet items are whole tenths of a percent of total assets.
constexpr int kWhole = 1000;

// How each ratio's quartiles spread around its median. Additive ratios move
// by relative * |median| + absolute * spread; the others by factors raised
// to the power of the spread.
struct QuartileShape
{
    const char *prefix;
    bool additive;
    int decimals;
    double lowRelative, lowAbsolute, highRelative, highAbsolute; // additive
    double lowFactor, highFactor;                                // multiplicative
};

const QuartileShape kShapes[] = {
    {"NPM", true, 1, 0.9, 3.0, 0.7, 2.5, 0, 0},   {"PPM", true, 1, 0.9, 3.5, 0.7, 3.0, 0, 0},
    {"OPM", true, 1, 0.9, 4.0, 0.7, 3.0, 0, 0},   {"GPM", false, 1, 0, 0, 0, 0, 0.7, 1.3},
    {"ORTTNOA", false, 1, 0, 0, 0, 0, 0.55, 1.7}, {"RNOA", true, 1, 0.9, 6.0, 0.8, 6.0, 0, 0},
    {"PPA", true, 1, 0.9, 3.0, 0.8, 3.0, 0, 0},   {"RCE", true, 1, 1.0, 4.0, 0.8, 4.0, 0, 0},
    {"RE", true, 1, 1.0, 12.0, 1.0, 10.0, 0, 0},  {"DE", false, 2, 0, 0, 0, 0, 2.8, 0.2},
    {"RT", false, 2, 0, 0, 0, 0, 0.55, 1.8},      {"IT", false, 2, 0, 0, 0, 0, 0.5, 2.0},
    {"WC", false, 2, 0, 0, 0, 0, 0.62, 1.65},     {"LTA", false, 2, 0, 0, 0, 0, 1.35, 0.55},
    {"IC", true, 2, 0.8, 1.0, 2.0, 2.0, 0, 0},
};

// Splits `total` into whole parts in proportion to the weights; the parts
// add up to `total` exactly (largest remainders get the leftover units).
QList<int> apportion(const QList<double> &weights, int total)
{
    double sum = 0;
    for (const double w : weights)
        sum += w;
    QList<int> parts;
    QList<std::pair<double, int>> remainders;
    int used = 0;
    for (int i = 0; i < weights.size(); ++i) {
        const double exact = sum > 0 ? weights.at(i) / sum * total : 0;
        const int part = int(std::floor(exact));
        parts << part;
        used += part;
        remainders.append({exact - part, i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (int k = 0; k < total - used; ++k)
        ++parts[remainders.at(k % remainders.size()).second];
    return parts;
}

// The three quartiles in whole units of 10^-decimals, strictly ordered
// (ascending, or descending when lower is better) and never 0, since a
// quartile of 0 reads as "absent" in the comparison.
std::array<qint64, 3> quartileUnits(const QuartileShape &shape, double median, double spread,
                                    bool descending)
{
    const double factor = std::pow(10.0, shape.decimals);
    double q1 = 0;
    double q3 = 0;
    if (shape.additive) {
        q1 = median - (shape.lowRelative * std::abs(median) + shape.lowAbsolute * spread);
        q3 = median + (shape.highRelative * std::abs(median) + shape.highAbsolute * spread);
    } else {
        q1 = median * std::pow(shape.lowFactor, spread);
        q3 = median * std::pow(shape.highFactor, spread);
    }
    qint64 n1 = std::llround(q1 * factor);
    qint64 n2 = std::llround(median * factor);
    qint64 n3 = std::llround(q3 * factor);
    if (descending) {
        n2 = std::max<qint64>(n2, 2);
        n3 = std::max<qint64>(1, std::min(n3, n2 - 1));
        n1 = std::max(n1, n2 + 1);
    } else {
        if (n2 == 0)
            n2 = 1;
        n1 = std::min(n1, n2 - 1);
        if (n1 == 0)
            n1 = -1;
        n3 = std::max(n3, n2 + 1);
        if (n3 == 0)
            n3 = 1;
    }
    return {n1, n2, n3};
}

// Percentage of firms below 0, reading the quartiles as a piecewise linear
// distribution whose tails reach 1.5 inter-quartile steps beyond Q1 and Q3.
double lossPercent(double q1, double q2, double q3)
{
    const double xs[] = {q1 - 1.5 * (q2 - q1), q1, q2, q3, q3 + 1.5 * (q3 - q2)};
    const double ps[] = {0, 25, 50, 75, 100};
    if (0 <= xs[0])
        return 0;
    for (int i = 1; i < 5; ++i)
        if (0 < xs[i])
            return ps[i - 1] + (ps[i] - ps[i - 1]) * (0 - xs[i - 1]) / (xs[i] - xs[i - 1]);
    return 100;
}

double assetVolumeFactor(int volume, int item)
{
    // Large firms hold more investments; small ones fewer.
    static const double large[] = {1, 1, 1, 1, 1, 2.0, 1.5};
    static const double small[] = {1, 1, 1, 1, 1, 0.7, 0.8};
    return volume == 1 ? large[item] : volume == 3 ? small[item] : 1.0;
}

double liabilityVolumeFactor(int volume, int item)
{
    // Large firms issue paper and bonds; small ones borrow from banks and owners.
    static const double large[] = {1, 0.7, 2.5, 1, 3.0, 1, 0.8, 1, 1};
    static const double small[] = {1, 1.2, 0.1, 1, 0.1, 1, 1.5, 1, 1};
    return volume == 1 ? large[item] : volume == 3 ? small[item] : 1.0;
}

QString datasetKey(const IndustryInfo &industry, const DatasetSpec &dataset)
{
    return industry.naics + QLatin1Char('|') + QString::number(dataset.volume) + QLatin1Char('|') +
           dataset.region;
}

} // namespace

FigureProfile profileFromRow(const TsvTable &profiles, int row)
{
    FigureProfile p;
    p.operatingMargin = profiles.value(row, QStringLiteral("OPM")).toDouble();
    const QVariant gross = profiles.value(row, QStringLiteral("GPM"));
    if (!gross.isNull())
        p.grossMargin = gross.toDouble();
    p.revenueToNetOperatingAssets = profiles.value(row, QStringLiteral("ORTTNOA")).toDouble();
    p.spread = profiles.value(row, QStringLiteral("Spread")).toDouble();
    for (int i = 0; i < kAssetItems.size(); ++i)
        p.assetWeights[i] = profiles.value(row, kAssetItems.at(i)).toDouble();
    for (int i = 0; i < kLiabilityItems.size(); ++i)
        p.liabilityWeights[i] = profiles.value(row, kLiabilityItems.at(i)).toDouble();
    p.equityPercent = profiles.value(row, QStringLiteral("Equity")).toDouble();
    for (int i = 0; i < kEquityItems.size(); ++i)
        p.equityWeights[i] = profiles.value(row, kEquityItems.at(i)).toDouble();
    return p;
}

bool carries(const DatasetSpec &dataset, const IndustryInfo &industry)
{
    if (!industry.volumes.contains(QString::number(dataset.volume)))
        return false;
    if (dataset.tiers.contains(industry.tier))
        return true;
    if (!dataset.partialTiers.contains(industry.tier))
        return false;
    const QString key = QStringLiteral("keep|") + datasetKey(industry, dataset);
    return int(stableHash(key) % 100) < dataset.partialPercent;
}

QVariantList row(const FigureProfile &profile, const IndustryInfo &industry,
                 const DatasetSpec &dataset, int year)
{
    const int volume = dataset.volume;
    // Four independent streams: what is proper to the industry, to its size
    // class, to the region, and to the year.
    Prng ind(QStringLiteral("industry|") + industry.naics);
    Prng vol(QStringLiteral("volume|") + industry.naics + QLatin1Char('|') +
             QString::number(volume));
    Prng reg(QStringLiteral("region|") + datasetKey(industry, dataset));
    Prng yr(QStringLiteral("year|") + datasetKey(industry, dataset) + QLatin1Char('|') +
            QString::number(year));
    const double trend = 1.0 + 0.03 * (year - 2005);

    const double marginFactor = ind.uniform(0.6, 1.45) * vol.uniform(0.9, 1.1) *
                                reg.uniform(0.88, 1.12) * trend * yr.uniform(0.95, 1.05);
    const double turnoverFactor =
        ind.uniform(0.7, 1.35) * reg.uniform(0.92, 1.08) * yr.uniform(0.97, 1.03);
    const double grossFactor = ind.uniform(0.8, 1.2) * yr.uniform(0.98, 1.02);
    const double spread = profile.spread * ind.uniform(0.85, 1.15);

    QHash<QString, QVariant> values;
    values.insert(QStringLiteral("naics"), industry.naics);
    values.insert(QStringLiteral("industrydescription"), industry.title);

    // Balance sheet, in tenths of a percent of total assets.
    QList<double> assetWeights;
    for (int i = 0; i < 7; ++i)
        assetWeights << profile.assetWeights[i] * assetVolumeFactor(volume, i) *
                            ind.uniform(0.7, 1.3) * reg.uniform(0.9, 1.1) * yr.uniform(0.96, 1.04);
    const QList<int> assets = apportion(assetWeights, kWhole);
    const double equityShare = profile.equityPercent * ind.uniform(0.8, 1.2) *
                               reg.uniform(0.9, 1.1) * yr.uniform(0.97, 1.03) *
                               (volume == 1   ? 1.05
                                : volume == 3 ? 0.9
                                              : 1.0);
    const int totse = std::clamp(int(std::lround(equityShare * 10)), 30, 900);
    const int totliab = kWhole - totse;
    QList<double> liabilityWeights;
    for (int i = 0; i < 9; ++i)
        liabilityWeights << profile.liabilityWeights[i] * liabilityVolumeFactor(volume, i) *
                                ind.uniform(0.7, 1.3) * reg.uniform(0.9, 1.1) *
                                yr.uniform(0.96, 1.04);
    const QList<int> liabilities = apportion(liabilityWeights, totliab);
    QList<double> equityWeights;
    for (int i = 0; i < 3; ++i)
        equityWeights << profile.equityWeights[i] * ind.uniform(0.7, 1.3) * yr.uniform(0.95, 1.05);
    const QList<int> equity = apportion(equityWeights, totse);

    QHash<QString, int> bs;
    for (int i = 0; i < 7; ++i)
        bs.insert(kAssetItems.at(i), assets.at(i));
    for (int i = 0; i < 9; ++i)
        bs.insert(kLiabilityItems.at(i), liabilities.at(i));
    for (int i = 0; i < 3; ++i)
        bs.insert(kEquityItems.at(i), equity.at(i));
    const int totoa = bs[QStringLiteral("a11")] + bs[QStringLiteral("a12")] +
                      bs[QStringLiteral("a13")] + bs[QStringLiteral("a18")] +
                      bs[QStringLiteral("a19")];
    bs.insert(QStringLiteral("totoa"), totoa);
    bs.insert(QStringLiteral("totass"), kWhole);
    bs.insert(QStringLiteral("totliab"), totliab);
    bs.insert(QStringLiteral("totse"), totse);
    bs.insert(QStringLiteral("totlse"), kWhole);
    // Current assets: cash, receivables, inventory and part of the other
    // assets; current liabilities: payables, short-term borrowing and the
    // current part of the other liabilities.
    const int curass = bs[QStringLiteral("a11")] + bs[QStringLiteral("a12")] +
                       bs[QStringLiteral("a13")] +
                       int(std::lround(bs[QStringLiteral("a19")] * ind.uniform(0.25, 0.6)));
    const int longTerm = bs[QStringLiteral("a25500")] + bs[QStringLiteral("a25400")] +
                         bs[QStringLiteral("a25180")] + bs[QStringLiteral("a24")] +
                         bs[QStringLiteral("a2329")];
    const int curliab = std::max(1, bs[QStringLiteral("a22")] + bs[QStringLiteral("a25100")] +
                                        bs[QStringLiteral("a25200")] +
                                        int(std::lround(longTerm * ind.uniform(0.1, 0.3))));
    bs.insert(QStringLiteral("curass"), curass);
    bs.insert(QStringLiteral("curliab"), curliab);
    for (auto it = bs.cbegin(); it != bs.cend(); ++it)
        values.insert(it.key(), it.value() / 10.0);

    // Typical ratios, consistent with the balance sheet.
    const double share = 1.0 / kWhole;
    const double orttnoa = profile.revenueToNetOperatingAssets * turnoverFactor;
    const double netOperating =
        std::max(0.1, (kWhole - bs[QStringLiteral("a14")] - bs[QStringLiteral("a151617")] -
                       bs[QStringLiteral("a22")]) *
                          share);
    const double revenueToAssets = orttnoa / 100.0 * netOperating;
    const double opm = profile.operatingMargin * marginFactor;
    const double borrowed = (bs[QStringLiteral("a25100")] + bs[QStringLiteral("a25200")] +
                             bs[QStringLiteral("a25500")] + bs[QStringLiteral("a25400")] +
                             bs[QStringLiteral("a25180")] + bs[QStringLiteral("a24")]) *
                            share;
    const double equityRatio = totse * share;
    const double interest = 0.065 * borrowed;
    const double investmentIncome =
        0.04 * (bs[QStringLiteral("a14")] + bs[QStringLiteral("a151617")]) * share;
    const double ppm = opm + 100.0 * (investmentIncome - interest) / revenueToAssets;
    const double npm = ppm > 0 ? ppm * 0.78 : ppm;

    QHash<QString, std::optional<double>> medians;
    medians.insert(QStringLiteral("NPM"), npm);
    medians.insert(QStringLiteral("PPM"), ppm);
    medians.insert(QStringLiteral("OPM"), opm);
    std::optional<double> gpm;
    if (profile.grossMargin)
        gpm = *profile.grossMargin * grossFactor;
    medians.insert(QStringLiteral("GPM"), gpm);
    medians.insert(QStringLiteral("ORTTNOA"), orttnoa);
    medians.insert(QStringLiteral("RNOA"), opm * orttnoa / 100.0);
    medians.insert(QStringLiteral("PPA"), ppm * revenueToAssets);
    medians.insert(QStringLiteral("RCE"),
                   (interest + npm / 100.0 * revenueToAssets) / (borrowed + equityRatio) * 100.0);
    medians.insert(QStringLiteral("RE"), npm * revenueToAssets / equityRatio);
    medians.insert(QStringLiteral("DE"), std::max(0.05, borrowed / equityRatio));
    const int receivables = bs[QStringLiteral("a12")];
    medians.insert(QStringLiteral("RT"),
                   receivables >= 5 ? std::optional<double>(revenueToAssets / (receivables * share))
                                    : std::nullopt);
    const int inventory = bs[QStringLiteral("a13")];
    medians.insert(
        QStringLiteral("IT"),
        gpm && inventory >= 10
            ? std::optional<double>(revenueToAssets * (1 - *gpm / 100.0) / (inventory * share))
            : std::nullopt);
    medians.insert(QStringLiteral("WC"), double(curass) / curliab);
    medians.insert(QStringLiteral("LTA"), totliab * share);
    medians.insert(
        QStringLiteral("IC"),
        interest > 0 ? std::optional<double>((interest + ppm / 100.0 * revenueToAssets) / interest)
                     : std::nullopt);

    QHash<QString, std::array<double, 3>> quartiles;
    for (const QuartileShape &shape : kShapes) {
        const QString prefix = QLatin1String(shape.prefix);
        // Drawn for every ratio, so that a missing ratio shifts no other figure.
        const double jitter = yr.uniform(0.93, 1.07);
        const std::optional<double> median = medians.value(prefix);
        const bool descending = datasetcolumns::lowerIsBetter(prefix);
        const QString q[] = {prefix + QLatin1String("Q1"), prefix + QLatin1String("Q2"),
                             prefix + QLatin1String("Q3")};
        if (!median) {
            for (const QString &name : q)
                values.insert(name.toLower(), QVariant());
            continue;
        }
        const auto units = quartileUnits(shape, *median * jitter, spread, descending);
        const double factor = std::pow(10.0, shape.decimals);
        std::array<double, 3> rounded{};
        for (int i = 0; i < 3; ++i) {
            rounded[i] = double(units[i]) / factor;
            values.insert(q[i].toLower(), rounded[i]);
        }
        quartiles.insert(prefix, rounded);
    }

    // Shares of firms with a profit and with a loss, in tenths of a percent.
    const std::pair<const char *, const char *> profitLoss[] = {
        {"OPM", "op"}, {"PPM", "pp"}, {"NPM", "np"}};
    for (const auto &[prefix, column] : profitLoss) {
        const auto &q = quartiles[QLatin1String(prefix)];
        const int profit =
            std::clamp(int(std::lround((100.0 - lossPercent(q[0], q[1], q[2])) * 10)), 5, 995);
        values.insert(QLatin1String(column) + QLatin1Char('p'), profit / 10.0);
        values.insert(QLatin1String(column) + QLatin1Char('l'), (kWhole - profit) / 10.0);
    }

    // Size of the population behind the row.
    const double sizeDraw = vol.uniform(0, 1);
    double firms = 0;
    double revenue = 0;
    if (volume == 1) {
        firms = 15 + 250 * sizeDraw * sizeDraw;
        revenue = 25000 + 600000 * std::pow(vol.uniform(0, 1), 3);
    } else if (volume == 2) {
        firms = 40 + 1200 * sizeDraw * sizeDraw;
        revenue = 5000 + 20000 * vol.uniform(0, 1);
    } else {
        const QString tiers = QStringLiteral("ABCN");
        static const double low[] = {2500, 700, 250, 60};
        const double base = low[std::max<qsizetype>(0, tiers.indexOf(industry.tier))];
        firms = base * (1 + 9 * sizeDraw);
        revenue = 150 + 2000 * vol.uniform(0, 1);
    }
    firms *= dataset.firmShare * reg.uniform(0.75, 1.25) * (1 + 0.025 * (year - 2006)) *
             yr.uniform(0.97, 1.03);
    revenue *= reg.uniform(0.9, 1.1) * (1 + 0.04 * (year - 2006)) * yr.uniform(0.98, 1.02);
    values.insert(QStringLiteral("numberoffirms"), double(std::max(5L, std::lround(firms))));
    values.insert(QStringLiteral("averagerevenue"), std::round(revenue * 10) / 10);

    QVariantList out;
    for (const ColumnSpec &column : datasetcolumns::all()) {
        const QString key = column.name.toLower();
        if (!values.contains(key))
            throw std::runtime_error(
                QStringLiteral("no figure for column %1").arg(column.name).toStdString());
        out << values.value(key);
    }
    return out;
}

} // namespace benchmark
