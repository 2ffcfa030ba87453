#pragma once

#include "support/status.h"

#include <QWidget>

#include <functional>
#include <map>
#include <set>

namespace plenvor {

// A family of like controls under one name, told apart by a signed 16-bit index. Every
// element delivers its events to the array's shared handlers, bound with its index.
// Elements are owned by their Qt parent, the form.
template <class Control> class ControlArray
{
public:
    using Index = qint16;
    // Connects one element's events to the array's handlers.
    using EventBinder = std::function<void(Control &, Index)>;

    explicit ControlArray(QWidget *owner) : m_owner(owner) {}
    ControlArray(const ControlArray &) = delete;
    ControlArray &operator=(const ControlArray &) = delete;

    void setEventBinder(EventBinder binder) { m_binder = std::move(binder); }

    // Takes an element made with the form's layout.
    void adopt(Index index, Control *element)
    {
        m_elements[index] = element;
        m_designTime.insert(index);
        bind(*element, index);
    }

    // Creates element `index` as a hidden copy of the lowest-indexed element.
    void Load(Index index)
    {
        if (m_elements.empty())
            throw RuntimeError(status::kNoSuchElement);
        if (m_elements.count(index))
            throw RuntimeError(status::kAlreadyLoaded);
        Control *copy = m_elements.begin()->second->cloneInto(m_owner);
        m_elements[index] = copy;
        bind(*copy, index);
    }

    // Destroys element `index`. The widget goes when control returns to the event loop,
    // so an element may remove itself from inside its own event. Its keyboard focus
    // passes to the element just below it.
    void Unload(Index index)
    {
        const auto it = m_elements.find(index);
        if (it == m_elements.end())
            throw RuntimeError(status::kNoSuchElement);
        if (m_designTime.count(index))
            throw RuntimeError(status::kCannotUnloadDesignTime);
        Control *element = it->second;
        m_elements.erase(it);
        if (element->hasFocus()) {
            if (const auto below = m_elements.lower_bound(index); below != m_elements.begin())
                std::prev(below)->second->setFocus(Qt::OtherFocusReason);
        }
        element->detachEvents();
        element->hide();
        element->deleteLater();
    }

    Index LBound() const { return ends().first; }
    Index UBound() const { return ends().second; }
    qint32 Count() const { return qint32(m_elements.size()); }

    Control &operator[](Index index) const
    {
        const auto it = m_elements.find(index);
        if (it == m_elements.end())
            throw RuntimeError(status::kNoSuchElement);
        return *it->second;
    }

    // The element, or null where there is none.
    Control *find(Index index) const
    {
        const auto it = m_elements.find(index);
        return it == m_elements.end() ? nullptr : it->second;
    }

private:
    std::pair<Index, Index> ends() const
    {
        if (m_elements.empty())
            throw RuntimeError(status::kNoSuchElement);
        return {m_elements.begin()->first, m_elements.rbegin()->first};
    }

    void bind(Control &element, Index index)
    {
        if (m_binder)
            m_binder(element, index);
    }

    QWidget *m_owner;
    std::map<Index, Control *> m_elements;
    std::set<Index> m_designTime;
    EventBinder m_binder;
};

} // namespace plenvor
