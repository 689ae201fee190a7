#include "reports/ReportZoom.h"

#include <algorithm>

namespace {
constexpr double kTolerance = 1e-6;

ZoomChoice &sessionChoice()
{
    static ZoomChoice choice;
    return choice;
}

ZoomChoice fixed(double factor)
{
    return {ZoomChoice::Kind::Fixed, factor};
}
} // namespace

const QVector<double> &zoomSteps()
{
    static const QVector<double> steps = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};
    return steps;
}

double zoomFactor(const ZoomChoice &choice, const QSizeF &page, const QSize &view, int margin)
{
    const double smallest = zoomSteps().first() / 2;
    const double largest = zoomSteps().last();
    if (choice.kind == ZoomChoice::Kind::Fixed)
        return std::clamp(choice.factor, zoomSteps().first(), largest);
    if (page.isEmpty())
        return 1.0;
    const double widthFit = (view.width() - 2.0 * margin) / page.width();
    double factor = widthFit;
    if (choice.kind == ZoomChoice::Kind::WholePage)
        factor = std::min(widthFit, (view.height() - 2.0 * margin) / page.height());
    return std::clamp(factor, smallest, largest);
}

ZoomChoice zoomedIn(double current)
{
    for (const double step : zoomSteps())
        if (step > current + kTolerance)
            return fixed(step);
    return fixed(zoomSteps().last());
}

ZoomChoice zoomedOut(double current)
{
    for (auto it = zoomSteps().crbegin(); it != zoomSteps().crend(); ++it)
        if (*it < current - kTolerance)
            return fixed(*it);
    return fixed(zoomSteps().first());
}

ZoomChoice sessionZoomChoice()
{
    return sessionChoice();
}

void setSessionZoomChoice(const ZoomChoice &choice)
{
    sessionChoice() = choice;
}
