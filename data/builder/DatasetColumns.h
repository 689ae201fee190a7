#pragma once

#include "TsvTable.h"

#include <QList>
#include <QString>
#include <QStringList>

// The columns of every benchmark dataset table, and of the report work tables
// that receive copies of its rows: one list, so that the two never drift apart.
namespace datasetcolumns {

// The fifteen ratio prefixes; each has the quartile columns prefix + Q1, Q2, Q3.
const QStringList &ratioPrefixes();
// The ratios for which a lower value is better: their Q1 is the largest.
bool lowerIsBetter(const QString &prefix);
// True for the nine ratios kept as percentages (the others are plain ratios).
bool isPercentage(const QString &prefix);
// The shares of firms with a profit or a loss: opp, opl, ppp, ppl, npp, npl.
const QStringList &profitLossColumns();
// The balance sheet items, each a percentage of total assets, in statement order.
const QStringList &balanceSheetColumns();
// Columns beyond those the program names; the report layouts read them.
const QStringList &extraColumns();

// NAICS (text), NumberOfFirms, the quartiles, the profit and loss shares,
// the balance sheet, IndustryDescription (text) and the extra columns.
QList<ColumnSpec> all();

} // namespace datasetcolumns
