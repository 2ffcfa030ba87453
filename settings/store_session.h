#pragma once

#include "support/component.h"
#include "support/settings_store.h"

#include <optional>

namespace plenvor {

// One procedure's use of the settings store: the instance is created when a step first
// needs it, created again by a step that finds none, and released with the session.
// Failures are raised as run-time errors, and remembered for `finish`.
class StoreSession
{
public:
    StoreSession(const SettingsStoreFactory &factory, const AppObject &app);

    Variant read(const QString &key, qint32 kind, const Variant &defaultValue);
    void write(const QString &key, qint32 kind, const Variant &value);
    // Makes what was written last; says where and why where anything written, or any store
    // to write to, was refused, before or now.
    std::optional<StoreFailure> finish();

private:
    ComponentSlot<SettingsStore> m_store;
    const AppObject &m_app;
    Status m_refused = status::kOk;
};

} // namespace plenvor
