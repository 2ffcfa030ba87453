#include "controls/placement.h"

#include "runtime/twips.h"

#include <algorithm>
#include <cmath>

namespace plenvor {

namespace {

constexpr double kMinDevice = -32768;
constexpr double kMaxDevice = 32767;
constexpr int kServerFrameRoom = 48;

} // namespace

Reach reachOf(const std::vector<ScreenArea> &screens)
{
    Reach reach;
    for (const ScreenArea &screen : screens) {
        const double ratio = std::max(1.0, screen.ratio);
        // Qt keeps a screen's top left corner in device pixels and scales from there.
        for (const int origin : {screen.geometry.left(), screen.geometry.top()}) {
            reach.min = std::max(reach.min, int(std::ceil(origin + (kMinDevice - origin) / ratio)));
            reach.max =
                std::min(reach.max, int(std::floor(origin + (kMaxDevice - origin) / ratio)));
        }
        reach.size = std::min(reach.size, int(std::floor(kMaxDevice / ratio)));
    }
    return reach;
}

QRect unionOf(const std::vector<ScreenArea> &screens)
{
    QRect all;
    for (const ScreenArea &screen : screens)
        all |= screen.geometry;
    return all;
}

Placement placeForm(const PlacementInput &input)
{
    const Reach reach = reachOf(input.screens);
    const QRect screens = unionOf(input.screens);
    const QMargins &frame = input.frame;
    const int frameHeight = frame.top() + frame.bottom();
    const qint64 outerTop = twipsToPixels(input.form.top);
    const qint64 top = outerTop + frame.top();
    const qint64 bottom = top + std::max(1, twipsToPixels(input.form.clientHeight));
    const int width = std::clamp(twipsToPixels(input.form.clientWidth), 1, reach.size);

    Placement placed;
    placed.formClientTop = top;
    qint64 realTop = top;
    qint64 realBottom = bottom;
    if (!input.placesWindows) {
        // A compositor that draws the frame itself tells nobody how tall it is: room is left
        // for a title bar.
        const int room = frame.isNull() ? kServerFrameRoom : frameHeight;
        realBottom = std::min<qint64>(bottom, top + std::max(1, screens.height() - room));
        const qint64 view = realBottom - top;
        placed.client = QRect(screens.topLeft(), QSize(width, int(view)));
        placed.clipped = realBottom != bottom;
        qint64 offset = input.viewOffset;
        if (input.focus) {
            offset = std::max(offset, input.focus->bottom - view);
            offset = std::min(offset, input.focus->top);
        }
        placed.viewOffset = std::clamp<qint64>(offset, 0, bottom - realBottom);
        return placed;
    }

    const qint64 maxClient = reach.size - frameHeight;
    if (outerTop < reach.min || bottom - top > maxClient ||
        bottom + frame.bottom() > std::min<qint64>(reach.max, screens.bottom() + 1)) {
        const qint64 shownTop = std::max<qint64>(top, screens.top());
        const qint64 shownBottom =
            std::max(shownTop, std::min<qint64>(bottom, screens.bottom() + 1));
        if (outerTop < reach.min || shownBottom - top > maxClient)
            realTop = std::clamp<qint64>(shownTop, reach.min + frame.top(),
                                         reach.max - frame.bottom() - 1);
        realBottom = std::min({bottom, std::max(shownBottom, realTop + 1), realTop + maxClient,
                               qint64(reach.max) - frame.bottom()});
    }
    placed.clipped = realTop != top || realBottom != bottom;
    placed.viewOffset = placed.clipped ? realTop - top : 0;
    const int left = std::clamp(twipsToPixels(input.form.left), reach.min, reach.max);
    placed.client = QRect(left + frame.left(), int(realTop), width,
                          int(std::max<qint64>(1, realBottom - realTop)));
    return placed;
}

} // namespace plenvor
