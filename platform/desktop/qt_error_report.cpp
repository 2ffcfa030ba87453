#include "desktop/qt_error_report.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace plenvor {

void QtErrorReport::reportAndExit(Status status)
{
    const QString text = errorReportText(status);
    std::fprintf(stderr, "plenvor: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
    if (qApp) {
        QMessageBox box(QMessageBox::Critical, m_caption, text, QMessageBox::Ok);
        box.exec();
    }
    std::fflush(nullptr);
    // Nothing else of the program may run now: no unload handler, no destructors.
    std::_Exit(EXIT_FAILURE);
}

} // namespace plenvor
