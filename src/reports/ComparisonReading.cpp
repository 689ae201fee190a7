#include "reports/ComparisonReading.h"

#include "core/TsvText.h"
#include "reports/ComparisonRatios.h"

#include <QHash>
#include <QtDebug>

#include <algorithm>
#include <string_view>

namespace {

// RatioId follows the order of kRatioColumns.
static_assert(kRatioColumns.size() == kRatioCount);
static_assert(std::string_view(kRatioColumns[int(RatioId::ROE)].key) == "ROE");
static_assert(std::string_view(kRatioColumns[int(RatioId::DE)].key) == "DE");
static_assert(std::string_view(kRatioColumns[int(RatioId::IC)].key) == "IC");

constexpr std::array<const char *, kRatioCount> kTitleColumns = {
    "Lbl_NPM", "Lbl_PPM", "Lbl_OPM", "Lbl_GPM", "Lbl_ORTTNOA", "Lbl_RNOA", "Lbl_PPA", "Lbl_RCE",
    "Lbl_RE",  "Lbl_RT",  "Lbl_IT",  "Lbl_WC",  "Lbl_DE",      "Lbl_LTA",  "Lbl_IC"};

constexpr std::array<const char *, kDenominatorCount> kDenominatorKeys = {
    "OperatingRevenue",   "Sales",          "NetOperatingAssets", "TotalAssets",
    "CapitalEmployed",    "Equity",         "Receivables",        "Inventory",
    "CurrentLiabilities", "InterestExpense"};

// A ratio's name inside a sentence: its title with a small first letter,
// after its article where the language wants one ("la rotation des stocks").
QString inSentence(RatioId id, const QString &name, ReportLanguage language)
{
    if (name.isEmpty())
        return name;
    const QString lowered = name.left(1).toLower() + name.mid(1);
    const QString article =
        comparisonText(QStringLiteral("Article_") + ratioKey(id), language).trimmed();
    if (article.isEmpty())
        return lowered;
    return article.endsWith(QLatin1Char('\'')) ? article + lowered
                                               : article + QLatin1Char(' ') + lowered;
}
} // namespace

QString comparisonText(const QString &key, ReportLanguage language)
{
    // The texts are a tab-separated resource: key, English, French (core/TsvText.h).
    static const BilingualTexts texts(QStringLiteral(":/reports/comparison_texts.tsv"),
                                      "Comparison texts");
    return texts.text(key, language == ReportLanguage::French);
}

QString ratioKey(RatioId id)
{
    return QLatin1String(kRatioColumns[int(id)].key);
}

QString ratioTitleColumn(RatioId id)
{
    return QLatin1String(kTitleColumns[int(id)]);
}

Standing standingOf(bool meaningful, const QuartilePosition &position)
{
    if (!meaningful)
        return Standing::NotMeaningful;
    if (!position.better || !position.worse)
        return Standing::NoPosition;
    const double better = *position.better;
    const double worse = *position.worse;
    if (better >= 75)
        return Standing::Top;
    if (better >= 50)
        return Standing::AboveMedian;
    if (worse >= 75)
        return Standing::Bottom;
    if (worse >= 50)
        return Standing::BelowMedian;
    // Better than a quarter and worse than a quarter: on the median itself.
    if (better >= 25 && worse >= 25)
        return Standing::AtMedian;
    return Standing::NoPosition;
}

namespace {
QString composedReading(RatioId id, Standing standing, ReportLanguage language)
{
    const QString key = ratioKey(id);
    const auto direction = [&](const char *side) {
        return comparisonText(QStringLiteral("Dir_") + key + QLatin1Char('_') + QLatin1String(side),
                              language);
    };
    switch (standing) {
    case Standing::NotMeaningful:
        return comparisonText(QStringLiteral("Read_NotMeaningful"), language);
    case Standing::NoPosition:
        return comparisonText(QStringLiteral("Read_None"), language);
    case Standing::Top:
        return comparisonText(QStringLiteral("Read_Top"), language).arg(direction("Better"));
    case Standing::AboveMedian:
        return comparisonText(QStringLiteral("Read_Upper"), language).arg(direction("Better"));
    case Standing::AtMedian:
        return comparisonText(QStringLiteral("Read_Median"), language);
    case Standing::BelowMedian:
        return comparisonText(QStringLiteral("Read_Lower"), language).arg(direction("Worse"));
    case Standing::Bottom:
        return comparisonText(QStringLiteral("Read_Bottom"), language).arg(direction("Worse"));
    }
    return QString();
}
} // namespace

QString ratioReading(RatioId id, Standing standing, ReportLanguage language)
{
    // The texts never change while the program runs: each reading is
    // composed once.
    thread_local QHash<int, QString> readings;
    const int key = (int(id) * 16 + int(standing)) * 2 + (language == ReportLanguage::French);
    const auto found = readings.constFind(key);
    if (found != readings.constEnd())
        return *found;
    return *readings.insert(key, composedReading(id, standing, language));
}

std::optional<double> standingPlace(Standing standing, std::optional<double> estimate)
{
    if (standing == Standing::NotMeaningful)
        return std::nullopt;
    if (estimate)
        return estimate;
    switch (standing) {
    case Standing::Bottom:
        return 12.5;
    case Standing::BelowMedian:
        return 37.5;
    case Standing::AtMedian:
        return 50.0;
    case Standing::AboveMedian:
        return 62.5;
    case Standing::Top:
        return 87.5;
    default:
        return std::nullopt;
    }
}

QString joinedList(const QStringList &items, ReportLanguage language)
{
    if (items.size() <= 1)
        return items.value(0);
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) +
           QLatin1Char(' ') + comparisonText(QStringLiteral("Word_And"), language) +
           QLatin1Char(' ') + items.last();
}

QString verdictText(const QVector<RatioStanding> &standings, ReportLanguage language)
{
    QVector<RatioStanding> ranked;
    QStringList leftOut;
    for (const RatioStanding &s : standings) {
        if (s.place)
            ranked << s;
        else if (s.standing == Standing::NotMeaningful)
            leftOut << inSentence(s.id, s.name, language);
    }
    // Highest first; ratios that stand equal keep the report's order.
    std::stable_sort(
        ranked.begin(), ranked.end(),
        [](const RatioStanding &a, const RatioStanding &b) { return *a.place > *b.place; });

    QStringList sentences;
    if (ranked.isEmpty()) {
        sentences << comparisonText(QStringLiteral("Verdict_None"), language);
    } else {
        const auto aboveMedian = [](const RatioStanding &s) { return *s.place > 50; };
        sentences << comparisonText(QStringLiteral("Verdict_Count"), language)
                         .arg(std::count_if(ranked.cbegin(), ranked.cend(), aboveMedian))
                         .arg(ranked.size());
        QStringList strongest;
        for (const RatioStanding &s : ranked) {
            if (strongest.size() < 2 && aboveMedian(s))
                strongest << inSentence(s.id, s.name, language);
        }
        // The lowest first, ties in the report's order.
        QVector<RatioStanding> below;
        for (const RatioStanding &s : ranked)
            if (*s.place < 50)
                below << s;
        std::stable_sort(
            below.begin(), below.end(),
            [](const RatioStanding &a, const RatioStanding &b) { return *a.place < *b.place; });
        QStringList weakest;
        for (qsizetype i = 0; i < below.size() && i < 2; ++i)
            weakest << inSentence(below.at(i).id, below.at(i).name, language);
        if (!strongest.isEmpty())
            sentences << comparisonText(QStringLiteral("Verdict_Strongest"), language)
                             .arg(joinedList(strongest, language));
        if (!weakest.isEmpty())
            sentences << comparisonText(QStringLiteral("Verdict_Weakest"), language)
                             .arg(joinedList(weakest, language));
    }
    if (!leftOut.isEmpty())
        sentences << comparisonText(QStringLiteral("Verdict_LeftOut"), language)
                         .arg(joinedList(leftOut, language));
    return sentences.join(QLatin1Char(' '));
}

QStringList notMeaningfulNotes(const FirmStatement &statement,
                               const std::array<QString, kRatioCount> &names,
                               ReportLanguage language)
{
    QStringList notes;
    for (int d = 0; d < kDenominatorCount; ++d) {
        const auto denominator = Denominator(d);
        const double value = denominatorValue(statement, denominator);
        if (value > 0)
            continue;
        QStringList ratios;
        for (int r = 0; r < kRatioCount; ++r) {
            if (denominatorOf(RatioId(r)) == denominator)
                ratios << inSentence(RatioId(r), names[r], language);
        }
        const QString cause =
            comparisonText(QStringLiteral("Cause_") + QLatin1String(kDenominatorKeys[d]) +
                               (value == 0 ? QStringLiteral("_Zero") : QStringLiteral("_Negative")),
                           language);
        const QString ending =
            ratios.size() == 1 ? QStringLiteral("Cause_End_One") : QStringLiteral("Cause_End_Many");
        notes << comparisonText(ending, language).arg(cause, joinedList(ratios, language));
    }
    return notes;
}

QStringList alertLines(const FirmStatement &statement, ReportLanguage language)
{
    NumberFormat dollars;
    dollars.kind = NumberKind::Currency;
    QStringList lines;
    if (statement.Equity1 < 0)
        lines << comparisonText(QStringLiteral("Alert_NegativeEquity"), language)
                     .arg(formatNumber(-statement.Equity1, dollars, language));
    if (statement.OperatingProfit < 0)
        lines << comparisonText(QStringLiteral("Alert_OperatingLoss"), language)
                     .arg(formatNumber(-statement.OperatingProfit, dollars, language));
    return lines;
}

const std::array<RevenueBand, 3> &revenueBands()
{
    static const std::array<RevenueBand, 3> bands = {{
        {1, 25'000'000.0, std::nullopt},
        {2, 5'000'000.0, 25'000'000.0},
        {3, 30'000.0, 5'000'000.0},
    }};
    return bands;
}

std::optional<int> volumeForRevenue(double operatingRevenue)
{
    for (const RevenueBand &band : revenueBands()) {
        if (operatingRevenue >= band.low && (!band.high || operatingRevenue < *band.high))
            return band.volume;
    }
    return std::nullopt;
}

QString sizeNote(int volume, double operatingRevenue, ReportLanguage language)
{
    const std::optional<int> fitting = volumeForRevenue(operatingRevenue);
    if (fitting == volume)
        return QString();
    const auto band = [language](int v) {
        return comparisonText(QStringLiteral("Band_%1").arg(v), language);
    };
    NumberFormat dollars;
    dollars.kind = NumberKind::Currency;
    QString note = comparisonText(QStringLiteral("Size_Outside"), language)
                       .arg(formatNumber(operatingRevenue, dollars, language), band(volume));
    note += QLatin1Char(' ');
    if (fitting)
        note +=
            comparisonText(QStringLiteral("Size_Fits"), language).arg(band(*fitting)).arg(*fitting);
    else
        note += comparisonText(QStringLiteral("Size_NoneFits"), language);
    return note;
}

QString notMeaningfulCause(const FirmStatement &statement, RatioId id, ReportLanguage language)
{
    const Denominator denominator = denominatorOf(id);
    const double value = denominatorValue(statement, denominator);
    if (value > 0)
        return QString();
    return comparisonText(QStringLiteral("Cause_") +
                              QLatin1String(kDenominatorKeys[int(denominator)]) +
                              (value == 0 ? QStringLiteral("_Zero") : QStringLiteral("_Negative")),
                          language);
}
