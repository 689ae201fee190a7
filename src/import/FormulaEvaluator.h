#pragma once

#include "import/SheetCells.h"

#include <QList>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <set>

// A cell as the formulas that refer to it see it.
struct FormulaCell
{
    enum class Kind {
        Number,  // a number, or a formula's saved result
        Formula, // a formula saved without its result
        Other    // text, a truth value, an error: no arithmetic takes it
    };
    Kind kind = Kind::Other;
    double number = 0;
    QString formula; // as the workbook writes it, with or without "="
};

using FormulaCells = std::map<SheetPosition, FormulaCell>;

// Works out the formulas a workbook saved without their result, when they are
// plain arithmetic: numbers, cells of the same sheet, + - * /, parentheses,
// signs, and SUM of cells, ranges and expressions. Anything else (another
// function, text, another sheet, a division by zero, a formula that refers
// to itself) cannot be worked out: such a formula has no value, never 0.
class FormulaEvaluator
{
public:
    explicit FormulaEvaluator(const FormulaCells &cells) : m_cells(cells) {}

    // The value of the cell at `position`; empty when it is a formula that
    // cannot be worked out, or text. An empty cell is 0, as in arithmetic.
    std::optional<double> value(SheetPosition position);

private:
    friend class FormulaParser;

    // A reference in SUM: text and empty cells are left out, as the
    // spreadsheets do.
    std::optional<double> sumOf(SheetPosition first, SheetPosition last);

    const FormulaCells &m_cells;
    std::map<SheetPosition, std::optional<double>> m_results;
    std::set<SheetPosition> m_underWay;
    int m_depth = 0;        // formulas and parentheses being worked out, one inside another
    bool m_tooDeep = false; // the formula being worked out went deeper than allowed
};

// The formula `formula` of one cell as it reads in the cell `rows` down and
// `columns` right, as a shared formula gives it to the cells it covers:
// references without "$" move. Empty when a reference would leave the sheet.
std::optional<QString> shiftedFormula(const QString &formula, int rows, int columns);

// An OpenDocument formula ("of:=SUM([.B2:.B7];[.C1])") in the spreadsheet
// notation FormulaEvaluator reads ("SUM(B2:B7,C1)"); references to other
// sheets are left as they are, and cannot be worked out.
QString fromOpenFormula(const QString &formula);

// The formulas of a sheet saved without their result, by place.
using PendingFormulas = std::map<SheetPosition, QString>;

// Works out `formulas`, which refer to `cells` and to one another, and puts
// the result of each into `cells` as `cellOf(place, result)` makes it. Returns
// the places, in order, of the formulas that cannot be worked out; those on
// hidden rows and columns are left out, as their cells are.
QList<SheetPosition>
workOutFormulas(SheetCells &cells, const PendingFormulas &formulas, const HiddenLines &hiddenRows,
                const HiddenLines &hiddenColumns,
                const std::function<ImportCell(SheetPosition, double)> &cellOf);
