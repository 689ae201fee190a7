#include "firm/AmountText.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A finite number as its shortest exact digits and the power of ten of the
// last digit: value = digits x 10^exponent (sign left out).
struct DecimalDigits
{
    std::string digits;
    int exponent = 0;
};

DecimalDigits decimalDigits(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    DecimalDigits out;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            out.digits += text[i];
    }
    out.exponent = std::stoi(text.substr(e + 1)) - int(out.digits.size() - 1);
    return out;
}

// Adds one to a string of decimal digits.
std::string incremented(std::string digits)
{
    int i = int(digits.size()) - 1;
    while (i >= 0 && digits[i] == '9')
        digits[i--] = '0';
    if (i < 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[i];
    return digits;
}

// The value as a whole number of ten-thousandths, rounded half to even.
std::string tenThousandths(double value)
{
    const DecimalDigits d = decimalDigits(value);
    const int shift = d.exponent + 4;
    if (shift >= 0)
        return d.digits + std::string(shift, '0');
    const int dropped = -shift;
    const int n = int(d.digits.size());
    if (dropped > n)
        return "0";
    std::string kept = d.digits.substr(0, n - dropped);
    const std::string rest = d.digits.substr(n - dropped);
    if (kept.empty())
        kept = "0";
    const bool aboveHalf =
        rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool half = rest[0] == '5' && !aboveHalf;
    const bool keptOdd = (kept.back() - '0') % 2 == 1;
    if (aboveHalf || (half && keptOdd))
        kept = incremented(kept);
    return kept;
}

std::string withoutTrailingZeros(std::string digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    return digits;
}
} // namespace

double fncLeadingNumber(const QString &text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!isBlank(c))
            compact += c;
    }

    int i = 0;
    const int size = int(compact.size());
    bool negative = false;
    if (i < size && (compact[i] == QLatin1Char('+') || compact[i] == QLatin1Char('-')))
        negative = compact[i++] == QLatin1Char('-');

    std::string number = "0";
    bool point = false;
    bool anyDigit = false;
    for (; i < size; ++i) {
        const QChar c = compact[i];
        if (isDigit(c)) {
            number += char(c.unicode());
            anyDigit = true;
        } else if (c == QLatin1Char('.') && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;

    // An exponent counts only when at least one digit follows its letter.
    if (i < size && QStringLiteral("EeDd").contains(compact[i])) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < size && (compact[j] == QLatin1Char('+') || compact[j] == QLatin1Char('-')))
            exponent += char(compact[j++].unicode());
        const int firstDigit = j;
        while (j < size && isDigit(compact[j]))
            exponent += char(compact[j++].unicode());
        if (j > firstDigit)
            number += exponent;
    }

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large is infinite; too small to represent is zero.
        const bool tiny = number.find("e-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::optional<QString> fncAmountNormalForm(const QString &text)
{
    return fncAmountNormalForm(fncLeadingNumber(text));
}

std::optional<QString> fncAmountNormalForm(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargestAmount)
        return std::nullopt;
    if (value == 0.0)
        return QStringLiteral("0");

    std::string scaled = tenThousandths(value);
    if (scaled.size() < 5)
        scaled.insert(0, 5 - scaled.size(), '0');
    const std::string whole = scaled.substr(0, scaled.size() - 4);
    const std::string fraction = withoutTrailingZeros(scaled.substr(scaled.size() - 4));
    std::string out = whole.substr(std::min(whole.find_first_not_of('0'), whole.size() - 1));
    if (!fraction.empty())
        out += '.' + fraction;
    if (out == "0")
        return QStringLiteral("0");
    return (value < 0 ? QStringLiteral("-") : QString()) + QString::fromStdString(out);
}

QString fncDoubleText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    // The shortest fixed form that reads back as the same double.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

double fncExactSum(const QStringList &texts)
{
    double sum = 0.0;
    for (const QString &text : texts)
        sum += fncLeadingNumber(text);
    return sum;
}

QString fncSubtotalText(double sum)
{
    return fncAmountNormalForm(sum).value_or(fncDoubleText(sum));
}

QString fncPreparedAmount(const QString &text)
{
    QString prepared = text.isEmpty() ? QStringLiteral("0") : text;
    prepared.replace(QLatin1Char(','), QLatin1Char('.'));
    return prepared;
}

std::optional<double> fncStorableAmount(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > kLargestAmount)
        return std::nullopt;
    return value;
}
