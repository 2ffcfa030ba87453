#pragma once

#include "controls/controls.h"
#include "runtime/status.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

namespace plenvor {

// A family of like controls under one name, told apart by a signed 16-bit index; new
// elements are hidden copies of the lowest-indexed one. Elements are kept in index order in
// one vector: rows come and go at the end. The form asks which elements a screen shows by
// their tops, which rise with the index as long as no element stands above the one before
// it; the array counts such pairs and searches the whole array while there are any.
template <class T> class ControlArray final : public ControlGroup
{
    static constexpr bool kFields = std::is_same_v<T, TextBox>;

public:
    using Index = qint16;

    ControlArray(ControlHost &host, QString name) : ControlGroup(host), m_name(std::move(name)) {}

    // Creates an element of the form's layout; the arguments follow the group and index.
    template <class... Args> T &create(Index index, Args &&...args)
    {
        auto element = std::make_unique<T>(*this, index, std::forward<Args>(args)...);
        return insert(index, std::move(element), true);
    }

    // Creates element `index` as a hidden copy of the lowest-indexed element.
    void Load(Index index)
    {
        if (m_elements.empty())
            throw RuntimeError(status::kNoSuchElement);
        if (find(index))
            throw RuntimeError(status::kAlreadyLoaded);
        insert(index, m_elements.front().control->cloneAs(*this, index), false);
    }

    // Destroys element `index`. Its keyboard focus passes to the element before it, the row
    // above.
    void Unload(Index index)
    {
        const auto it = position(index);
        if (it == m_elements.end() || it->index != index)
            throw RuntimeError(status::kNoSuchElement);
        if (it->fromLayout)
            throw RuntimeError(status::kCannotUnloadLayoutControl);
        const auto at = std::size_t(it - m_elements.begin());
        if constexpr (kFields) {
            if (it->control->hasFocus() && at > 0)
                m_elements[at - 1].control->SetFocus();
        }
        adjustInversions(at, -1);
        m_elements.erase(it);
        if (at > 0 && at < m_elements.size())
            m_inversions += inverted(at - 1);
    }

    Index LBound() const { return ends().first; }
    Index UBound() const { return ends().second; }
    qint32 Count() const { return qint32(m_elements.size()); }

    T &operator[](Index index) const
    {
        if (T *element = find(index))
            return *element;
        throw RuntimeError(status::kNoSuchElement);
    }

    // The element, or null where there is none.
    T *find(Index index) const
    {
        const auto it = position(index);
        return it != m_elements.end() && it->index == index ? it->control.get() : nullptr;
    }

    void collect(qint32 top, qint32 bottom, ShownControls &out) const override
    {
        auto it = m_elements.begin();
        if (m_inversions == 0) {
            // No element reaches further down than the tallest one from its top.
            it = std::partition_point(m_elements.begin(), m_elements.end(), [&](const Element &e) {
                return qint64(e.control->Top()) + m_tallest <= top;
            });
        }
        for (; it != m_elements.end(); ++it) {
            if (it->control->Top() >= bottom && m_inversions == 0)
                break;
            if (it->control->standsIn(top, bottom))
                out.add(it->control.get());
        }
    }

    void fieldsAt(qint32 index, std::vector<TextBox *> &out) const override
    {
        if constexpr (kFields) {
            if (index >= -32768 && index <= 32767) {
                if (T *element = find(Index(index)))
                    out.push_back(element);
            }
        }
    }
    std::optional<qint32> fieldIndexAfter(qint32 index) const override
    {
        if (!kFields)
            return std::nullopt;
        const auto it = std::upper_bound(m_elements.begin(), m_elements.end(), index,
                                         [](qint32 i, const Element &e) { return i < e.index; });
        return it == m_elements.end() ? std::nullopt : std::optional<qint32>(it->index);
    }
    std::optional<qint32> fieldIndexBefore(qint32 index) const override
    {
        if (!kFields)
            return std::nullopt;
        const auto it = std::lower_bound(m_elements.begin(), m_elements.end(), index,
                                         [](const Element &e, qint32 i) { return e.index < i; });
        return it == m_elements.begin() ? std::nullopt
                                        : std::optional<qint32>(std::prev(it)->index);
    }

    void memberMoved(const Control &member, qint32 oldTop) override
    {
        m_tallest = std::max(m_tallest, member.Height());
        const auto it = position(member.Index());
        if (it == m_elements.end() || it->control.get() != &member)
            return; // still being made
        // Recount the pairs on either side of it.
        const auto at = std::size_t(it - m_elements.begin());
        const qint32 top = member.Top();
        if (at > 0) {
            const qint32 above = m_elements[at - 1].control->Top();
            m_inversions += int(top < above) - int(oldTop < above);
        }
        if (at + 1 < m_elements.size()) {
            const qint32 below = m_elements[at + 1].control->Top();
            m_inversions += int(below < top) - int(below < oldTop);
        }
    }

    Control *named(QStringView name, qint32 index) const override
    {
        return name == m_name && index >= -32768 && index <= 32767 ? find(Index(index)) : nullptr;
    }
    qint32 countNamed(QStringView name) const override { return name == m_name ? Count() : 0; }

private:
    struct Element
    {
        Index index;
        bool fromLayout;
        std::unique_ptr<T> control;
    };
    using Elements = std::vector<Element>;

    typename Elements::const_iterator position(Index index) const
    {
        return std::lower_bound(m_elements.begin(), m_elements.end(), index,
                                [](const Element &e, Index i) { return e.index < i; });
    }

    T &insert(Index index, std::unique_ptr<T> control, bool fromLayout)
    {
        T &element = *control;
        const auto at = std::size_t(position(index) - m_elements.begin());
        if (at > 0 && at < m_elements.size())
            m_inversions -= inverted(at - 1);
        m_elements.insert(m_elements.begin() + std::ptrdiff_t(at),
                          Element{index, fromLayout, std::move(control)});
        adjustInversions(at, +1);
        m_tallest = std::max(m_tallest, element.Height());
        host().moved(element);
        return element;
    }

    // Adds or takes away the pairs the element at `at` makes with its neighbours.
    void adjustInversions(std::size_t at, int sign)
    {
        if (at > 0)
            m_inversions += sign * inverted(at - 1);
        if (at + 1 < m_elements.size())
            m_inversions += sign * inverted(at);
    }

    // 1 where the element at `at + 1` stands above the one at `at`.
    int inverted(std::size_t at) const
    {
        return m_elements[at + 1].control->Top() < m_elements[at].control->Top() ? 1 : 0;
    }

    std::pair<Index, Index> ends() const
    {
        if (m_elements.empty())
            throw RuntimeError(status::kNoSuchElement);
        return {m_elements.front().index, m_elements.back().index};
    }

    QString m_name;
    Elements m_elements;
    qint64 m_inversions = 0;
    qint32 m_tallest = 0;
};

} // namespace plenvor
