#include "platform/handles.h"

#include <QApplication>
#include <QHash>
#include <QWidget>

namespace plenvor {

namespace {

// A handle lives inside the object it names and leaves the table with it, so plain pointers
// never dangle.
struct HandleTable
{
    QHash<Hwnd, QObject *> objects;
    QHash<const QObject *, Hwnd> handles;
    Hwnd next = 0x00010010;
};

// The window system's own table: one per process, like the handles it stands for.
HandleTable &table()
{
    static HandleTable instance;
    return instance;
}

} // namespace

WindowHandle::WindowHandle(QObject *target) : m_handle(table().next)
{
    table().next += 4;
    table().objects.insert(m_handle, target);
    table().handles.insert(target, m_handle);
}

WindowHandle::~WindowHandle()
{
    auto &t = table();
    if (const auto it = t.objects.constFind(m_handle); it != t.objects.cend())
        t.handles.remove(*it);
    t.objects.remove(m_handle);
}

QObject *objectFromHandle(Hwnd handle)
{
    return table().objects.value(handle, nullptr);
}

Hwnd handleOf(const QObject *object)
{
    return object ? table().handles.value(object, 0) : 0;
}

Hwnd applicationHandle()
{
    // Created on first use and kept for the life of the process, like the owner window.
    static const WindowHandle owner(qApp);
    return owner.value();
}

Hwnd GetFocus()
{
    return handleOf(QApplication::focusWidget());
}

} // namespace plenvor
