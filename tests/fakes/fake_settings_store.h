#pragma once

#include "support/settings_store.h"

#include <QMap>
#include <QSet>
#include <QVector>

#include <memory>

namespace plenvor::test {

// One call into the store, with every argument as it arrived.
struct StoreCall
{
    enum class Op { Read, Write } op;
    QString section;
    QString key;
    qint32 kind = -1;
    const AppObject *app = nullptr;
    Variant value; // the default for a read, the value for a write
    VbBool perUser = 0;
    VbBool byRefIn = 99; // what the by-reference flag held when the call came
    bool resultPointerGiven = false;
};

// What the fake stores keep between instances: the values, as a real store keeps them
// from one run to the next, and the record of calls.
struct FakeStoreState
{
    QMap<QString, Variant> values;
    QVector<StoreCall> calls;
    QSet<QString> failing; // keys whose reads and writes fail
    bool creationFails = false;
    int instancesCreated = 0;
    int instancesAlive = 0;

    QVector<StoreCall> reads() const;
    QVector<StoreCall> writes() const;
};

class FakeSettingsStore final : public SettingsStore
{
public:
    static constexpr Status kFailure = makeStatus(0x80070005u);

    explicit FakeSettingsStore(std::shared_ptr<FakeStoreState> state);
    ~FakeSettingsStore() override;

    Status ReadValue(const QString &section, const QString &key, qint32 kind, const AppObject &app,
                     const Variant &defaultValue, VbBool perUser, VbBool &found,
                     Variant *result) override;
    Status WriteValue(const QString &section, const QString &key, qint32 kind, const Variant &value,
                      const AppObject &app, VbBool perUser, VbBool *result) override;

    static SettingsStoreFactory factory(std::shared_ptr<FakeStoreState> state);

private:
    std::shared_ptr<FakeStoreState> m_state;
};

} // namespace plenvor::test
