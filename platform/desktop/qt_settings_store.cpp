#include "desktop/qt_settings_store.h"

#include "desktop/write_failure.h"
#include "runtime/variant_conversions.h"

#include <QStringList>

namespace plenvor {

namespace {

constexpr Status kNullPointer = makeStatus(0x80004003u); // E_POINTER

QString fullKey(const QString &section, const QString &key)
{
    return section.isEmpty() ? key : section + u'/' + key;
}

bool validArguments(const QString &key, qint32 kind)
{
    return !key.isEmpty() &&
           (kind == SettingsStore::kTextValue || kind == SettingsStore::kNumberValue);
}

// What the file holds, as a variant. An INI file keeps text; a value that someone
// edited into a list reads as the line it was written as.
Status fromStored(const QVariant &stored, Variant &out)
{
    switch (stored.typeId()) {
    case QMetaType::QString:
        out = Variant::fromText(stored.toString());
        return status::kOk;
    case QMetaType::QStringList:
        out = Variant::fromText(stored.toStringList().join(QStringLiteral(", ")));
        return status::kOk;
    case QMetaType::QByteArray:
        out = Variant::fromText(QString::fromUtf8(stored.toByteArray()));
        return status::kOk;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: {
        bool ok = false;
        const qlonglong whole = stored.toLongLong(&ok);
        if (ok && stored.typeId() != QMetaType::Double && whole >= INT_MIN && whole <= INT_MAX)
            out = Variant::fromInt32(qint32(whole));
        else
            out = Variant::fromDouble(stored.toDouble());
        return status::kOk;
    }
    default:
        return status::kTypeMismatch;
    }
}

Status toStored(const Variant &value, qint32 kind, QVariant &out)
{
    if (kind == SettingsStore::kNumberValue) {
        qint32 number = 0;
        if (const Status s = variantToInt32(value, number); failed(s))
            return s;
        out = number;
        return status::kOk;
    }
    QString text;
    if (const Status s = variantToText(value, text); failed(s))
        return s;
    out = text;
    return status::kOk;
}

} // namespace

QtSettingsStore::~QtSettingsStore()
{
    for (auto &[name, file] : m_open)
        file.settings->sync();
}

QtSettingsStore::OpenFile &QtSettingsStore::fileFor(const AppObject &app, VbBool perUser)
{
    OpenFile &file = m_open[std::make_pair(app.exeName, perUser != 0)];
    if (!file.settings) {
        file.settings = std::make_unique<QSettings>(
            QSettings::NativeFormat, perUser ? QSettings::UserScope : QSettings::SystemScope,
            app.productName, app.exeName);
    }
    return file;
}

Status QtSettingsStore::ReadValue(const QString &section, const QString &key, qint32 kind,
                                  const AppObject &app, const Variant &defaultValue, VbBool perUser,
                                  VbBool &found, Variant *result)
{
    if (!result)
        return kNullPointer;
    if (!validArguments(key, kind))
        return status::kInvalidArg;
    found = kVbFalse;
    const QVariant stored = fileFor(app, perUser).settings->value(fullKey(section, key));
    if (!stored.isValid()) {
        // Nothing stored: the default, or empty where none was given.
        *result = defaultValue.isOmitted() ? Variant() : defaultValue;
        return status::kOk;
    }
    Variant value;
    if (const Status s = fromStored(stored, value); failed(s))
        return s;
    *result = std::move(value);
    found = kVbTrue;
    return status::kOk;
}

Status QtSettingsStore::WriteValue(const QString &section, const QString &key, qint32 kind,
                                   const Variant &value, const AppObject &app, VbBool perUser,
                                   VbBool *result)
{
    if (!validArguments(key, kind))
        return status::kInvalidArg;
    QVariant stored;
    if (const Status s = toStored(value, kind, stored); failed(s))
        return s;
    OpenFile &file = fileFor(app, perUser);
    if (!file.writable)
        file.writable = file.settings->isWritable();
    if (!*file.writable)
        return status::kAccessDenied;
    file.settings->setValue(fullKey(section, key), stored);
    if (result)
        *result = kVbTrue;
    return status::kOk;
}

Status QtSettingsStore::commit(StoreFailure &failure)
{
    for (auto &[name, file] : m_open) {
        // A file refused at the first write is not tried again.
        if (file.writable.value_or(true))
            file.settings->sync();
        if (file.writable.value_or(true) && file.settings->status() == QSettings::NoError)
            continue;
        failure.where = file.settings->fileName();
        failure.why = file.settings->status() == QSettings::FormatError
                          ? QStringLiteral("the file is not one the store can read")
                          : whyNotWritable(failure.where);
        return status::kAccessDenied;
    }
    return status::kOk;
}

SettingsStoreFactory QtSettingsStore::factory()
{
    return [](std::unique_ptr<SettingsStore> &out) {
        out = std::make_unique<QtSettingsStore>();
        return status::kOk;
    };
}

} // namespace plenvor
