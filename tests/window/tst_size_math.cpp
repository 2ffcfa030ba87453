#include "fakes/offscreen.h"
#include "runtime/status.h"
#include "window/size_math.h"

#include <QTest>

#include <functional>

using namespace plenvor;

namespace {
constexpr qint32 kEmpty = INT32_MIN; // no result
constexpr qint64 kRaised = INT64_MIN;
using Calculation = std::function<qint32()>;
} // namespace

Q_DECLARE_METATYPE(Calculation)

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

    // The row pitch and top, and the next row index, each raising a run-time error past 32 bits
    // (16 for the index).
    void rowGeometry_data()
    {
        QTest::addColumn<Calculation>("calculation");
        QTest::addColumn<qint64>("result"); // kRaised where it raises a run-time error
        QTest::newRow("pitch") << Calculation([] { return rowPitch(315); }) << qint64(420);
        QTest::newRow("a pitch one more")
            << Calculation([] { return rowPitch(316); }) << qint64(421);
        QTest::newRow("row 1's top")
            << Calculation([] { return rowTop(780, 420, 1); }) << qint64(1200);
        QTest::newRow("row 2's top at 421")
            << Calculation([] { return rowTop(780, 421, 2); }) << qint64(1622);
        QTest::newRow("the last row's top")
            << Calculation([] { return rowTop(780, 420, 32767); }) << qint64(780 + 420 * 32767);
        QTest::newRow("the last index")
            << Calculation([] { return qint32(nextRowIndex(32766)); }) << qint64(32767);
        QTest::newRow("a pitch past 32 bits")
            << Calculation([] { return rowPitch(INT32_MAX); }) << kRaised;
        QTest::newRow("a product past 32 bits")
            << Calculation([] { return rowTop(0, 70000, 32767); }) << kRaised;
        QTest::newRow("a sum past 32 bits")
            << Calculation([] { return rowTop(INT32_MAX - 100, 420, 1); }) << kRaised;
        QTest::newRow("an index past 16 bits")
            << Calculation([] { return qint32(nextRowIndex(32767)); }) << kRaised;
    }
    void rowGeometry()
    {
        QFETCH(Calculation, calculation);
        QFETCH(qint64, result);
        qint64 got = kRaised;
        try {
            got = calculation();
        } catch (const RuntimeError &) {
        }
        QCOMPARE(got, result);
    }
};

QTEST_GUILESS_MAIN(tst_SizeMath)
#include "tst_size_math.moc"
