#include "settings/store_session.h"

namespace plenvor {

StoreSession::StoreSession(const SettingsStoreFactory &factory, const AppObject &app)
    : m_store(factory), m_app(app)
{}

Variant StoreSession::read(const QString &key, qint32 kind, const Variant &defaultValue)
{
    SettingsStore &store = m_store.get();
    VbBool found = 0;
    Variant result;
    check(store.ReadValue(QString(), key, kind, m_app, defaultValue, kVbTrue, found, &result));
    return result;
}

void StoreSession::write(const QString &key, qint32 kind, const Variant &value)
{
    SettingsStore &store = m_store.get();
    VbBool taken = 0;
    check(store.WriteValue(QString(), key, kind, value, m_app, kVbTrue, &taken));
}

} // namespace plenvor
