#pragma once

#include "controls/accessible_events.h"
#include "controls/control_array.h"
#include "controls/title_bar.h"
#include "controls/view_binder.h"
#include "controls/window_placer.h"
#include "runtime/error_report.h"
#include "runtime/handles.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace plenvor {

// A top-level window measured in twips, with an outer Height and Top in single precision,
// load, unload and key-down events, and key preview: its key handler sees every key first.
//
// Its controls are models (controls.h); the window placer puts the real window where the
// form stands, as far as the window system can show it, and the view binder gives widgets to
// the controls a screen shows there.
class Form : public QWidget, public HandleTarget
{
    Q_OBJECT
public:
    // A run-time error that escapes an event handler ends in `report`.
    explicit Form(ErrorReport &report, QWidget *parent = nullptr);
    ~Form() override;

    Hwnd hWnd() const { return handle(); }

    // The outer size and position, frame and caption included.
    float Left() const { return m_placer.left(); }
    float Top() const { return m_placer.top(); }
    float Width() const;
    float Height() const;
    void setLeft(float twips);
    void setTop(float twips);
    void setHeight(float twips);
    // How far down the form the window's client area starts, in pixels: where the window shows
    // only a part of the form, the part that holds the focus.
    qint64 viewOffset() const { return m_placer.viewOffset(); }

    // From here on, forms draw their own frame: where the program runs, nobody else draws one.
    static void drawOwnFrames();

    // Loads the form on first use (Form_Load runs to its end), then shows it modeless.
    // Run-time errors from Form_Load reach the caller.
    void Show();
    // Runs Form_Unload and closes the window; an unload is never refused.
    void Unload() { close(); }
    // The session ends the program (a termination signal, the session manager): any modal box
    // closes, then the form unloads as closing would, with nobody there to be asked anything.
    void endForSession();
    // The window system has gone: runs Form_Unload as closing would, leaving alone the window,
    // which nothing can close any more. A form unloads once, whichever way comes first.
    void unloadWithoutWindow();
    // The session asks its programs to keep their users' work now; the form stays loaded.
    // Says whether the work is kept (a form not loaded has none to keep).
    bool keepWorkNow();

    // What assistive technology reads of the form (accessibility.h).
    const ViewBinder &views() const { return m_binder; }

    // The form's controls by name, as its Controls collection finds them: a single field by its
    // name, an element of a control array by its name and index. A name or index the form does
    // not hold, or a control of another kind, is a run-time error.
    template <class T> T &control(QStringView name, qint16 index = 0) const
    {
        if (auto *found = dynamic_cast<T *>(&controlNamed(name, index)))
            return *found;
        throw RuntimeError(status::kTypeMismatch);
    }
    // How many controls go by the name: the elements of an array, 1 for a single field.
    qint32 countOf(QStringView name) const;

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(qint16 &cancel) { Q_UNUSED(cancel) }
    virtual void Form_KeyDown(qint16 &keyCode, qint16 &shift)
    {
        Q_UNUSED(keyCode)
        Q_UNUSED(shift)
    }
    // Keeps the user's work where the form cannot wait for its unload: before a run-time error
    // ends the program after the form has loaded, and when the session asks. Says whether it
    // is kept.
    virtual bool keepWork() noexcept { return true; }
    // Whether the unload under way comes from the user closing the window (Esc, the close
    // button), who is there to read a message, rather than from the session's end.
    bool userCloses() const { return m_state == State::Unloading && !m_sessionEnds; }

    // Runs an event handler: a run-time error that escapes it ends the program through
    // the platform's report, never in Qt's event loop.
    template <class Handler> void guarded(Handler &&handler) noexcept
    {
        stopAtEdge(m_report, [&] {
            try {
                handler();
            } catch (...) {
                if (m_state == State::Loaded)
                    keepWork();
                throw;
            }
        });
    }

    // Where the form's control arrays are made.
    ControlHost &controls() { return m_binder; }
    void setClientSize(qint32 widthTwips, qint32 heightTwips);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum class State : std::uint8_t { Created, Loading, Loaded, Unloading, Unloaded };

    Control &controlNamed(QStringView name, qint16 index) const;
    // Places the window and gives widgets to exactly the controls that need them now, which
    // otherwise happens before the next paint.
    void syncViews();
    void previewKey(const QKeyEvent &event);
    void runUnload();
    void geometryChanged();
    void syncSoon();

    static bool s_ownFrames;

    ErrorReport &m_report;
    State m_state = State::Created;
    bool m_sessionEnds = false;
    bool m_syncPosted = false;
    bool m_geometryPending = false;
    WindowPlacer m_placer;
    // Once unloaded the window only goes: a screen reader would read its going after the
    // program has ended, and Orca 48 then takes a new program's objects for the dead ones.
    std::optional<AccessibleSilence> m_ended;
    TitleBar *m_titleBar = nullptr; // the frame of the form's own, where it draws one
    // Before the controls, which tell it of themselves to their end.
    ViewBinder m_binder;
};

} // namespace plenvor
