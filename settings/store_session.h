#pragma once

#include "support/component.h"
#include "support/settings_store.h"

namespace plenvor {

// One procedure's use of the settings store: the instance is created when a step first
// needs it, created again by a step that finds none, and released with the session.
// Failures are raised as run-time errors.
class StoreSession
{
public:
    StoreSession(const SettingsStoreFactory &factory, const AppObject &app);

    Variant read(const QString &key, qint32 kind, const Variant &defaultValue);
    void write(const QString &key, qint32 kind, const Variant &value);

private:
    ComponentSlot<SettingsStore> m_store;
    const AppObject &m_app;
};

} // namespace plenvor
