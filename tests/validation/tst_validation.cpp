#include "fakes/harness.h"
#include "validation/validation.h"

#include <QTest>

using namespace plenvor;

// The conversion's own cases are its table's; these are about what trimming adds to it.
class tst_Validation : public test::OffscreenTest
{
    Q_OBJECT

    test::FakeSupportLibrary m_library;

private slots:
    void parseNumberTrimsBlanksAndLineEndsOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("number");
        QTest::addColumn<bool>("trimFails");
        QTest::newRow("blanks around") << " 1920 " << 1920 << false;
        QTest::newRow("a line end") << "1600\r\n" << 1600 << false;
        QTest::newRow("a NUL") << QStringLiteral("77") + QChar(0) << 77 << false;
        QTest::newRow("a no-break space stays") << "\u00A01600" << -1 << false;
        QTest::newRow("a line separator stays") << "1600\u2028" << -1 << false;
        QTest::newRow("0.5 ties to 0") << "0.5" << 0 << false;
        QTest::newRow("a trim that fails") << "1920" << -1 << true;
    }
    void parseNumberTrimsBlanksAndLineEndsOnly()
    {
        QFETCH(QString, text);
        QFETCH(qint32, number);
        QFETCH(bool, trimFails);
        m_library.failing.clear();
        if (trimFails)
            m_library.failing.insert(QStringLiteral("asTrimEx2"), status::kFail);
        QCOMPARE(ParseNumber(m_library, text), number);
        QCOMPARE(IsPositiveNumber(m_library, text), number > 0);
    }
};

QTEST_MAIN(tst_Validation)
#include "tst_validation.moc"
