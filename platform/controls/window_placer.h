#pragma once

#include "controls/placement.h"

class QWidget;

namespace plenvor {

// Keeps where a form stands, in twips, and puts the real window that shows it where
// placeForm() says: within what the window system can hold, clipped to the screens where the
// form is larger. It learns the frame the window manager gives the window, and takes the
// moves the user makes back into the form's values.
//
// The window system reports where the window is, but not why: its reports are paired with the
// program's requests. The window manager keeps the fixed size it is asked for and may put the
// window elsewhere than asked, so a report answers the latest request of its size still
// unanswered, and every one before it. A report that answers none, once the window is on the
// screen, is the user's move.
class WindowPlacer
{
public:
    // Whether the program places its window: not on Wayland, where a client can neither place
    // its window nor learn where it is.
    static bool programPlacesWindows();
    explicit WindowPlacer(QWidget &window, bool placesWindows = programPlacesWindows())
        : m_window(window), m_placesWindows(placesWindows)
    {}

    float left() const { return m_left; }
    float top() const { return m_top; }
    float clientWidth() const { return m_clientWidth; }
    float clientHeight() const { return m_clientHeight; }
    QMargins frame() const { return m_frame; }
    void setLeft(float twips) { m_left = twips; }
    void setTop(float twips) { m_top = twips; }
    void setClientWidth(float twips) { m_clientWidth = twips; }
    void setClientHeight(float twips) { m_clientHeight = twips; }

    // Puts the real window where the form's values place it, where they `changed`; where a
    // compositor places the window, its view follows the `focus` (form pixels) as well.
    void place(bool changed, std::optional<Band> focus);
    // The window has been made, where the form stood: the window system's first report of it
    // answers that.
    void shown();
    // The window system reports the window's client area where it is now, in the frame it has
    // now (logical pixels): the window manager's answer to a request, or the user's move.
    void reported(const QRect &client, QMargins frame);
    // The same, as Qt tells it: a new size, then a new place, each only where it changed. A
    // size is taken with the place that follows it, or on its own once reports are done.
    void sizeReported(QSize size, QMargins frame);
    void placeReported(QPoint at, QMargins frame);
    void reportsDone();
    // The window system tells the frame (the window's) once the window is mapped; the form
    // keeps its centre.
    void learnFrame(QMargins frame);

    // The part of the real window's client area that screens show, in its pixels.
    QRect onScreen() const;
    // How far down the form the real window's client area starts, in pixels: above the form
    // by the height of a title bar the window draws itself.
    qint64 viewOffset() const { return m_viewOffset - m_header; }
    // Where a compositor places the window: the window draws a title bar this high above the
    // form's view.
    void setHeader(int pixels) { m_header = pixels; }

private:
    void apply(std::optional<Band> focus = std::nullopt);
    void applyOnce(std::optional<Band> focus);
    bool answers(const QRect &client, bool moved);
    bool exposed() const;

    QWidget &m_window;
    const bool m_placesWindows;
    float m_left = 0;
    float m_top = 0;
    float m_clientWidth = 0;
    float m_clientHeight = 0;
    QMargins m_frame;  // pixels, as the window manager reports them once the window is mapped
    QRect m_requested; // the client area last asked for
    std::vector<QRect> m_unanswered;  // requests the window system has not reported, oldest first
    std::vector<QPoint> m_asked;      // the places asked for since the user last moved the window
    QRect m_reported;                 // the window system's last report
    std::optional<QSize> m_sizeAlone; // a size reported, its place not yet
    QMargins m_sizeFrame;
    bool m_applying = false;
    bool m_applyAgain = false;
    QRect m_client; // where the real window's client area is: as asked, then as told
    Placement m_placed;
    qint64 m_viewOffset = 0;
    int m_header = 0;
};

} // namespace plenvor
