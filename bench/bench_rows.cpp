// Rows at scale: adding them, restoring a stored list, closing and storing it with the real
// settings store. Run: QT_QPA_PLATFORM=offscreen build/bench/bench_rows
#include "desktop/qt_settings_store.h"
#include "fakes/harness.h"
#include "settings/keys.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace plenvor;
using test::field;

class bench_Rows : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;

private slots:
    void init() { m_harness = std::make_unique<test::WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    // Adding a row, with Ctrl and the keypad's plus, must not cost more with more rows before it.
    void add1000RowsAfter()
    {
        for (const int existing : {1, 1000, 30000}) {
            m_harness = std::make_unique<test::WindowHarness>();
            m_harness->store->values.insert(kCountKey, QString::number(existing));
            m_harness->show();
            QElapsedTimer timer;
            timer.start();
            m_harness->addRows(1000);
            qInfo("adding 1000 rows after %d: %.1f ms", existing, timer.nsecsElapsed() / 1e6);
        }
    }

    // Restoring a stored list, and closing the window: storing the list with the real store and
    // destroying the rows.
    void restoreAndCloseAStoredList_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("1000 rows") << 1000;
        QTest::newRow("32768 rows") << 32768;
    }
    void restoreAndCloseAStoredList()
    {
        QFETCH(int, rows);
        QTemporaryDir config;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        {
            QSettings stored(QSettings::NativeFormat, QSettings::UserScope,
                             QStringLiteral("Korvane"), QStringLiteral("Plenvor"));
            stored.setValue(kCountKey, rows);
            for (int i = 0; i < rows; ++i) {
                stored.setValue(widthKey(i), 1000 + i);
                stored.setValue(heightKey(i), 700 + i);
            }
        }
        m_harness->services.settingsStore = QtSettingsStore::factory();
        frmMain &form = m_harness->create();
        QElapsedTimer timer;
        timer.start();
        form.Show(); // restores the list, then shows the window
        qInfo("restoring and showing %d rows: %.1f ms", rows, timer.nsecsElapsed() / 1e6);
        QCOMPARE(m_harness->rows(), rows);
        field(form, u"txtResolutionWidth", qint16(rows - 1)).setText(QStringLiteral("changed"));
        timer.start();
        form.close();
        m_harness->form.reset();
        qInfo("closing and storing %d rows: %.1f ms", rows, timer.nsecsElapsed() / 1e6);
    }
};

QTEST_MAIN(bench_Rows)
#include "bench_rows.moc"
