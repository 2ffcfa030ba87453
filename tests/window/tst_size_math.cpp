#include "fakes/offscreen.h"
#include "runtime/status.h"
#include "window/row_count.h"
#include "window/size_math.h"

#include <QTest>

#include <functional>

using namespace plenvor;

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
        QTest::newRow("1366x768: 719.65 and 2276.67") << 1280 << 1366 << 768 << "720, 2277";
        QTest::newRow("ties: 2.5 to 2") << 5 << 2 << 1 << "2, 10";
        QTest::newRow("ties: 0.5 to 0") << 1 << 1 << 2 << "2, 0";
        QTest::newRow("ratio first: 24.500000000000004") << 1 << 2 << 49 << "25, 0";
        QTest::newRow("ratio first: 1.4999999999999998") << 147 << 1 << 98 << "14406, 1";
        QTest::newRow("zero height") << 1600 << 1920 << 0 << "none, none";
        QTest::newRow("zero width") << 1600 << 0 << -1080 << "none, 0";
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

    // The row top and the next index raise a run-time error past 32 bits (16 for the index):
    // a product past them, though the sum would fit, a sum past them.
    void rowGeometryOverflows()
    {
        QStringList raised;
        const std::pair<const char *, std::function<void()>> cases[] = {
            {"product", [] { rowTop(-2000000000, 70000, 32767); }},
            {"sum", [] { rowTop(INT32_MAX - 100, 420, 1); }},
            {"index", [] { nextRowIndex(32767); }},
            {"none", [] { rowTop(780, 420, 32767), nextRowIndex(32766); }}};
        for (const auto &[name, calculation] : cases) {
            try {
                calculation();
            } catch (const RuntimeError &) {
                raised << name;
            }
        }
        QCOMPARE(raised, QStringList({"product", "sum", "index"}));
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
