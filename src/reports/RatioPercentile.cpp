#include "reports/RatioPercentile.h"

#include <algorithm>
#include <cmath>

std::optional<int> estimatedPercentile(const Quartiles &quartiles, double ratio)
{
    return percentileOf(estimatedStanding(quartiles, ratio));
}

std::optional<int> percentileOf(std::optional<double> standing)
{
    if (!standing)
        return std::nullopt;
    return std::clamp(int(std::lround(*standing)), 1, 99);
}

QString percentileText(std::optional<int> percentile, ReportLanguage language)
{
    if (!percentile)
        return QStringLiteral("\u2014");
    const int n = *percentile;
    if (language == ReportLanguage::French)
        return QString::number(n) + (n == 1 ? QStringLiteral("er") : QStringLiteral("e"));
    const int lastTwo = n % 100;
    const int last = n % 10;
    const char *suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        if (last == 1)
            suffix = "st";
        else if (last == 2)
            suffix = "nd";
        else if (last == 3)
            suffix = "rd";
    }
    return QString::number(n) + QLatin1String(suffix);
}
