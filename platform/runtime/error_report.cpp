#include "runtime/error_report.h"

namespace plenvor {

QString errorReportText(Status status)
{
    const QString hex = QString::number(quint32(status), 16).rightJustified(8, u'0').toUpper();
    return QStringLiteral("Ошибка выполнения %1 (0x%2).\n\n%3\n\nПрограмма будет закрыта.")
        .arg(QString::number(status), hex, describeStatus(status));
}

} // namespace plenvor
