#include "fakes/offscreen.h"
#include "runtime/status.h"
#include "window/row_count.h"
#include "window/size_math.h"

#include <QTest>

#include <functional>

using namespace plenvor;

namespace {
constexpr qint64 kRaised = INT64_MIN; // outside 32 bits, so that no result is taken for it
using Calculation = std::function<qint32()>;
} // namespace

Q_DECLARE_METATYPE(Calculation)

// The window's arithmetic, and the number of rows as its description says it.
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
        QTest::addColumn<QString>("targets"); // the height, then the width; "none" for no result
        QTest::newRow("1920x1080 and 1600") << 1600 << 1920 << 1080 << "900, 2844";
        QTest::newRow("1366x768: 719.65 and 2276.67") << 1280 << 1366 << 768 << "720, 2277";
        QTest::newRow("ties: 2.5 to 2") << 5 << 2 << 1 << "2, 10";
        QTest::newRow("ties: 3.5 to 4") << 7 << 2 << 1 << "4, 14";
        QTest::newRow("ties: 0.5 to 0") << 1 << 1 << 2 << "2, 0";
        QTest::newRow("ratio first: 24.500000000000004") << 1 << 2 << 49 << "25, 0";
        QTest::newRow("ratio first: 1.4999999999999998") << 147 << 1 << 98 << "14406, 1";
        QTest::newRow("zero height") << 1600 << 1920 << 0 << "none, none";
        QTest::newRow("zero width") << 1600 << 0 << -1080 << "none, 0";
        QTest::newRow("negative width") << 1600 << -1920 << 1080 << "-900, -2844";
        QTest::newRow("height beyond 32 bits") << 2000000000 << 1 << 2 << "none, 1000000000";
        QTest::newRow("width beyond 32 bits") << 2000000000 << 2 << 1 << "1000000000, none";
        QTest::newRow("largest") << 2147483647 << 1 << 1 << "2147483647, 2147483647";
        QTest::newRow("smallest") << 1 << INT32_MIN << 1 << "0, -2147483648";
    }
    void targets()
    {
        QFETCH(qint32, s);
        QFETCH(qint32, w);
        QFETCH(qint32, h);
        QFETCH(QString, targets);
        const auto shown = [](std::optional<qint32> result) {
            return result ? QString::number(*result) : QStringLiteral("none");
        };
        QCOMPARE(shown(targetHeight(s, w, h)) + ", " + shown(targetWidth(s, w, h)), targets);
    }

    // The row pitch and top, and the next row index, each raising a run-time error past 32 bits
    // (16 for the index): a product or a sum past them.
    void rowGeometry_data()
    {
        QTest::addColumn<Calculation>("calculation");
        QTest::addColumn<qint64>("result"); // kRaised where it raises a run-time error
        QTest::newRow("pitch") << Calculation([] { return rowPitch(316); }) << qint64(421);
        QTest::newRow("a pitch past 32 bits")
            << Calculation([] { return rowPitch(INT32_MAX); }) << kRaised;
        QTest::newRow("a product")
            << Calculation([] { return rowTop(0, 70000, 32767); }) << kRaised;
        QTest::newRow("a sum") << Calculation([] { return rowTop(INT32_MAX - 100, 420, 1); })
                               << kRaised;
        QTest::newRow("the last index")
            << Calculation([] { return nextRowIndex(32766); }) << qint64(32767);
        QTest::newRow("past the last index")
            << Calculation([] { return nextRowIndex(32767); }) << kRaised;
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

    void rowCountInRussian()
    {
        QStringList said;
        for (const int rows : {1, 3, 4, 5, 11, 12, 14, 15, 21, 22, 111, 112, 32768})
            said << rowCountText(rows);
        QCOMPARE(said.join(", "), "1 строка, 3 строки, 4 строки, 5 строк, 11 строк, 12 строк, 14 "
                                  "строк, 15 строк, 21 строка, 22 строки, 111 строк, 112 строк, "
                                  "32768 строк");
    }
};

QTEST_GUILESS_MAIN(tst_SizeMath)
#include "tst_size_math.moc"
