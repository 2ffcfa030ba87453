#pragma once

#include <QMargins>
#include <QRect>

#include <optional>
#include <vector>

namespace plenvor {

// A screen as Qt describes it: where it stands in logical pixels, how many device pixels make
// one of them there, and the part of it windows may use (its panels and docks left out; none
// given is the whole screen).
struct ScreenArea
{
    QRect geometry;
    double ratio = 1;
    QRect available = {};
};

// Everything the screens cover, as one rectangle.
QRect unionOf(const std::vector<ScreenArea> &screens);

// Where a form stands, in twips: its outer left and top, and its client area's size.
struct FormRect
{
    double left = 0;
    double top = 0;
    double clientWidth = 0;
    double clientHeight = 0;
};

// A band of the form's client area, in pixels from its top: where a field stands.
struct Band
{
    qint64 top = 0;
    qint64 bottom = 0;
};

struct PlacementInput
{
    FormRect form = {};
    QMargins frame = {}; // logical pixels, as the window manager reports them
    std::vector<ScreenArea> screens = {};
    // False where the compositor places windows (Wayland). The program cannot know where its
    // window is then: the window is at most a screen high, and its view follows the focus.
    bool placesWindows = true;
    std::optional<Band> focus = {};
    qint64 viewOffset = 0; // where the view stood so far
};

// The real window that shows the form: where its client area is to stand (logical pixels; on
// a compositor only its size counts), and how far down the form that client area starts.
struct Placement
{
    QRect client;
    qint64 viewOffset = 0;
    bool clipped = false; // the real window shows only a part of the form
};

// The screen a form belongs to: the one its centre stands on, else the nearest; none without
// screens.
const ScreenArea *screenOf(const std::vector<ScreenArea> &screens, QPoint centre);

// A form no taller than the usable part of its screen is shown whole, exactly where it stands.
// A taller one is shown by a real window as tall as that part, frame included, standing on it
// from its top, below the form's own left; where a compositor places the window, by one a
// screen high. Such a window shows the part of the form that holds the focus, moved as little
// as it must.
Placement placeForm(const PlacementInput &input);

} // namespace plenvor
