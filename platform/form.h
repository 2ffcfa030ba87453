#pragma once

#include "platform/controls.h"
#include "platform/error_report.h"
#include "platform/handles.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMargins>
#include <QWidget>

#include <optional>

class QKeyEvent;

namespace plenvor {

// A top-level window measured in twips, with an outer Height and Top in single precision,
// load, unload and key-down events, and key preview: its key handler sees every key first.
//
// The form keeps its own Left, Top and Height. The window system shows the part of that
// window it can: X11 holds positions and sizes in 16 bits, so a window beyond them is shown
// through a real window clipped to what a screen can show, its frame and caption where the
// form's top puts them whenever that top is in reach. Only a move that did not come from the
// program itself (the user dragging the window) is taken back into the form's values.
//
// Its controls are models (controls.h); the form gives a widget to each control a screen
// shows and to the one that holds the focus, and takes it back when neither is so.
class Form : public QWidget, public HandleTarget
{
    Q_OBJECT
public:
    enum class State { Created, Loading, Loaded, Unloading, Unloaded };

    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    Hwnd hWnd() const { return handle(); }
    State state() const { return m_state; }

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // The outer size and position, frame and caption included.
    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const;
    float Height() const;
    void setLeft(float twips);
    void setTop(float twips);
    void setHeight(float twips);

    // The inside of the frame, where the controls stand.
    float ScaleWidth() const { return m_clientWidth; }
    float ScaleHeight() const { return m_clientHeight; }

    // Loads the form on first use (Form_Load runs to its end), then shows it modeless.
    // Run-time errors from Form_Load reach the caller.
    void Show();
    // Runs Form_Unload and closes the window; an unload is never refused.
    void Unload() { close(); }

    // Gives widgets to exactly the controls that need them now; otherwise that happens
    // before the next paint. With `everything`, every visible control gets one (a window
    // made only of widgets, to compare with).
    void syncViews();
    void setShowsEveryControl(bool everything);
    // How far down the form the real window's client area starts, in pixels.
    int viewOffset() const { return m_viewOffset; }
    // Whether the program can put its windows where it wants (not so on Wayland).
    static bool placesWindows();

    // Makes one of the form's single controls; the arguments follow the group and index.
    template <class T, class... Args> T &addControl(Args &&...args)
    {
        auto control = std::make_unique<T>(*m_singles, qint16(0), std::forward<Args>(args)...);
        T &made = *control;
        m_singleControls.push_back(std::move(control));
        controlMoved(made);
        return made;
    }

    // For the controls: what happens to them.
    void groupCreated(ControlGroup &group);
    void groupLeaving(ControlGroup &group);
    void groupGone(ControlGroup &group);
    void fieldCreated(TextBox &field);
    void fieldGone(TextBox &field);
    void controlMoved(const Control &control);
    void controlGone(Control &control);
    void focusField(TextBox &field, Qt::FocusReason reason);
    // A field without a widget keeps its caret and selection here, where it has one to keep.
    void keepSelection(const TextBox &field, std::optional<Selection> selection);
    std::optional<Selection> keptSelection(const TextBox &field) const;

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(qint16 &cancel) { Q_UNUSED(cancel) }
    virtual void Form_KeyDown(qint16 &keyCode, qint16 &shift)
    {
        Q_UNUSED(keyCode)
        Q_UNUSED(shift)
    }
    // Runs when a run-time error is about to end the program after the form has loaded.
    virtual void beforeFatalError() noexcept {}

    // Runs an event handler: a run-time error that escapes it ends the program through
    // the platform's report, never in Qt's event loop.
    template <class Handler> void guarded(Handler &&handler) noexcept
    {
        stopAtEdge([&] {
            try {
                handler();
            } catch (...) {
                if (m_state == State::Loaded)
                    beforeFatalError();
                throw;
            }
        });
    }

    void setClientSize(qint32 widthTwips, qint32 heightTwips);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void previewKey(const QKeyEvent &event);
    void geometryChanged();
    void applyGeometry();
    // The real window's client area starts at this screen line; it shows the form from there.
    void showFrom(qint64 realClientTop);
    void learnFrame();
    int frameHeight() const { return m_frame.top() + m_frame.bottom(); }
    int frameWidth() const { return m_frame.left() + m_frame.right(); }

    // The part of the client area that a screen shows, in the real window's pixels.
    QRect onScreen() const;
    void scheduleSync();
    void bind(Control &control);
    void unbind(Control &control);
    void place(const Control &control) const;

    State m_state = State::Created;
    const QKeyEvent *m_previewed = nullptr;

    float m_left = 0;
    float m_top = 0;
    float m_clientWidth = 0;
    float m_clientHeight = 0;
    QMargins m_frame; // pixels, as the window manager reports them once the window is mapped
    QPoint m_requested;
    QRect m_clientRect; // where the real window's client area is: as asked, then as told
    QElapsedTimer m_sinceRequest;
    qint64 m_clientTop = 0; // the form's client area's top on the screen, in pixels
    bool m_clipped = false; // the real window shows only a part of the form
    int m_viewOffset = 0;

    std::vector<ControlGroup *> m_groups;
    const ControlGroup *m_leavingGroup = nullptr;
    std::unique_ptr<ControlGroup> m_singles;
    std::vector<TextBox *> m_tabOrder; // the layout's fields, then each new one
    QHash<const TextBox *, Selection> m_selections;
    std::vector<Control *> m_bound;
    std::vector<QWidget *> m_freeWidgets[2]; // fields, labels
    QRect m_shown;                           // what onScreen() was at the last sync
    bool m_syncPosted = false;
    bool m_geometryPending = false;
    bool m_showsEverything = false;
    // Last, so that they go first, while the form can still take their widgets back.
    std::vector<std::unique_ptr<Control>> m_singleControls;
};

} // namespace plenvor
