#include "fakes/harness.h"
#include "runtime/error_report.h"

#include <QTest>

#include <functional>

using namespace plenvor;

using Throw = std::function<void()>;
Q_DECLARE_METATYPE(Throw)

// What ends in the platform's report; what the report says is the Qt report's test's.
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
        test::FakeErrorReport report;
        stopAtEdge(report, handler);
        QCOMPARE(report.statuses, reported);
    }
};

QTEST_MAIN(tst_ErrorReport)
#include "tst_error_report.moc"
