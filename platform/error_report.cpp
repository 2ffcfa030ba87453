#include "platform/error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>

namespace plenvor {

namespace {

QString &caption()
{
    static QString value;
    return value;
}

ErrorReportHook &hook()
{
    static ErrorReportHook value;
    return value;
}

} // namespace

QString errorReportText(Status status)
{
    const QString hex = QString::number(quint32(status), 16).rightJustified(8, u'0').toUpper();
    return QStringLiteral("Ошибка выполнения %1 (0x%2).\n\n%3\n\nПрограмма будет закрыта.")
        .arg(QString::number(status), hex, describeStatus(status));
}

void setErrorReportCaption(const QString &text)
{
    caption() = text;
}

ErrorReportHook setErrorReportHook(ErrorReportHook replacement)
{
    return std::exchange(hook(), std::move(replacement));
}

void reportAndExit(Status status)
{
    if (hook()) {
        hook()(status);
        return;
    }
    const QString text = errorReportText(status);
    std::fprintf(stderr, "plenvor: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
    if (qApp) {
        QMessageBox box(QMessageBox::Critical,
                        caption().isEmpty() ? QCoreApplication::applicationName() : caption(), text,
                        QMessageBox::Ok);
        box.exec();
    }
    std::fflush(nullptr);
    // Nothing else of the program may run now: no unload handler, no destructors.
    std::_Exit(EXIT_FAILURE);
}

} // namespace plenvor
