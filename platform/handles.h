#pragma once

#include "support/hwnd.h"

#include <QObject>

namespace plenvor {

// Gives an object a handle for as long as this lives; handles are never reused, so a
// stale handle finds nothing instead of somebody else's window.
class WindowHandle
{
public:
    explicit WindowHandle(QObject *target);
    ~WindowHandle();
    WindowHandle(const WindowHandle &) = delete;
    WindowHandle &operator=(const WindowHandle &) = delete;

    Hwnd value() const { return m_handle; }

private:
    Hwnd m_handle;
};

// The object behind a handle, or null when the handle is unknown or its object is gone.
QObject *objectFromHandle(Hwnd handle);
Hwnd handleOf(const QObject *object);

// The handle that stands for the application as a whole (its hidden owner window).
Hwnd applicationHandle();

// The handle of the field that holds the keyboard focus, or 0.
Hwnd GetFocus();

} // namespace plenvor
