// Restoring the list from arbitrary store contents, then storing it again. Input: a mode
// byte, then either typed values for the count and row texts (any variant type, any size,
// invalid UTF-8 and control characters included) given to the store component, or the raw
// bytes of the settings file read through QSettings.
// Checks: the rows come back contiguous from 0 within the row limit, every field holds the
// text the store gave it, and storing the list again writes a count that matches the rows.
#include "fakes/harness.h"
#include "platform/qt_settings_store.h"
#include "settings/keys.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace plenvor;

namespace {

class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_pos >= m_size; }
    quint8 byte() { return empty() ? 0 : m_data[m_pos++]; }
    qint32 int32()
    {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | byte();
        return qint32(v);
    }
    QByteArray bytes(size_t n)
    {
        n = std::min(n, m_size - std::min(m_pos, m_size));
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

Variant variantFrom(Input &in)
{
    switch (in.byte() % 8) {
    case 0: return Variant();
    case 1: return Variant::null();
    case 2: return Variant::fromInt16(qint16(in.int32()));
    case 3: return Variant::fromInt32(in.int32());
    case 4: {
        const QByteArray raw = in.bytes(8);
        double d = 0;
        std::memcpy(&d, raw.constData(), size_t(std::min<qsizetype>(raw.size(), 8)));
        return Variant::fromDouble(d);
    }
    case 5: {
        // Long texts are made by repeating a short piece, so that a few input bytes can ask
        // for 64 KiB (a megabyte is the hostile-store test's; here it would slow every run).
        const int repeat = in.byte();
        const QString piece = QString::fromUtf8(in.bytes(in.byte()));
        const qsizetype copies = repeat > 200 ? (1 << 16) / std::max<qsizetype>(1, piece.size()) : 1;
        return Variant::fromText(piece.repeated(copies));
    }
    case 6: return Variant::error(in.int32());
    default: return Variant::omitted();
    }
}

bool rowsAreWhole(const frmMain &f)
{
    const qint32 rows = f.txtResolutionWidth.Count();
    return rows >= 1 && rows <= kRowLimit && f.txtResolutionWidth.LBound() == 0 &&
           f.txtResolutionWidth.UBound() == rows - 1 && f.txtResolutionHeight.Count() == rows &&
           f.lblArrow.Count() == rows && f.txtTargetWidth.Count() == rows &&
           f.txtTargetHeight.Count() == rows;
}

// Counts up to this build real rows; past it the rows up to the limit would take seconds a
// run. Those counts are held to the limit here, and the limit itself is covered by a unit test
// and by the hostile-store test on the real program.
constexpr qint32 kRealRows = 64;

// Restores the list as the window's loading does, checks the rows, and stores it again as
// its closing does. The window is not shown: painting would cost most of each run.
void restoreAndStore(frmMain &f, qint32 count, const test::ErrorReports &errors)
{
    if (count > kRealRows) {
        if (rowsToRestore(count) > kRowLimit)
            std::abort();
        return;
    }
    FormProbe::LoadSettings(f);
    if (!errors.statuses.isEmpty() || !rowsAreWhole(f))
        std::abort();
    FormProbe::SaveSettings(f);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: destroyed among the exit handlers it would outlive
    // Qt's own thread storage.
    static QApplication *const app = new QApplication(*argc, *argv);
    Q_UNUSED(app)
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    test::WindowHarness h;
    h.library.inIde = kVbTrue;
    if (in.byte() % 2 == 0) {
        if (in.byte() % 4 != 0)
            h.store->values.insert(kCountKey, variantFrom(in));
        while (!in.empty()) {
            const int row = in.byte() % 80;
            const QString key = in.byte() % 2 ? widthKey(row) : heightKey(row);
            h.store->values.insert(key, variantFrom(in));
        }
        qint32 count = 0;
        h.store->values.value(kCountKey, Variant::fromInt16(1)).toInt32(count);
        frmMain &f = h.create();
        restoreAndStore(f, count, h.errors);
        if (count <= kRealRows) {
            // Every field holds what the store gave it, and the count stored matches the rows.
            for (qint16 i = 0; i <= f.txtResolutionWidth.UBound(); ++i) {
                QString stored;
                const auto it = h.store->values.constFind(widthKey(i));
                if (it != h.store->values.cend() && !failed(it->toText(stored)) &&
                    f.txtResolutionWidth[i].Text() != stored)
                    std::abort();
            }
            if (h.store->values.value(kCountKey) != storedCount(f.txtResolutionWidth.Count()))
                std::abort();
        }
        return 0;
    }

    // The real store, reading whatever the settings file holds.
    static QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QDir().mkpath(dir.filePath(QStringLiteral("Korvane")));
    const QString file = dir.filePath(QStringLiteral("Korvane/Plenvor.conf"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        out.write(in.bytes(size));
    }
    qint32 count = 0;
    {
        QtSettingsStore store;
        VbBool found = 0;
        Variant value;
        if (!failed(store.ReadValue(QString(), kCountKey, SettingsStore::kNumberValue, h.app,
                                    Variant::fromInt16(1), kVbTrue, found, &value)))
            value.toInt32(count);
    }
    frmMain form(FormServices{h.library, h.app, QtSettingsStore::factory(), h.aboutBox});
    restoreAndStore(form, count, h.errors);
    QFile::remove(file);
    return 0;
}
