#include "fakes/offscreen.h"
#include "runtime/error_report.h"

#include <QTest>

#include <functional>

using namespace plenvor;

using Throw = std::function<void()>;
Q_DECLARE_METATYPE(Throw)

namespace {

struct Recorded final : ErrorReport
{
    QVector<Status> statuses;
    void reportAndExit(Status status) override { statuses << status; }
};

} // namespace

// What ends in the platform's report, and what the report says.
class tst_ErrorReport : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void whatReachesTheReport_data()
    {
        QTest::addColumn<Throw>("handler");
        QTest::addColumn<QVector<Status>>("reported");
        QTest::newRow("nothing thrown") << Throw([] {}) << QVector<Status>{};
        QTest::newRow("a run-time error, with its status")
            << Throw([] { check(status::kFileNotFound); })
            << QVector<Status>{status::kFileNotFound};
        QTest::newRow("a success status is no error")
            << Throw([] { check(status::kFalse); }) << QVector<Status>{};
        QTest::newRow("memory running out")
            << Throw([] { throw std::bad_alloc(); }) << QVector<Status>{status::kOutOfMemory};
        QTest::newRow("anything else")
            << Throw([] { throw 42; }) << QVector<Status>{status::kUnexpected};
    }
    void whatReachesTheReport()
    {
        QFETCH(Throw, handler);
        QFETCH(QVector<Status>, reported);
        Recorded report;
        stopAtEdge(report, handler);
        QCOMPARE(report.statuses, reported);
    }

    void whatTheReportSays_data()
    {
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("a known status") << status::kTypeMismatch
                                        << "Ошибка выполнения -2147352571 (0x80020005).\n\n"
                                           "Несоответствие типов.\n\nПрограмма будет закрыта.";
        QTest::newRow("one of the windowing layer's")
            << status::kNoSuchElement
            << "Ошибка выполнения -2146827948 (0x800A0154).\n\n"
               "Элемент массива элементов управления не существует.\n\nПрограмма будет закрыта.";
        QTest::newRow("an unknown status, in eight hexadecimal digits")
            << makeStatus(0x80000001u)
            << "Ошибка выполнения -2147483647 (0x80000001).\n\n"
               "Ошибка приложения.\n\nПрограмма будет закрыта.";
    }
    void whatTheReportSays()
    {
        QFETCH(Status, status);
        QFETCH(QString, text);
        QCOMPARE(errorReportText(status), text);
    }
};

QTEST_MAIN(tst_ErrorReport)
#include "tst_error_report.moc"
