#include "fakes/harness.h"
#include "validation/validation.h"

#include <QTest>

using namespace plenvor;

// The conversion's own cases are its table's; these are about what trimming adds to it, and
// about marking the source fields.
class tst_Validation : public test::OffscreenTest
{
    Q_OBJECT

    test::WindowHarness m_harness;

private slots:
    void init() { m_harness.library.failing.clear(); }

    void parseNumberTrimsBlanksAndLineEndsOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("number");
        QTest::newRow("blanks around") << " 1920 " << 1920;
        QTest::newRow("a line end") << "1600\r\n" << 1600;
        QTest::newRow("a NUL") << QStringLiteral("77") + QChar(0) << 77;
        QTest::newRow("a no-break space stays") << "\u00A01600" << -1;
        QTest::newRow("a line separator stays") << "1600\u2028" << -1;
        QTest::newRow("0.5 ties to 0") << "0.5" << 0;
        QTest::newRow("0.6 rounds to 1") << "0.6" << 1;
        QTest::newRow("-1") << "-1" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("past 32 bits") << "2147483648" << -1;
    }
    void parseNumberTrimsBlanksAndLineEndsOnly()
    {
        QFETCH(QString, text);
        QFETCH(qint32, number);
        QCOMPARE(ParseNumber(m_harness.library, text), number);
        QCOMPARE(IsPositiveNumber(m_harness.library, text), number > 0);
    }

    void aTrimThatFailsGivesMinusOne()
    {
        m_harness.library.failing.insert(QStringLiteral("asTrimEx2"), status::kFail);
        QCOMPARE(ParseNumber(m_harness.library, QStringLiteral("1920")), -1);
    }
};

QTEST_MAIN(tst_Validation)
#include "tst_validation.moc"
