#include "reports/ExplainPlacement.h"

#include <algorithm>

namespace {
// The gap between the row and the panel, in pixels.
constexpr int kGap = 6;

enum class Side { Right, Left, Below, Above, None };

int clampedStart(int wanted, int low, int high, int length)
{
    return std::clamp(wanted, low, std::max(low, high - length + 1));
}

Side sideThatFits(const QRect &room, const QRect &row, const QSize &panel)
{
    if (row.right() + kGap + panel.width() <= room.right())
        return Side::Right;
    if (row.left() - kGap - panel.width() >= room.left())
        return Side::Left;
    if (row.bottom() + kGap + panel.height() <= room.bottom())
        return Side::Below;
    if (row.top() - kGap - panel.height() >= room.top())
        return Side::Above;
    return Side::None;
}
} // namespace

QPoint explainPanelPlace(const QRect &room, const QRect &row, const QSize &panel)
{
    // Beside the row, its top level with the row's; below or above, its left
    // edge under the row's name.
    const int besideTop = clampedStart(row.top(), room.top(), room.bottom(), panel.height());
    const int underLeft = clampedStart(row.left(), room.left(), room.right(), panel.width());
    switch (sideThatFits(room, row, panel)) {
    case Side::Right:
        return {row.right() + kGap + 1, besideTop};
    case Side::Left:
        return {row.left() - kGap - panel.width(), besideTop};
    case Side::Below:
        return {underLeft, row.bottom() + kGap + 1};
    case Side::Above:
        return {underLeft, row.top() - kGap - panel.height()};
    case Side::None:
        break;
    }
    // A view too small for any side: the panel stays whole inside it, on the
    // side of the row with more room, covering as little of the row as it can.
    const bool below = room.bottom() - row.bottom() >= row.top() - room.top();
    const int top = below ? room.bottom() - panel.height() + 1 : room.top();
    return {underLeft, std::max(room.top(), top)};
}

bool explainPanelFits(const QRect &room, const QRect &row, const QSize &panel)
{
    return sideThatFits(room, row, panel) != Side::None;
}
