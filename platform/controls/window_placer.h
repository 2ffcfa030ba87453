#pragma once

#include "controls/placement.h"

#include <functional>

class QWidget;

namespace plenvor {

// Keeps where a form stands, in twips, and puts the real window that shows it where
// placeForm() says: within what the window system can hold, clipped to the screens where the
// form is larger. It learns the frame the window manager gives the window, and takes the
// moves the user makes back into the form's values.
class WindowPlacer
{
public:
    // Milliseconds on a clock that only goes forward.
    using Clock = std::function<qint64()>;

    explicit WindowPlacer(QWidget &window, Clock clock = steadyClock);

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
    // The window went to `at`, in the `frame` it has now: by the window manager's answer or by
    // the user.
    void moved(QPoint at, QMargins frame, bool byWindowSystem);
    // The window system tells the frame (the window's) once the window is mapped; the form
    // keeps its centre.
    void learnFrame(QMargins frame);
    static QMargins frameOf(const QWidget &window);

    // The part of the real window's client area that screens show, in its pixels.
    QRect onScreen() const;
    // How far down the form the real window's client area starts, in pixels.
    qint64 viewOffset() const { return m_viewOffset; }

private:
    static qint64 steadyClock();
    void apply(std::optional<Band> focus = std::nullopt);

    QWidget &m_window;
    Clock m_clock;
    float m_left = 0;
    float m_top = 0;
    float m_clientWidth = 0;
    float m_clientHeight = 0;
    QMargins m_frame; // pixels, as the window manager reports them once the window is mapped
    QPoint m_requested;
    qint64 m_requestedAt = 0;
    bool m_applying = false;
    QRect m_client; // where the real window's client area is: as asked, then as told
    Placement m_placed;
    qint64 m_viewOffset = 0;
};

} // namespace plenvor
