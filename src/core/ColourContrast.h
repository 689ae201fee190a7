#pragma once

#include <QColor>

// Contrast between two colours as WCAG 2.1 measures it: from 1 (the same
// luminance) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// `preferred` when it keeps `minimum` contrast on `background`, else
// `fallback` (the palette's own text colour, which the theme makes readable).
QColor readableOn(const QColor &preferred, const QColor &background, const QColor &fallback,
                  double minimum = 4.5);

// Text keeps 4.5:1 on its background; marks of a chart 3:1.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kGraphicContrast = 3.0;
