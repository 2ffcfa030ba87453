// Saves a long list through the window's own SaveSettings and the real settings store, once
// (generation 0) or again and again with a new generation of texts, until killed. Prints
// "saving N" before each save.
//   save_forever ROWS once|forever
#include "fakes/harness.h"
#include "platform/qt_settings_store.h"

#include <QApplication>

#include <cstdio>

using namespace plenvor;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rows = argc == 3 ? std::atoi(argv[1]) : 0;
    const bool again = argc == 3 && std::strcmp(argv[2], "forever") == 0;
    test::WindowHarness harness;
    harness.services.settingsStore = QtSettingsStore::factory();
    harness.create();
    harness.addRows(rows - 1);
    for (int generation = again ? 1 : 0;; ++generation) {
        for (qint16 i = 0; i < rows; ++i) {
            const QString row = QStringLiteral("g%1-r%2-").arg(generation).arg(i);
            harness.setRow(i, row + u'w' + QString(200, u'x'), row + u'h' + QString(200, u'x'));
        }
        std::printf("saving %d\n", generation);
        std::fflush(stdout);
        FormProbe::SaveSettings(*harness.form);
        if (!again)
            return 0;
    }
}
