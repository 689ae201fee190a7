#pragma once

#include "core/Language.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The columns of a benchmark pack: five that identify a row (dataset, year,
// industry, firms) and one for each figure of the reference database's
// dataset tables, headed by the table's own column name or by the figure's
// English or French name.

enum class PackKey { Volume, Region, Year, Naics, Firms, Figure };

struct PackColumn
{
    PackKey key;
    QString name; // the pack's heading: "Volume"..., or the dataset column ("NPMQ1")
};

// How a figure reads, for the format's documentation.
enum class FigureUnit { Firms, Percent, Ratio, Thousands };

// The figure columns in the dataset tables' order (NAICS, NumberOfFirms and
// the industry's title aside).
const QStringList &figureColumns();

// Every column of a pack, in the order an export writes them.
QList<PackColumn> packColumns();

// The column a heading names: its own name or its English or French name,
// letter case, accents and punctuation aside.
std::optional<PackColumn> packColumnOfHeading(const QString &heading);

// A column's name in a language ("Net profit margin Q1").
QString packColumnTitle(const PackColumn &column, Language language);
FigureUnit packColumnUnit(const PackColumn &column);
QString figureUnitText(FigureUnit unit, Language language);

// The three quartile columns of each ratio, and whether the ratio's first
// quartile is its highest (lower is better: the shipped data orders them so).
struct QuartileColumns
{
    QString q1, q2, q3;
    bool descending;
};
const QList<QuartileColumns> &quartileColumns();

// Figures that add up to 100 (percentages of a whole). Figure names here and
// above are in lower case.
const QList<QStringList> &hundredTotals();

// The publishers' marks of a figure that is not available.
bool isNotAvailableMark(const QString &text);
