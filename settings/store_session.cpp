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
    try {
        SettingsStore &store = m_store.get();
        VbBool taken = 0;
        check(store.WriteValue(QString(), key, kind, value, m_app, kVbTrue, &taken));
    } catch (const RuntimeError &error) {
        if (!failed(m_refused))
            m_refused = error.status();
        throw;
    }
}

std::optional<StoreFailure> StoreSession::finish()
{
    StoreFailure failure;
    Status outcome = m_refused;
    if (m_store.exists()) {
        if (const Status s = m_store.get().commit(failure); failed(s))
            outcome = s;
    }
    if (!failed(outcome))
        return std::nullopt;
    if (failure.why.isEmpty())
        failure.why = describeStatus(outcome);
    return failure;
}

} // namespace plenvor
