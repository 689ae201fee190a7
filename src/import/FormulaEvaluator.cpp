#include "import/FormulaEvaluator.h"

#include <QRegularExpression>
#include <cmath>

namespace {
// Deeper than any formula a person writes; a file built to go deeper would
// exhaust the stack.
constexpr int kDeepest = 400;

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.') ||
           c == QLatin1Char('$');
}

struct Reference
{
    SheetPosition position;
    bool absoluteColumn = false;
    bool absoluteRow = false;
};

// A cell reference such as "B8" or "$B$8", the whole of `name`.
std::optional<Reference> parseReference(QStringView name)
{
    Reference reference;
    qsizetype i = 0;
    if (i < name.size() && name[i] == QLatin1Char('$')) {
        reference.absoluteColumn = true;
        ++i;
    }
    int column = 0;
    const qsizetype lettersStart = i;
    for (; i < name.size() && name[i].isLetter() && name[i].unicode() < 128; ++i) {
        if (i - lettersStart >= 3)
            return std::nullopt;
        column = column * 26 + (name[i].toUpper().unicode() - 'A' + 1);
    }
    if (i == lettersStart || column > kSheetColumns)
        return std::nullopt;
    if (i < name.size() && name[i] == QLatin1Char('$')) {
        reference.absoluteRow = true;
        ++i;
    }
    qint64 row = 0;
    const qsizetype digitsStart = i;
    for (; i < name.size() && name[i].isDigit(); ++i) {
        row = row * 10 + name[i].digitValue();
        if (row > kSheetRows)
            return std::nullopt;
    }
    if (i == digitsStart || i != name.size() || row < 1)
        return std::nullopt;
    reference.position = SheetPosition{int(row - 1), column - 1};
    return reference;
}

QString referenceText(const Reference &reference)
{
    const QString name = cellName(reference.position);
    qsizetype digits = 0;
    while (!name[digits].isDigit())
        ++digits;
    QString text;
    if (reference.absoluteColumn)
        text += QLatin1Char('$');
    text += QStringView(name).left(digits);
    if (reference.absoluteRow)
        text += QLatin1Char('$');
    text += QStringView(name).mid(digits);
    return text;
}
} // namespace

// Recursive descent over one formula:
//   expression := term (("+" | "-") term)*
//   term       := unary (("*" | "/") unary)*
//   unary      := ("+" | "-") unary | primary
//   primary    := number | cell | "(" expression ")" | SUM "(" argument ("," argument)* ")"
//   argument   := cell ":" cell | expression
class FormulaParser
{
public:
    FormulaParser(FormulaEvaluator &evaluator, QStringView text)
        : m_evaluator(evaluator), m_text(text)
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == QLatin1Char('='))
            ++m_at;
    }

    std::optional<double> whole()
    {
        const std::optional<double> result = expression();
        skipBlanks();
        if (!result || m_at != m_text.size() || !std::isfinite(*result))
            return std::nullopt;
        return result;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    bool take(char c)
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == QLatin1Char(c)) {
            ++m_at;
            return true;
        }
        return false;
    }

    // A name: a cell, a function or a defined name.
    QStringView name()
    {
        skipBlanks();
        const qsizetype start = m_at;
        while (m_at < m_text.size() && isNameCharacter(m_text[m_at]))
            ++m_at;
        return m_text.mid(start, m_at - start);
    }

    std::optional<double> expression()
    {
        std::optional<double> result = term();
        while (result) {
            if (take('+')) {
                const std::optional<double> right = term();
                result = right ? std::optional<double>(*result + *right) : std::nullopt;
            } else if (take('-')) {
                const std::optional<double> right = term();
                result = right ? std::optional<double>(*result - *right) : std::nullopt;
            } else {
                break;
            }
        }
        return result;
    }

    std::optional<double> term()
    {
        std::optional<double> result = unary();
        while (result) {
            if (take('*')) {
                const std::optional<double> right = unary();
                result = right ? std::optional<double>(*result * *right) : std::nullopt;
            } else if (take('/')) {
                const std::optional<double> right = unary();
                result =
                    right && *right != 0 ? std::optional<double>(*result / *right) : std::nullopt;
            } else {
                break;
            }
        }
        return result;
    }

    std::optional<double> unary()
    {
        if (++m_evaluator.m_depth > kDeepest) {
            --m_evaluator.m_depth;
            m_evaluator.m_tooDeep = true;
            return std::nullopt;
        }
        std::optional<double> result;
        if (take('-')) {
            result = unary();
            if (result)
                result = -*result;
        } else if (take('+')) {
            result = unary();
        } else {
            result = primary();
        }
        --m_evaluator.m_depth;
        return result;
    }

    std::optional<double> number()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && (m_text[m_at].isDigit() || m_text[m_at] == QLatin1Char('.')))
            ++m_at;
        if (m_at < m_text.size() &&
            (m_text[m_at] == QLatin1Char('E') || m_text[m_at] == QLatin1Char('e'))) {
            ++m_at;
            if (m_at < m_text.size() &&
                (m_text[m_at] == QLatin1Char('+') || m_text[m_at] == QLatin1Char('-')))
                ++m_at;
            while (m_at < m_text.size() && m_text[m_at].isDigit())
                ++m_at;
        }
        bool ok = false;
        const double value = m_text.mid(start, m_at - start).toDouble(&ok);
        return ok ? std::optional<double>(value) : std::nullopt;
    }

    std::optional<double> primary()
    {
        skipBlanks();
        if (m_at >= m_text.size())
            return std::nullopt;
        const QChar c = m_text[m_at];
        if (c.isDigit() || c == QLatin1Char('.'))
            return number();
        if (take('(')) {
            const std::optional<double> inner = expression();
            return inner && take(')') ? inner : std::nullopt;
        }
        const QStringView word = name();
        if (word.isEmpty())
            return std::nullopt;
        if (take('(')) {
            if (word.compare(QLatin1String("SUM"), Qt::CaseInsensitive) != 0)
                return std::nullopt;
            return sum();
        }
        const std::optional<Reference> cell = parseReference(word);
        skipBlanks();
        // A name, a range outside SUM, another sheet's cell: not arithmetic.
        if (!cell || (m_at < m_text.size() &&
                      (m_text[m_at] == QLatin1Char(':') || m_text[m_at] == QLatin1Char('!'))))
            return std::nullopt;
        return m_evaluator.value(cell->position);
    }

    // SUM's arguments, after its "(".
    std::optional<double> sum()
    {
        double total = 0;
        if (take(')'))
            return total;
        do {
            std::optional<double> part;
            const qsizetype start = m_at;
            const std::optional<Reference> first = parseReference(name());
            if (first && take(':')) {
                const std::optional<Reference> last = parseReference(name());
                if (!last)
                    return std::nullopt;
                part = m_evaluator.sumOf(first->position, last->position);
            } else if (first && (take(',') || take(')'))) {
                --m_at; // the separator is read below
                part = m_evaluator.sumOf(first->position, first->position);
            } else {
                m_at = start;
                part = expression();
            }
            if (!part)
                return std::nullopt;
            total += *part;
        } while (take(','));
        return take(')') ? std::optional<double>(total) : std::nullopt;
    }

    FormulaEvaluator &m_evaluator;
    QStringView m_text;
    qsizetype m_at = 0;
};

std::optional<double> FormulaEvaluator::value(SheetPosition position)
{
    const auto cell = m_cells.find(position);
    if (cell == m_cells.end())
        return 0.0;
    switch (cell->second.kind) {
    case FormulaCell::Kind::Number:
        return cell->second.number;
    case FormulaCell::Kind::Other:
        return std::nullopt;
    case FormulaCell::Kind::Formula:
        break;
    }
    const auto known = m_results.find(position);
    if (known != m_results.end())
        return known->second;
    if (m_depth == 0)
        m_tooDeep = false;
    if (m_underWay.count(position) != 0)
        return std::nullopt;
    if (m_depth >= kDeepest) {
        m_tooDeep = true;
        return std::nullopt;
    }
    m_underWay.insert(position);
    ++m_depth;
    const std::optional<double> result = FormulaParser(*this, cell->second.formula).whole();
    --m_depth;
    m_underWay.erase(position);
    // Too deep from here need not be too deep from a cell further down the
    // chain: only what the cell itself decides is kept.
    if (result || !m_tooDeep)
        m_results.emplace(position, result);
    return result;
}

std::optional<double> FormulaEvaluator::sumOf(SheetPosition first, SheetPosition last)
{
    const int top = std::min(first.row, last.row);
    const int bottom = std::max(first.row, last.row);
    const int left = std::min(first.column, last.column);
    const int right = std::max(first.column, last.column);
    double total = 0;
    // Only the cells present are visited, however large the range.
    auto cell = m_cells.lower_bound(SheetPosition{top, left});
    while (cell != m_cells.end() && cell->first.row <= bottom) {
        const SheetPosition at = cell->first;
        if (at.column < left) {
            cell = m_cells.lower_bound(SheetPosition{at.row, left});
            continue;
        }
        if (at.column > right) {
            cell = m_cells.lower_bound(SheetPosition{at.row + 1, left});
            continue;
        }
        if (cell->second.kind != FormulaCell::Kind::Other) {
            const std::optional<double> part = value(at);
            if (!part)
                return std::nullopt;
            total += *part;
        }
        ++cell;
    }
    return total;
}

std::optional<QString> shiftedFormula(const QString &formula, int rows, int columns)
{
    QString shifted;
    qsizetype i = 0;
    while (i < formula.size()) {
        const QChar c = formula[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            // Text and quoted sheet names are copied as they are.
            const qsizetype end = formula.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? formula.size() : end + 1;
            shifted += QStringView(formula).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (!isNameCharacter(c)) {
            shifted += c;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < formula.size() && isNameCharacter(formula[end]))
            ++end;
        const QStringView word = QStringView(formula).mid(i, end - i);
        std::optional<Reference> reference = parseReference(word);
        if (reference && !(end < formula.size() && formula[end] == QLatin1Char('('))) {
            if (!reference->absoluteRow)
                reference->position.row += rows;
            if (!reference->absoluteColumn)
                reference->position.column += columns;
            const SheetPosition &at = reference->position;
            if (at.row < 0 || at.row >= kSheetRows || at.column < 0 || at.column >= kSheetColumns)
                return std::nullopt;
            shifted += referenceText(*reference);
        } else {
            shifted += word;
        }
        i = end;
    }
    return shifted;
}

QString fromOpenFormula(const QString &formula)
{
    QString text = formula;
    const qsizetype prefix = text.indexOf(QLatin1Char(':'));
    if (prefix >= 0 && prefix < text.indexOf(QLatin1Char('=')))
        text = text.mid(prefix + 1);
    static const QRegularExpression sameSheet(
        QStringLiteral(R"(\[\.(\$?[A-Za-z]+\$?[0-9]+)(?::\.?(\$?[A-Za-z]+\$?[0-9]+))?\])"));
    QString plain;
    qsizetype at = 0;
    for (QRegularExpressionMatchIterator m = sameSheet.globalMatch(text); m.hasNext();) {
        const QRegularExpressionMatch match = m.next();
        plain += QStringView(text).mid(at, match.capturedStart() - at);
        plain += match.captured(1);
        if (match.hasCaptured(2))
            plain += QLatin1Char(':') + match.captured(2);
        at = match.capturedEnd();
    }
    plain += QStringView(text).mid(at);
    return plain.replace(QLatin1Char(';'), QLatin1Char(','));
}

QList<SheetPosition> workOutFormulas(SheetCells &cells, const PendingFormulas &formulas,
                                     const HiddenLines &hiddenRows,
                                     const HiddenLines &hiddenColumns,
                                     const std::function<ImportCell(SheetPosition, double)> &cellOf)
{
    QList<SheetPosition> unknown;
    if (formulas.empty())
        return unknown;
    FormulaCells sheet;
    for (const auto &[at, cell] : cells) {
        sheet.emplace_hint(sheet.end(), at,
                           cell.number ? FormulaCell{FormulaCell::Kind::Number, *cell.number, {}}
                                       : FormulaCell{});
    }
    for (const auto &[at, formula] : formulas)
        sheet.insert_or_assign(at, FormulaCell{FormulaCell::Kind::Formula, 0, formula});
    FormulaEvaluator evaluator(sheet);
    for (const auto &[at, formula] : formulas) {
        // A hidden cell is left out: its formula matters only to the cells
        // shown that refer to it.
        if (hiddenRows.contains(at.row) || hiddenColumns.contains(at.column))
            continue;
        const std::optional<double> result = evaluator.value(at);
        if (!result) {
            unknown << at;
            continue;
        }
        const ImportCell cell = cellOf(at, *result);
        if (!cell.isEmpty())
            cells.insert_or_assign(at, cell);
    }
    return unknown;
}
