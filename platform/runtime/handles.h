#pragma once

#include "runtime/hwnd.h"

namespace plenvor {

// Anything the window system knows by a handle: a form, a text field, the application's
// hidden owner window.
class HandleTarget
{
public:
    virtual ~HandleTarget();

    // The handle, given on first use; it is never reused, so a stale handle finds nothing
    // instead of somebody else's window.
    Hwnd handle() const;

protected:
    HandleTarget() = default;
    HandleTarget(const HandleTarget &) = delete;
    HandleTarget &operator=(const HandleTarget &) = delete;

private:
    mutable Hwnd m_handle = 0;
};

// What the handle stands for, or null when it is unknown or its owner is gone.
HandleTarget *targetOfHandle(Hwnd handle);

// The application's hidden owner window: it stands for the application as a whole.
HandleTarget &applicationWindow();

} // namespace plenvor
