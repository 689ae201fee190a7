#pragma once

#include "reports/ComparisonFigures.h"
#include "reports/ReportNumberFormat.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

// The comparison report's words: what each ratio's position means, the
// verdict of page 1, the note on the firm's size and the notes on ratios
// that have no meaning. Texts come from the comparison texts table
// (resources/comparison_texts.tsv) in the report's language.

// A text of the comparison texts table; empty (with a warning) for an unknown key.
QString comparisonText(const QString &key, ReportLanguage language);

// The short name of a ratio as the report's columns use it ("NPM", "DE", ...).
QString ratioKey(RatioId id);
// Its label column in the comparison titles ("Lbl_NPM", "Lbl_RNOA", ...).
QString ratioTitleColumn(RatioId id);

// Where the firm stands on one ratio, read from its two positions.
enum class Standing {
    NotMeaningful, // the ratio's denominator is zero or negative
    NoPosition,    // the industry gives no quartiles to compare with
    Bottom,        // worse than three firms in four
    BelowMedian,
    AtMedian,
    AboveMedian,
    Top // better than three firms in four
};

Standing standingOf(bool meaningful, const QuartilePosition &position);

// Better than the median, or worse, with the direction of the ratio named
// ("less debt than the median firm").
QString ratioReading(RatioId id, Standing standing, ReportLanguage language);

// The firm's place on the picture of all positions: 0 (weakest quarter) to
// 3 (strongest quarter), 1.5 on the median line; empty without a position.
// Lower-is-better ratios are already turned by their position rules.
std::optional<double> pictureQuarter(Standing standing);

struct RatioStanding
{
    RatioId id;
    QString name; // as the report's titles give it
    Standing standing;
};

// The paragraph of page 1: how many compared ratios are better than the
// median, the two strongest (better than the median) and the two weakest
// (worse than the median), and the ratios left out as not meaningful.
QString verdictText(const QVector<RatioStanding> &standings, ReportLanguage language);

// One plain sentence per cause of "not meaningful", in the order of the
// denominators: the figure, whether it is zero or negative, and the ratios
// it takes the meaning from. `names` are the ratios' titles in RatioId order.
QStringList notMeaningfulNotes(const FirmStatement &statement,
                               const std::array<QString, kRatioCount> &names,
                               ReportLanguage language);

// The revenue band of a volume: firms with operating revenue from `low`
// (included) up to `high` (excluded; none for the top volume).
struct RevenueBand
{
    int volume;
    double low;
    std::optional<double> high;
};
const std::array<RevenueBand, 3> &revenueBands();

// The volume whose band holds this revenue; empty below the lowest band.
std::optional<int> volumeForRevenue(double operatingRevenue);

// The note shown when the firm's revenue lies outside the chosen volume's
// band, naming the band that fits; empty when the revenue lies inside.
QString sizeNote(int volume, double operatingRevenue, ReportLanguage language);

// "a, b and c" in the language.
QString joinedList(const QStringList &items, ReportLanguage language);
