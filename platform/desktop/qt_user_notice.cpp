#include "desktop/qt_user_notice.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace plenvor {

void QtUserNotice::line(const QString &text)
{
    std::fprintf(stderr, "plenvor: %s\n", qPrintable(text));
    std::fflush(stderr);
}

void QtUserNotice::box(const QString &text)
{
    if (!qApp)
        return;
    QMessageBox box(QMessageBox::Warning, m_caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace plenvor
