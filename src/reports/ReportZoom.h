#pragma once

#include <QSize>
#include <QSizeF>
#include <QVector>

// How large the report viewer draws a page: fitted to the width of the view,
// the whole page in the view, or a fixed step (1.0 is the paper's own size).
struct ZoomChoice
{
    enum class Kind { FitWidth, WholePage, Fixed };

    Kind kind = Kind::FitWidth;
    double factor = 1.0; // for Fixed

    bool operator==(const ZoomChoice &) const = default;
};

// The fixed steps the viewer offers, smallest first.
const QVector<double> &zoomSteps();

// The factor that draws a page of `page` size (at the paper's own size) in a
// view of `view` size under the choice; `margin` is kept free on each side.
double zoomFactor(const ZoomChoice &choice, const QSizeF &page, const QSize &view, int margin);

// The next fixed step above (or below) the factor in use; the largest (or
// smallest) step when there is none.
ZoomChoice zoomedIn(double current);
ZoomChoice zoomedOut(double current);

// The choice the report viewer opens with: fit width at first, then the
// user's last choice, for the rest of the session.
ZoomChoice sessionZoomChoice();
void setSessionZoomChoice(const ZoomChoice &choice);
