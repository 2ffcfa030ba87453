#include "fakes/fake_settings_store.h"

namespace plenvor::test {

QVector<StoreCall> FakeStoreState::reads() const
{
    QVector<StoreCall> out;
    for (const StoreCall &c : calls)
        if (c.op == StoreCall::Op::Read)
            out << c;
    return out;
}

QVector<StoreCall> FakeStoreState::writes() const
{
    QVector<StoreCall> out;
    for (const StoreCall &c : calls)
        if (c.op == StoreCall::Op::Write)
            out << c;
    return out;
}

FakeSettingsStore::FakeSettingsStore(std::shared_ptr<FakeStoreState> state)
    : m_state(std::move(state))
{
    ++m_state->instancesCreated;
    ++m_state->instancesAlive;
}

FakeSettingsStore::~FakeSettingsStore()
{
    --m_state->instancesAlive;
}

Status FakeSettingsStore::ReadValue(const QString &section, const QString &key, qint32 kind,
                                    const AppObject &app, const Variant &defaultValue,
                                    VbBool perUser, VbBool &found, Variant *result)
{
    m_state->calls << StoreCall{
        StoreCall::Op::Read, section, key, kind, &app, defaultValue, perUser, found,
        result != nullptr};
    if (m_state->failing.contains(key))
        return kFailure;
    const auto it = m_state->values.constFind(key);
    if (it != m_state->values.cend()) {
        *result = *it;
        found = kVbTrue;
    } else {
        *result = defaultValue.isOmitted() ? Variant() : defaultValue;
    }
    return status::kOk;
}

Status FakeSettingsStore::WriteValue(const QString &section, const QString &key, qint32 kind,
                                     const Variant &value, const AppObject &app, VbBool perUser,
                                     VbBool *result)
{
    m_state->calls << StoreCall{
        StoreCall::Op::Write,          section,          key, kind, &app, value, perUser,
        result ? *result : VbBool(99), result != nullptr};
    if (m_state->failing.contains(key))
        return kFailure;
    m_state->values.insert(key, value);
    return status::kOk;
}

SettingsStoreFactory FakeSettingsStore::factory(std::shared_ptr<FakeStoreState> state)
{
    return [state](std::unique_ptr<SettingsStore> &out) {
        if (state->creationFails)
            return status::kCannotCreateObject;
        out = std::make_unique<FakeSettingsStore>(state);
        return status::kOk;
    };
}

} // namespace plenvor::test
