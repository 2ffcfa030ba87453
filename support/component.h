#pragma once

#include "runtime/status.h"

#include <functional>
#include <memory>

namespace plenvor {

// Creates an outside component, reporting failure by status.
template <class Interface>
using ComponentFactory = std::function<Status(std::unique_ptr<Interface> &)>;

// One instance of an outside component, created when first needed; a use that finds
// none (because creating it failed before) tries again.
template <class Interface> class ComponentSlot
{
public:
    explicit ComponentSlot(ComponentFactory<Interface> factory) : m_factory(std::move(factory)) {}

    Interface &get()
    {
        if (!m_instance) {
            std::unique_ptr<Interface> created;
            check(m_factory ? m_factory(created) : status::kCannotCreateObject);
            if (!created)
                throw RuntimeError(status::kCannotCreateObject);
            m_instance = std::move(created);
        }
        return *m_instance;
    }
    bool exists() const { return m_instance != nullptr; }

private:
    ComponentFactory<Interface> m_factory;
    std::unique_ptr<Interface> m_instance;
};

} // namespace plenvor
