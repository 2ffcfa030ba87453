// Saves a long list through the window's own SaveSettings and the real settings store, once
// (generation 0) or again and again with a new generation of texts each time, until killed.
// Prints "saving N" before each save.
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
    if (argc != 3)
        return 2;
    const int rows = std::atoi(argv[1]);
    const bool again = std::strcmp(argv[2], "forever") == 0;

    test::WindowHarness h;
    frmMain form(FormServices{h.library, h.app, QtSettingsStore::factory(), h.aboutBox});
    for (int i = 1; i < rows; ++i)
        FormProbe::AddResolutionRow(form);
    const QString padding(200, u'x');
    for (int generation = again ? 1 : 0;; ++generation) {
        for (qint16 i = 0; i < rows; ++i) {
            const QString row = QStringLiteral("g%1-r%2-").arg(generation).arg(i);
            form.txtResolutionWidth[i].setText(row + u'w' + padding);
            form.txtResolutionHeight[i].setText(row + u'h' + padding);
        }
        std::printf("saving %d\n", generation);
        std::fflush(stdout);
        FormProbe::SaveSettings(form);
        if (!again)
            return 0;
    }
}
