#include "window/frmMain.h"

#include "runtime/variant_conversions.h"
#include "settings/keys.h"
#include "settings/store_session.h"

namespace plenvor {

std::pair<qint32, qint32> frmMain::rowRange() const noexcept
{
    qint32 first = 0;
    qint32 last = 0;
    resumeNext([&] { first = txtResolutionWidth.LBound(); });
    resumeNext([&] { last = txtResolutionHeight.UBound(); });
    return {first, last};
}

void frmMain::LoadSettings()
{
    StoreSession store(m_services.settingsStore, m_services.app);

    qint32 count = 0;
    resumeNext([&] {
        count = CLng(store.read(kCountKey, SettingsStore::kNumberValue, Variant::fromInt16(1)));
    });
    const qint32 rows = rowsToRestore(count);
    for (qint32 i = 2; i <= rows; ++i)
        AddResolutionRow();

    const auto [first, last] = rowRange();
    for (qint32 i = first; i <= last; ++i) {
        const auto row = qint16(i);
        // A field whose value cannot be read keeps its text; the others are still read.
        resumeNext([&] {
            TextBox &field = txtResolutionWidth[row];
            field.setText(
                CStr(store.read(widthKey(i), SettingsStore::kTextValue, Variant::omitted())));
        });
        resumeNext([&] {
            TextBox &field = txtResolutionHeight[row];
            field.setText(
                CStr(store.read(heightKey(i), SettingsStore::kTextValue, Variant::omitted())));
        });
    }
}

void frmMain::SaveSettings()
{
    StoreSession store(m_services.settingsStore, m_services.app);

    // In 32 bits: a full list of 32,768 rows has no 16-bit count.
    resumeNext([&] {
        store.write(kCountKey, SettingsStore::kNumberValue,
                    Variant::fromInt32(txtResolutionWidth.Count()));
    });
    const auto [first, last] = rowRange();
    // qint32, not qint16: the loop runs one past the last index, which can be 32767. One unwritable
    // entry costs only itself.
    for (qint32 i = first; i <= last; ++i) {
        const auto row = qint16(i);
        resumeNext([&] {
            store.write(widthKey(i), SettingsStore::kTextValue,
                        Variant::fromText(txtResolutionWidth[row].Text()));
        });
        resumeNext([&] {
            store.write(heightKey(i), SettingsStore::kTextValue,
                        Variant::fromText(txtResolutionHeight[row].Text()));
        });
    }
    // Whatever stood in the way is said where the list was to be kept (lifecycle.cpp).
    std::optional<StoreFailure> unkept = StoreFailure{{}, describeStatus(status::kUnexpected)};
    resumeNext([&] { unkept = store.finish(); });
    m_unkept = std::move(unkept);
}

} // namespace plenvor
