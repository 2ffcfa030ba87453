#pragma once

#include "support/settings_store.h"

#include <QSettings>

#include <map>
#include <memory>
#include <optional>

namespace plenvor {

// The settings store on QSettings in its native form: an INI file under the XDG config
// folder on Linux ("Korvane/Plenvor.conf"), the registry on Windows, named from the
// application object. Values written by one instance reach the file, in one atomic
// replacement, at commit or when the instance is released.
class QtSettingsStore final : public SettingsStore
{
public:
    QtSettingsStore() = default;
    ~QtSettingsStore() override;

    Status ReadValue(const QString &section, const QString &key, qint32 kind, const AppObject &app,
                     const Variant &defaultValue, VbBool perUser, VbBool &found,
                     Variant *result) override;
    Status WriteValue(const QString &section, const QString &key, qint32 kind, const Variant &value,
                      const AppObject &app, VbBool perUser, VbBool *result) override;
    Status commit(StoreFailure &failure) override;

    static SettingsStoreFactory factory();

private:
    struct OpenFile
    {
        std::unique_ptr<QSettings> settings;
        // Asked once: the answer opens the file, and a list is thousands of values.
        std::optional<bool> writable;
    };
    OpenFile &fileFor(const AppObject &app, VbBool perUser);

    std::map<std::pair<QString, bool>, OpenFile> m_open;
};

} // namespace plenvor
