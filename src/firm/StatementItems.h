#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The 33 items of a firm statement, in the order of the MyValues table (its
// columns 4 to 36), with the screen controls that carry them.
struct StatementItem
{
    const char *column;    // MyValues column; the amount box is "txt" + column
    const char *labelName; // caption label (these do not follow the columns)
    int captionId;         // English caption; French at captionId + 1
    bool computed;         // a subtotal of other items, not typed
};

inline constexpr int kStatementItemCount = 33;

const std::array<StatementItem, kStatementItemCount> &statementItems();

// Name of the amount box of a column ("txtCash" for "Cash").
QString fncAmountBoxName(const char *column);

// A subtotal and the items it adds up, in the order of addition.
struct SubtotalRule
{
    const char *column;
    std::vector<const char *> addends;
};

// The five subtotals in the order they are recomputed; later ones read the
// earlier results.
const std::array<SubtotalRule, 5> &subtotalRules();

// Recomputes the five subtotals of `amounts` (column -> box text) exactly, in
// double precision, and writes each into the map as the screen shows it.
void fncApplySubtotals(QHash<QString, QString> &amounts);

// The column whose box takes the focus when Enter is pressed in `column`'s box.
QString fncEnterTarget(const QString &column);

// Names of the screen's boxes in focus (tab) order.
QStringList fncFocusOrder();

// Positions of the list handed to the comparison report.
inline constexpr int kComparisonFirmName = 0;
inline constexpr int kComparisonYear = 1;
inline constexpr int kComparisonNaics = 2;
inline constexpr int kComparisonIndustry = 3;
inline constexpr int kComparisonFirstAmount = 4;
inline constexpr int kComparisonValueCount = kComparisonFirstAmount + kStatementItemCount;

// The statement as the comparison report receives it: firm name, year, the
// industry's code and name (blanks trimmed), then the 33 amount texts in
// table order.
QStringList fncComparisonValues(const QString &firmName, qint16 year, const QString &naics,
                                const QString &industryName, const QStringList &amountTexts);
