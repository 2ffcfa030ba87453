#include "controls/accessible_events.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QPointer>
#include <QtGui/private/qaccessiblecache_p.h>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace plenvor {

namespace {

std::vector<const QObject *> &silenced()
{
    static std::vector<const QObject *> objects;
    return objects;
}

bool isTextEvent(QAccessible::Event type)
{
    return type == QAccessible::TextCaretMoved || type == QAccessible::TextInserted ||
           type == QAccessible::TextRemoved || type == QAccessible::TextUpdated ||
           type == QAccessible::TextSelectionChanged;
}

bool heard(const QAccessibleEvent &event)
{
    const QObject *object = event.object();
    const std::vector<const QObject *> &quiet = silenced();
    for (const QObject *holder = object; holder && !quiet.empty(); holder = holder->parent()) {
        if (std::find(quiet.begin(), quiet.end(), holder) != quiet.end())
            return false;
    }
    const auto *widget = qobject_cast<const QWidget *>(object);
    return !widget || !isTextEvent(event.type()) || widget->hasFocus();
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)

// A message for a screen reader to say at once: a notification that shows itself. It is no
// widget, so nothing changes on the screen.
class Announcement final : public QAccessibleInterface
{
public:
    void say(QWidget &window, const QString &message)
    {
        m_window = &window;
        m_message = message;
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_window ? QAccessible::queryAccessibleInterface(m_window) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_message : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> m_window;
    QString m_message;
};

Announcement &announcement()
{
    // Qt's registry owns it from here on.
    static Announcement *const one = [] {
        auto *made = new Announcement;
        QAccessible::registerAccessibleInterface(made);
        return made;
    }();
    return *one;
}

#endif

QAccessible::UpdateHandler g_next = nullptr;

void filter(QAccessibleEvent *event);

// Hands the event on as if nothing stood between: to the handler there was before, or to the
// platform's bridge.
void pass(QAccessibleEvent *event)
{
    QAccessible::installUpdateHandler(g_next);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filter);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// The window as a screen reader meets it again: its activation, where its description is the
// number of rows.
// (The widget hears it is active only after the event; the application's focus window
// already is the window, where it is another one as the window is left for a box of its own.)
bool activates(const QAccessibleEvent &event, const QWidget &window)
{
    return event.type() == QAccessible::StateChanged && window.windowHandle() &&
           QGuiApplication::focusWindow() == window.windowHandle() &&
           static_cast<const QAccessibleStateChangeEvent &>(event).changedStates().active;
}
#endif

void filter(QAccessibleEvent *event)
{
    if (!heard(*event))
        return;
    pass(event);
    auto *window = qobject_cast<QWidget *>(event->object());
    if (!window || !window->isWindow())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Orca 48 speaks a new description of the focus's window itself, but not the description
    // of a window it meets again: that is announced after the window.
    if (activates(*event, *window) && !window->accessibleDescription().isEmpty()) {
        QAccessibleAnnouncementEvent count(window, window->accessibleDescription());
        pass(&count);
    }
#else
    // Orca 43 speaks a new description only of the focused object itself, and has no
    // announcements: the count is shown as a notification.
    if (event->type() == QAccessible::DescriptionChanged && window->isActiveWindow())
        announcement().say(*window, window->accessibleDescription());
#endif
}

} // namespace

void installAccessibleEvents()
{
    static const bool installed = [] {
        g_next = QAccessible::installUpdateHandler(filter);
        return true;
    }();
    Q_UNUSED(installed)
}

AccessibleSilence::AccessibleSilence(const QObject &object) : m_object(&object)
{
    silenced().push_back(m_object);
}

AccessibleSilence::~AccessibleSilence()
{
    std::vector<const QObject *> &quiet = silenced();
    quiet.erase(std::find(quiet.begin(), quiet.end(), m_object));
}

void forgetAccessible(QWidget &widget)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface *known = QAccessible::queryAccessibleInterface(&widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
        // Qt's cache connects to destroyed() each time it makes an interface for the widget and
        // never lets go; a widget lent to thousands of fields would gather thousands. Only the
        // cache's own connections go.
        QObject::disconnect(&widget, QMetaMethod::fromSignal(&QObject::destroyed),
                            QAccessibleCache::instance(), QMetaMethod());
    }
}

} // namespace plenvor
