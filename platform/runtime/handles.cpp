#include "runtime/handles.h"

#include <QHash>

namespace plenvor {

namespace {

// The window system's own table: one per process, like the handles it stands for. Only
// what has been asked for its handle is in it.
struct HandleTable
{
    QHash<Hwnd, HandleTarget *> targets;
    Hwnd next = 0x00010010;
};

// Never destroyed: targets that outlive main's end (the owner window) still leave it.
HandleTable &table()
{
    static auto *const instance = new HandleTable;
    return *instance;
}

} // namespace

HandleTarget::~HandleTarget()
{
    if (m_handle)
        table().targets.remove(m_handle);
}

Hwnd HandleTarget::handle() const
{
    if (!m_handle) {
        m_handle = table().next;
        table().next += 4;
        table().targets.insert(m_handle, const_cast<HandleTarget *>(this));
    }
    return m_handle;
}

HandleTarget *targetOfHandle(Hwnd handle)
{
    return table().targets.value(handle, nullptr);
}

HandleTarget &applicationWindow()
{
    // Kept for the life of the process, like the owner window it stands for.
    static struct ApplicationWindow : HandleTarget
    {
    } owner;
    return owner;
}

} // namespace plenvor
