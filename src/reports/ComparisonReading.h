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

// The firm's place among the industry's firms, 0 (weakest) to 100
// (strongest), as the picture of page 1 shows it and the verdict ranks it:
// the estimated standing, or without one the middle of the quarters the
// positions allow (50 on the median); empty when the ratio has no meaning
// or nothing to be compared with.
std::optional<double> standingPlace(Standing standing, std::optional<double> estimate);

struct RatioStanding
{
    RatioId id;
    QString name; // as the report's titles give it
    Standing standing;
    std::optional<double> place; // standingPlace()
};

// The paragraph of page 1: how many compared ratios are better than the
// median, the two that stand highest above the median and the two that
// stand lowest below it (ties in the report's order), and the ratios left
// out as not meaningful.
QString verdictText(const QVector<RatioStanding> &standings, ReportLanguage language);

// One plain sentence per cause of "not meaningful", in the order of the
// denominators: the figure, whether it is zero or negative, and the ratios
// it takes the meaning from. `names` are the ratios' titles in RatioId order.
QStringList notMeaningfulNotes(const FirmStatement &statement,
                               const std::array<QString, kRatioCount> &names,
                               ReportLanguage language);

// The lines page 1 gives a firm in difficulty, one a fault: a negative
// shareholders' equity, then an operating loss, each with its amount.
QStringList alertLines(const FirmStatement &statement, ReportLanguage language);

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

// Why a ratio has no meaning: its denominator named, zero or negative
// ("Inventory is zero"); empty when the ratio has a meaning.
QString notMeaningfulCause(const FirmStatement &statement, RatioId id, ReportLanguage language);
