// The arithmetic alone, without widgets. Run: build/bench/bench_math
#include "runtime/number_conversion.h"
#include "window/size_math.h"

#include <QTest>

using namespace plenvor;

class bench_Math : public QObject
{
    Q_OBJECT

private slots:
    void targetHeightFor1000Rows()
    {
        qint64 sum = 0;
        QBENCHMARK
        {
            for (qint32 i = 0; i < 1000; ++i)
                sum += targetHeight(1600, 1000 + i, 700 + i).value_or(0);
        }
        QVERIFY(sum > 0);
    }

    void convert1000RowTexts()
    {
        QStringList texts;
        for (int i = 0; i < 1000; ++i)
            texts << QString::number(1000 + i);
        const QLocale locale = QLocale::c();
        qint64 sum = 0;
        QBENCHMARK
        {
            for (const QString &t : texts) {
                qint32 v = 0;
                VarI4FromStr(t, locale, v);
                sum += v;
            }
        }
        QVERIFY(sum > 0);
    }
};

QTEST_GUILESS_MAIN(bench_Math)
#include "bench_math.moc"
