#include "support/status.h"
#include "window/size_math.h"

#include <QTest>

using namespace plenvor;

namespace {
constexpr qint32 kEmpty = INT32_MIN; // marks "no result" in the tables
qint32 orEmpty(std::optional<qint32> v)
{
    return v.value_or(kEmpty);
}
} // namespace

class tst_SizeMath : public QObject
{
    Q_OBJECT

private slots:
    void targetHeightFromSourceWidth_data()
    {
        QTest::addColumn<qint32>("source");
        QTest::addColumn<qint32>("width");
        QTest::addColumn<qint32>("height");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("1920x1080, 1600 gives 900") << 1600 << 1920 << 1080 << 900;
        QTest::newRow("1366x768, 1280 gives 719.65, shown 720") << 1280 << 1366 << 768 << 720;
        QTest::newRow("tie 2.5 goes to 2") << 5 << 2 << 1 << 2;
        QTest::newRow("tie 3.5 goes to 4") << 7 << 2 << 1 << 4;
        QTest::newRow("ratio first: 24.500000000000004 gives 25") << 1 << 2 << 49 << 25;
        QTest::newRow("zero height: division by zero") << 1600 << 1920 << 0 << kEmpty;
        QTest::newRow("zero by zero: invalid operation") << 1600 << 0 << 0 << kEmpty;
        QTest::newRow("zero width: source divided by zero") << 1600 << 0 << 1080 << kEmpty;
        QTest::newRow("zero width, negative height") << 1600 << 0 << -1080 << kEmpty;
        QTest::newRow("negative width gives a negative result") << 1600 << -1920 << 1080 << -900;
        QTest::newRow("both negative") << 1600 << -1920 << -1080 << 900;
        QTest::newRow("4000000000 is beyond 32 bits") << 2000000000 << 1 << 2 << kEmpty;
        QTest::newRow("largest result") << 2147483647 << 1 << 1 << 2147483647;
        QTest::newRow("smallest result") << 2147483647 << -1 << 1 << -2147483647;
    }
    void targetHeightFromSourceWidth()
    {
        QFETCH(qint32, source);
        QFETCH(qint32, width);
        QFETCH(qint32, height);
        QFETCH(qint32, expected);
        QCOMPARE(orEmpty(targetHeight(source, width, height)), expected);
    }

    void targetWidthFromSourceHeight_data()
    {
        QTest::addColumn<qint32>("source");
        QTest::addColumn<qint32>("width");
        QTest::addColumn<qint32>("height");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("1920x1080, 900 gives 1600") << 900 << 1920 << 1080 << 1600;
        QTest::newRow("tie 0.5 goes to 0") << 1 << 1 << 2 << 0;
        QTest::newRow("tie 1.5 goes to 2") << 3 << 1 << 2 << 2;
        QTest::newRow("ratio first: 1.4999999999999998 gives 1") << 147 << 1 << 98 << 1;
        QTest::newRow("zero width gives 0") << 900 << 0 << 1080 << 0;
        QTest::newRow("zero width, negative height gives 0, not -0") << 900 << 0 << -1080 << 0;
        QTest::newRow("zero height: division by zero") << 900 << 1920 << 0 << kEmpty;
        QTest::newRow("negative width gives a negative result") << 900 << -1920 << 1080 << -1600;
        QTest::newRow("4000000000 is beyond 32 bits") << 2000000000 << 2 << 1 << kEmpty;
    }
    void targetWidthFromSourceHeight()
    {
        QFETCH(qint32, source);
        QFETCH(qint32, width);
        QFETCH(qint32, height);
        QFETCH(qint32, expected);
        QCOMPARE(orEmpty(targetWidth(source, width, height)), expected);
    }

    void rowGeometry_data()
    {
        QTest::addColumn<qint32>("fieldHeight");
        QTest::addColumn<qint32>("n");
        QTest::addColumn<qint32>("pitch");
        QTest::addColumn<qint32>("top");
        QTest::newRow("layout pitch, row 1") << 315 << 1 << 420 << 1200;
        QTest::newRow("layout pitch, row 2") << 315 << 2 << 420 << 1620;
        QTest::newRow("odd pitch") << 316 << 1 << 421 << 1201;
        QTest::newRow("last index") << 315 << 32767 << 420 << 780 + 420 * 32767;
    }
    void rowGeometry()
    {
        QFETCH(qint32, fieldHeight);
        QFETCH(qint32, n);
        QFETCH(qint32, pitch);
        QFETCH(qint32, top);
        QCOMPARE(rowPitch(fieldHeight), pitch);
        QCOMPARE(rowTop(780, pitch, n), top);
    }

    void overflowsAreRunTimeErrors()
    {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rowPitch(INT32_MAX));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rowTop(0, 70000, 32767));         // the product
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rowTop(INT32_MAX - 100, 420, 1)); // the sum
        QVERIFY_THROWS_EXCEPTION(RuntimeError, nextRowIndex(32767));
        QCOMPARE(nextRowIndex(32766), qint16(32767));
    }
};

QTEST_GUILESS_MAIN(tst_SizeMath)
#include "tst_size_math.moc"
