#include "controls/placement.h"

#include "runtime/twips.h"

#include <algorithm>
#include <climits>

namespace plenvor {

namespace {

constexpr int kServerFrameRoom = 48;

} // namespace

QRect unionOf(const std::vector<ScreenArea> &screens)
{
    QRect all;
    for (const ScreenArea &screen : screens)
        all |= screen.geometry;
    return all;
}

namespace {

// Where a view `view` pixels high stands in a form `height` pixels high: where it stood, moved
// as little as it must to show the focused field; with the headings over the first fields,
// where less than two fields' height stands above the field.
qint64 viewFollowing(qint64 offset, const std::optional<Band> &focus, qint64 view, qint64 height)
{
    if (focus) {
        offset = std::max(offset, focus->bottom - view);
        if (offset > focus->top)
            offset = focus->top < 2 * (focus->bottom - focus->top) ? 0 : focus->top;
    }
    return std::clamp<qint64>(offset, 0, std::max<qint64>(0, height - view));
}

qint64 squaredDistance(const QRect &rect, QPoint point)
{
    const qint64 dx = std::max({0, rect.left() - point.x(), point.x() - rect.right()});
    const qint64 dy = std::max({0, rect.top() - point.y(), point.y() - rect.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

const ScreenArea *screenOf(const std::vector<ScreenArea> &screens, QPoint centre)
{
    const ScreenArea *nearest = nullptr;
    qint64 best = 0;
    for (const ScreenArea &screen : screens) {
        const qint64 distance = squaredDistance(screen.geometry, centre);
        if (!nearest || distance < best) {
            nearest = &screen;
            best = distance;
        }
    }
    return nearest;
}

Placement placeForm(const PlacementInput &input)
{
    const QMargins &frame = input.frame;
    const int frameHeight = frame.top() + frame.bottom();
    const qint64 outerTop = twipsToPixels(input.form.top);
    const qint64 top = outerTop + frame.top();
    const qint64 height = std::max(1, twipsToPixels(input.form.clientHeight));
    const int width = std::max(1, twipsToPixels(input.form.clientWidth));

    Placement placed;
    if (!input.placesWindows) {
        // A compositor that draws the frame itself tells nobody how tall it is: room is left
        // for a title bar.
        const QRect screens = unionOf(input.screens);
        const int room = frame.isNull() ? kServerFrameRoom : frameHeight;
        const qint64 view = std::min<qint64>(height, std::max(1, screens.height() - room));
        placed.client = QRect(screens.topLeft(), QSize(width, int(view)));
        placed.clipped = view != height;
        placed.viewOffset = viewFollowing(input.viewOffset, input.focus, view, height);
        return placed;
    }

    const int left = twipsToPixels(input.form.left);
    const qint64 middle = outerTop + (height + frameHeight) / 2;
    const QPoint centre(left + (width + frame.left() + frame.right()) / 2,
                        int(std::clamp<qint64>(middle, INT_MIN, INT_MAX)));
    if (const ScreenArea *own = screenOf(input.screens, centre)) {
        const QRect area = own->available.isEmpty() ? own->geometry : own->available;
        if (height + frameHeight > area.height()) {
            const int view = std::max(1, area.height() - frameHeight);
            placed.client = QRect(left + frame.left(), area.top() + frame.top(), width, view);
            placed.clipped = true;
            placed.viewOffset = viewFollowing(input.viewOffset, input.focus, view, height);
            return placed;
        }
    }
    // As the form stands, which on a screen X11's 16 bits of device pixels hold.
    placed.client = QRect(left + frame.left(), int(top), width, int(height));
    return placed;
}

} // namespace plenvor
