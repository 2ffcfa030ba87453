// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_rows
#include "fakes/harness.h"
#include "settings/keys.h"

#include <QElapsedTimer>
#include <QTest>

using namespace plenvor;

class bench_Rows : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;

    void addRows(int n)
    {
        for (int i = 0; i < n; ++i)
            FormProbe::AddResolutionRow(*m_h->form);
    }

private slots:
    void init()
    {
        m_h = std::make_unique<test::WindowHarness>();
        m_h->show();
    }
    void cleanup() { m_h.reset(); }

    void add1000RowsOneByOne()
    {
        QBENCHMARK_ONCE
        {
            addRows(1000);
        }
    }

    // Adding a row must not cost more with more rows before it.
    void add100RowsAfter_data()
    {
        QTest::addColumn<int>("existing");
        QTest::newRow("0 rows") << 0;
        QTest::newRow("1000 rows") << 1000;
        QTest::newRow("4000 rows") << 4000;
    }
    void add100RowsAfter()
    {
        QFETCH(int, existing);
        addRows(existing);
        QBENCHMARK_ONCE
        {
            addRows(100);
        }
    }

    // Closing a long list must not take time quadratic in its rows.
    void destroyAWindowWith_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("2000 rows") << 2000;
        QTest::newRow("8000 rows") << 8000;
    }
    void destroyAWindowWith()
    {
        QFETCH(int, rows);
        addRows(rows - 1);
        QCoreApplication::processEvents();
        QBENCHMARK_ONCE { m_h->form.reset(); }
    }

    void restoreAStored1000RowList()
    {
        m_h.reset();
        test::WindowHarness h;
        h.store->values.insert(kCountKey, QStringLiteral("1000"));
        for (int i = 0; i < 1000; ++i) {
            h.store->values.insert(widthKey(i), QString::number(1000 + i));
            h.store->values.insert(heightKey(i), QString::number(700 + i));
        }
        h.create();
        QBENCHMARK_ONCE
        {
            FormProbe::LoadSettings(*h.form);
        }
        QCOMPARE(h.rows(), 1000);
        m_h = std::make_unique<test::WindowHarness>();
    }
};

QTEST_MAIN(bench_Rows)
#include "bench_rows.moc"
