// Restoring the list from whatever bytes the settings file holds, through the real store, then
// storing it again. Checks: the rows come back contiguous from 0 within the row limit, and the
// count stored again matches the rows.
#include "desktop/qt_settings_store.h"
#include "fakes/harness.h"
#include "settings/keys.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace plenvor;
using test::field;
using test::label;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: destroyed among the exit handlers it would outlive
    // Qt's own thread storage.
    static QApplication *const app = new QApplication(*argc, *argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Plenvor"));
    static QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QDir().mkpath(dir.filePath(QStringLiteral("Korvane")));
    Q_UNUSED(app)
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = QSettings().fileName();
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        out.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    test::WindowHarness harness;
    harness.library.inIde = kVbTrue;
    harness.services.settingsStore = QtSettingsStore::factory();
    frmMain &form = harness.create();
    form.Show(); // restores the list
    if (!harness.errors.isEmpty() || !harness.rowsAreWhole())
        std::abort();
    form.close(); // stores it
    if (QSettings().value(kCountKey).toInt() != form.countOf(u"txtResolutionWidth"))
        std::abort();
    QFile::remove(file);
    return 0;
}
