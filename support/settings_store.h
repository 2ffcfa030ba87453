#pragma once

#include "runtime/status.h"
#include "runtime/truth.h"
#include "runtime/variant.h"
#include "support/app_object.h"
#include "support/component.h"

#include <QString>

namespace plenvor {

// Where a store could not keep what it was given, and what stood in the way, in the system's
// words; `where` is empty where the store is nowhere.
struct StoreFailure
{
    QString where;
    QString why;
};

// Keeps named values on the program's behalf, from one run to the next.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // What a key holds: a text, or a number that the store keeps as a number.
    static constexpr qint32 kTextValue = 0;
    static constexpr qint32 kNumberValue = 1;

    // The value stored under section/key, or the default when there is none. `perUser`
    // picks the user's own store; `found` is set to true when a stored value was returned.
    virtual Status ReadValue(const QString &section, const QString &key, qint32 kind,
                             const AppObject &app, const Variant &defaultValue, VbBool perUser,
                             VbBool &found, Variant *result) = 0;

    // Stores the value under section/key; `result` is set to true when it was taken.
    virtual Status WriteValue(const QString &section, const QString &key, qint32 kind,
                              const Variant &value, const AppObject &app, VbBool perUser,
                              VbBool *result) = 0;

    // Makes every value written so far last, in one step, as releasing the instance would; on
    // failure `failure` says where and why, and what was kept before stays as it was.
    virtual Status commit(StoreFailure &failure) = 0;
};

using SettingsStoreFactory = ComponentFactory<SettingsStore>;

} // namespace plenvor
