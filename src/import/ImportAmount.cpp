#include "import/ImportAmount.h"

#include "firm/AmountText.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <string>

namespace {
bool isSpace(QChar c)
{
    // Spreadsheets group thousands with plain, no-break and thin spaces.
    return c.isSpace() || c == QChar(0x00a0) || c == QChar(0x202f) || c == QChar(0x2009);
}

bool isDash(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2212) || c == QChar(0x2013) || c == QChar(0x2014);
}

// Digits grouped by `mark` in threes after the first group ("1,234,567").
bool groupedByThrees(const QString &digits, QChar mark)
{
    const QStringList groups = digits.split(mark);
    if (groups.first().isEmpty() || groups.first().size() > 3)
        return false;
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups[i].size() != 3)
            return false;
    }
    return true;
}

// The digits of an unsigned number with "." as its only decimal mark, or
// empty when its separators do not make a number.
std::optional<QString> plainDigits(const QString &number, DecimalComma comma)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]*([.,][0-9]+)*[.,]?$"));
    if (!shape.match(number).hasMatch() ||
        !number.contains(QRegularExpression(QStringLiteral("[0-9]"))))
        return std::nullopt;
    const qsizetype lastComma = number.lastIndexOf(QLatin1Char(','));
    const qsizetype lastPoint = number.lastIndexOf(QLatin1Char('.'));
    QChar decimal;
    if (lastComma >= 0 && lastPoint >= 0) {
        decimal = lastComma > lastPoint ? QLatin1Char(',') : QLatin1Char('.');
    } else if (lastComma >= 0) {
        const bool thousands =
            comma == DecimalComma::WhenUnclear && groupedByThrees(number, QLatin1Char(','));
        if (!thousands)
            decimal = QLatin1Char(',');
    } else if (lastPoint >= 0) {
        const bool thousands =
            number.count(QLatin1Char('.')) > 1 ||
            (comma == DecimalComma::Always && groupedByThrees(number, QLatin1Char('.')));
        if (!thousands)
            decimal = QLatin1Char('.');
    }
    QString integral = number;
    QString fraction;
    if (!decimal.isNull()) {
        const qsizetype at = number.lastIndexOf(decimal);
        integral = number.left(at);
        fraction = number.mid(at + 1);
    }
    // What is left of the decimal mark may group thousands with the other mark.
    const bool commas = integral.contains(QLatin1Char(','));
    const bool points = integral.contains(QLatin1Char('.'));
    if (commas && points)
        return std::nullopt;
    if (commas || points) {
        const QChar group = commas ? QLatin1Char(',') : QLatin1Char('.');
        if (group == decimal || !groupedByThrees(integral, group))
            return std::nullopt;
        integral.remove(group);
    }
    if (integral.isEmpty())
        integral = QStringLiteral("0");
    return fraction.isEmpty() ? integral : integral + QLatin1Char('.') + fraction;
}
} // namespace

std::optional<double> parseImportAmount(const QString &text, DecimalComma comma)
{
    QString compact;
    for (const QChar c : text) {
        if (!isSpace(c))
            compact += c;
    }
    if (compact.isEmpty())
        return std::nullopt;
    if (compact.size() == 1 && isDash(compact[0]))
        return 0.0;

    // A currency mark, accounting parentheses and one sign, in the orders
    // spreadsheets write them: "$(5)", "($5)", "-$5", "$-5", "5 $", "5-".
    const auto dropCurrency = [&compact] {
        if (compact.startsWith(QLatin1Char('$')))
            compact.remove(0, 1);
        else if (compact.endsWith(QLatin1Char('$')))
            compact.chop(1);
    };
    bool negative = false;
    int signs = 0;
    dropCurrency();
    if (compact.startsWith(QLatin1Char('(')) && compact.endsWith(QLatin1Char(')'))) {
        negative = true;
        ++signs;
        compact = compact.mid(1, compact.size() - 2);
        dropCurrency();
    }
    if (!compact.isEmpty() && (isDash(compact.front()) || compact.front() == QLatin1Char('+'))) {
        if (isDash(compact.front())) {
            negative = true;
            ++signs;
        }
        compact.remove(0, 1);
        dropCurrency();
    } else if (compact.size() > 1 && isDash(compact.back())) {
        negative = true;
        ++signs;
        compact.chop(1);
        dropCurrency();
    }
    if (signs > 1)
        return std::nullopt;

    const std::optional<QString> digits = plainDigits(compact, comma);
    if (!digits)
        return std::nullopt;
    const std::string ascii = digits->toStdString();
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() ||
        !std::isfinite(value) || value > kLargestAmount)
        return std::nullopt;
    return negative ? -value : value;
}
