#pragma once

#include "platform/error_report.h"
#include "platform/handles.h"

#include <QElapsedTimer>
#include <QMargins>
#include <QWidget>

class QKeyEvent;

namespace plenvor {

// A top-level window measured in twips, with an outer Height and Top in single precision,
// load, unload and key-down events, and key preview: its key handler sees every key first.
//
// The form keeps its own Left, Top and Height: what the window system shows is that,
// rounded to pixels and clamped to what X11 can hold, so resizing the window back and
// forth always returns exactly to where it was. Only a move that did not come from the
// program itself (the user dragging the window) is taken back into these values.
class Form : public QWidget
{
    Q_OBJECT
public:
    enum class State { Created, Loading, Loaded, Unloading, Unloaded };

    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    Hwnd hWnd() const { return m_handle.value(); }
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

    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void previewKey(const QKeyEvent &event);
    void applyGeometry();
    void learnFrame();
    int frameHeight() const { return m_frame.top() + m_frame.bottom(); }
    int frameWidth() const { return m_frame.left() + m_frame.right(); }

    WindowHandle m_handle{this};
    State m_state = State::Created;
    const QKeyEvent *m_previewed = nullptr;

    float m_left = 0;
    float m_top = 0;
    float m_clientWidth = 0;
    float m_clientHeight = 0;
    QMargins m_frame; // pixels, as the window manager reports them once the window is mapped
    QPoint m_requested;
    QElapsedTimer m_sinceRequest;
};

} // namespace plenvor
