#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the ratio explanation panel goes so that it leaves the row (or the
// chart bar) it explains in sight: beside the row when the view has room to
// its right or left, else just below it, else just above it. All rectangles
// are in the same coordinates; `room` is the part of the view the panel may
// use, `row` the explained row.
QPoint explainPanelPlace(const QRect &room, const QRect &row, const QSize &panel);

// Whether a panel of `panel` size fits in `room` beside, below or above `row`
// without covering it.
bool explainPanelFits(const QRect &room, const QRect &row, const QSize &panel);
