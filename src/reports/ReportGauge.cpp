#include "reports/ReportGauge.h"

#include <algorithm>
#include <cmath>

GaugeBand gaugeBand(double better, double worse)
{
    // Doing better than `better` % of firms puts the firm at or above that
    // quarter; doing worse than `worse` % keeps it below 100 - worse.
    GaugeBand band;
    band.first = std::clamp(static_cast<int>(std::floor(better / 25.0)), 0, 3);
    band.last = std::clamp(3 - static_cast<int>(std::floor(worse / 25.0)), 0, 3);
    if (band.last < band.first)
        band.last = band.first; // positions from quartiles out of order: keep the better
    return band;
}

QString positionGaugeHtml(double better, double worse)
{
    const GaugeBand band = gaugeBand(better, worse);
    QString html = QStringLiteral("<table class=\"gauge\" cellspacing=\"1\" cellpadding=\"0\" "
                                  "bgcolor=\"#9aa5b1\" width=\"72\"><tr>");
    for (int quarter = 0; quarter < 4; ++quarter) {
        const bool inBand = quarter >= band.first && quarter <= band.last;
        html +=
            QStringLiteral("<td width=\"25%\" bgcolor=\"%1\"><font size=\"1\">&nbsp;</font></td>")
                .arg(inBand ? QStringLiteral("#1f4e79") : QStringLiteral("#ffffff"));
    }
    return html + QStringLiteral("</tr></table>");
}
