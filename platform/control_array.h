#pragma once

#include "support/status.h"

#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace plenvor {

// A family of like controls under one name, told apart by a signed 16-bit index. Every
// element delivers its events to the array's shared handlers, bound with its index.
// Elements are owned by their Qt parent, the form. They are kept in index order in one
// vector: rows come and go at the end, and walking them stays close in memory.
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
        insert(index, element, true);
        bind(*element, index);
    }

    // Creates element `index` as a hidden copy of the lowest-indexed element.
    void Load(Index index)
    {
        if (m_elements.empty())
            throw RuntimeError(status::kNoSuchElement);
        if (find(index))
            throw RuntimeError(status::kAlreadyLoaded);
        Control *copy = m_elements.front().control->cloneInto(m_owner);
        insert(index, copy, false);
        bind(*copy, index);
    }

    // Destroys element `index`. The widget goes when control returns to the event loop,
    // so an element may remove itself from inside its own event. Its keyboard focus
    // passes to the element just below it.
    void Unload(Index index)
    {
        const auto it = position(index);
        if (it == m_elements.end() || it->index != index)
            throw RuntimeError(status::kNoSuchElement);
        if (it->fromLayout)
            throw RuntimeError(status::kCannotUnloadLayoutControl);
        Control *element = it->control;
        const auto below = m_elements.erase(it);
        if (element->hasFocus() && below != m_elements.begin())
            std::prev(below)->control->setFocus(Qt::OtherFocusReason);
        element->detachEvents();
        element->hide();
        element->deleteLater();
    }

    Index LBound() const { return ends().first; }
    Index UBound() const { return ends().second; }
    qint32 Count() const { return qint32(m_elements.size()); }

    Control &operator[](Index index) const
    {
        if (Control *element = find(index))
            return *element;
        throw RuntimeError(status::kNoSuchElement);
    }

    // The element, or null where there is none.
    Control *find(Index index) const
    {
        const auto it = position(index);
        return it != m_elements.end() && it->index == index ? it->control : nullptr;
    }

private:
    struct Element
    {
        Index index;
        bool fromLayout;
        Control *control;
    };
    using Elements = std::vector<Element>;

    typename Elements::const_iterator position(Index index) const
    {
        return std::lower_bound(m_elements.begin(), m_elements.end(), index,
                                [](const Element &e, Index i) { return e.index < i; });
    }

    void insert(Index index, Control *control, bool fromLayout)
    {
        m_elements.insert(position(index), Element{index, fromLayout, control});
    }

    std::pair<Index, Index> ends() const
    {
        if (m_elements.empty())
            throw RuntimeError(status::kNoSuchElement);
        return {m_elements.front().index, m_elements.back().index};
    }

    void bind(Control &element, Index index)
    {
        if (m_binder)
            m_binder(element, index);
    }

    QWidget *m_owner;
    Elements m_elements;
    EventBinder m_binder;
};

} // namespace plenvor
