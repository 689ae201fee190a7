#include "reports/ReportNumberFormat.h"

#include <QStringList>
#include <cmath>

namespace {
// Digits with a thousands separator every three places.
QString groupThousands(const QString &digits, QChar separator)
{
    QString grouped;
    const int length = static_cast<int>(digits.size());
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            grouped += separator;
        grouped += digits.at(i);
    }
    return grouped;
}
} // namespace

ReportLanguage reportLanguageFromText(const QString &text)
{
    return text.trimmed().left(1).toUpper() == QLatin1String("F") ? ReportLanguage::French
                                                                  : ReportLanguage::English;
}

std::optional<NumberFormat> parseNumberFormat(const QString &text)
{
    const QStringList words =
        text.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::nullopt;
    NumberFormat format;
    const QString &kind = words.at(0);
    if (kind == QLatin1String("number"))
        format.kind = NumberKind::Number;
    else if (kind == QLatin1String("percent"))
        format.kind = NumberKind::Percent;
    else if (kind == QLatin1String("points"))
        format.kind = NumberKind::Points;
    else if (kind == QLatin1String("currency"))
        format.kind = NumberKind::Currency;
    else if (kind == QLatin1String("integer"))
        format.kind = NumberKind::Integer;
    else if (kind == QLatin1String("equals"))
        format.kind = NumberKind::Equals;
    else
        return std::nullopt;

    int next = 1;
    if (format.kind == NumberKind::Equals) {
        bool ok = false;
        format.target = words.value(next++).toDouble(&ok);
        if (!ok)
            return std::nullopt;
    } else if (next < words.size() && words.at(next) != QLatin1String("signed")) {
        bool ok = false;
        format.decimals = words.at(next++).toInt(&ok);
        if (!ok || format.decimals < 0 || format.decimals > 6)
            return std::nullopt;
    }
    if (next < words.size() && words.at(next) == QLatin1String("signed")) {
        format.showSign = true;
        ++next;
    }
    if (next != words.size())
        return std::nullopt;
    if (format.kind == NumberKind::Integer)
        format.decimals = 0;
    return format;
}

QString formatNumber(double value, const NumberFormat &format, ReportLanguage language)
{
    const bool french = language == ReportLanguage::French;
    const double factor = std::pow(10.0, format.decimals);
    double rounded = std::round(value * factor) / factor;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0.0" for a tiny negative figure

    const QString fixed = QString::number(std::fabs(rounded), 'f', format.decimals);
    const qsizetype point = fixed.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? fixed : fixed.left(point);
    const QString fraction = point < 0 ? QString() : fixed.mid(point + 1);

    QString body = groupThousands(whole, french ? kNoBreakSpace : QLatin1Char(','));
    if (!fraction.isEmpty())
        body += (french ? QLatin1Char(',') : QLatin1Char('.')) + fraction;

    QString sign;
    if (rounded < 0)
        sign = QStringLiteral("-");
    else if (format.showSign && rounded > 0)
        sign = QStringLiteral("+");

    switch (format.kind) {
    case NumberKind::Percent:
        return sign + body + (french ? QString(kNoBreakSpace) : QString()) + QLatin1Char('%');
    case NumberKind::Points:
        return sign + body + kNoBreakSpace +
               (french ? QStringLiteral("points") + kNoBreakSpace + QStringLiteral("de") +
                             kNoBreakSpace + QLatin1Char('%')
                       : QStringLiteral("pts"));
    case NumberKind::Currency:
        return french ? sign + body + kNoBreakSpace + QLatin1Char('$')
                      : sign + QLatin1Char('$') + body;
    default:
        return sign + body;
    }
}

std::optional<double> numericValue(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const int type = value.typeId();
    const bool numeric = type == QMetaType::Double || type == QMetaType::Int ||
                         type == QMetaType::LongLong || type == QMetaType::Float;
    const double number = numeric ? value.toDouble(&ok) : value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString formatValue(const QVariant &value, const NumberFormat &format, ReportLanguage language,
                    const QString &missing)
{
    if (value.isNull() || value.toString().trimmed().isEmpty())
        return missing;
    const std::optional<double> number = numericValue(value);
    if (!number)
        return value.toString();
    return formatNumber(*number, format, language);
}
