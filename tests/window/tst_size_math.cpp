#include "fakes/offscreen.h"
#include "runtime/status.h"
#include "window/size_math.h"

#include <QTest>

using namespace plenvor;

namespace {
constexpr qint32 kEmpty = INT32_MIN; // no result
}

class tst_SizeMath : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    // S, W and H give targetHeight = S / (W / H) and targetWidth = (W / H) * S.
    void targets_data()
    {
        QTest::addColumn<qint32>("s");
        QTest::addColumn<qint32>("w");
        QTest::addColumn<qint32>("h");
        QTest::addColumn<qint32>("height");
        QTest::addColumn<qint32>("width");
        QTest::newRow("1920x1080 and 1600") << 1600 << 1920 << 1080 << 900 << 2844;
        QTest::newRow("1920x1080 and 900") << 900 << 1920 << 1080 << 506 << 1600;
        QTest::newRow("1366x768: 719.65 and 2276.67") << 1280 << 1366 << 768 << 720 << 2277;
        QTest::newRow("ties: 2.5 to 2") << 5 << 2 << 1 << 2 << 10;
        QTest::newRow("ties: 3.5 to 4") << 7 << 2 << 1 << 4 << 14;
        QTest::newRow("ties: 0.5 to 0") << 1 << 1 << 2 << 2 << 0;
        QTest::newRow("ties: 1.5 to 2") << 3 << 1 << 2 << 6 << 2;
        QTest::newRow("ratio first: 24.500000000000004") << 1 << 2 << 49 << 25 << 0;
        QTest::newRow("ratio first: 1.4999999999999998") << 147 << 1 << 98 << 14406 << 1;
        QTest::newRow("zero height") << 1600 << 1920 << 0 << kEmpty << kEmpty;
        QTest::newRow("zero by zero") << 1600 << 0 << 0 << kEmpty << kEmpty;
        QTest::newRow("zero width") << 1600 << 0 << 1080 << kEmpty << 0;
        QTest::newRow("zero width, negative height") << 1600 << 0 << -1080 << kEmpty << 0;
        QTest::newRow("negative width") << 1600 << -1920 << 1080 << -900 << -2844;
        QTest::newRow("both negative") << 1600 << -1920 << -1080 << 900 << 2844;
        QTest::newRow("height beyond 32 bits") << 2000000000 << 1 << 2 << kEmpty << 1000000000;
        QTest::newRow("width beyond 32 bits") << 2000000000 << 2 << 1 << 1000000000 << kEmpty;
        QTest::newRow("largest") << 2147483647 << 1 << 1 << 2147483647 << 2147483647;
        QTest::newRow("smallest") << 2147483647 << -1 << 1 << -2147483647 << -2147483647;
    }
    void targets()
    {
        QFETCH(qint32, s);
        QFETCH(qint32, w);
        QFETCH(qint32, h);
        QFETCH(qint32, height);
        QFETCH(qint32, width);
        QCOMPARE(targetHeight(s, w, h).value_or(kEmpty), height);
        QCOMPARE(targetWidth(s, w, h).value_or(kEmpty), width);
    }

    void rowGeometry()
    {
        QCOMPARE(rowPitch(315), 420);
        QCOMPARE(rowPitch(316), 421);
        QCOMPARE(rowTop(780, 420, 1), 1200);
        QCOMPARE(rowTop(780, 421, 2), 1622);
        QCOMPARE(rowTop(780, 420, 32767), 780 + 420 * 32767);
        QCOMPARE(nextRowIndex(32766), qint16(32767));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rowPitch(INT32_MAX));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rowTop(0, 70000, 32767));         // the product
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rowTop(INT32_MAX - 100, 420, 1)); // the sum
        QVERIFY_THROWS_EXCEPTION(RuntimeError, nextRowIndex(32767));
    }
};

QTEST_GUILESS_MAIN(tst_SizeMath)
#include "tst_size_math.moc"
