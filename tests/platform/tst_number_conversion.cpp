#include "platform/number_conversion.h"

#include <QTest>

using namespace plenvor;

namespace {
constexpr Status kOk = status::kOk;
constexpr Status kMismatch = status::kTypeMismatch;
constexpr Status kOverflow = status::kOverflow;
} // namespace

class tst_NumberConversion : public QObject
{
    Q_OBJECT

private:
    static void addColumns()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("expected");
        QTest::addColumn<qint32>("value");
    }
    static void check(const QLocale &locale)
    {
        QFETCH(QString, text);
        QFETCH(Status, expected);
        QFETCH(qint32, value);
        qint32 out = -777;
        QCOMPARE(VarI4FromStr(text, locale, out), expected);
        QCOMPARE(out, expected == kOk ? value : -777); // untouched on failure
    }
    // Forms that read the same in any locale.
    static void addCommonRows()
    {
        QTest::newRow("plain") << "1920" << kOk << 1920;
        QTest::newRow("blanks around") << " 1920 " << kOk << 1920;
        QTest::newRow("tabs around") << "\t42\t" << kOk << 42;
        QTest::newRow("plus sign") << "+7" << kOk << 7;
        QTest::newRow("minus sign") << "-5" << kOk << -5;
        QTest::newRow("leading zeros") << QString(60, u'0') + u'1' << kOk << 1;
        QTest::newRow("largest") << "2147483647" << kOk << 2147483647;
        QTest::newRow("one past largest") << "2147483648" << kOverflow << 0;
        QTest::newRow("smallest") << "-2147483648" << kOk << qint32(INT32_MIN);
        QTest::newRow("one past smallest") << "-2147483649" << kOverflow << 0;
        QTest::newRow("empty") << "" << kMismatch << 0;
        QTest::newRow("blanks only") << "   " << kMismatch << 0;
        QTest::newRow("unit after number") << "12px" << kMismatch << 0;
        QTest::newRow("letters") << "abc" << kMismatch << 0;
        QTest::newRow("sign alone") << "-" << kMismatch << 0;
        QTest::newRow("trailing sign refused") << "1-" << kMismatch << 0;
        QTest::newRow("parentheses refused") << "(1)" << kMismatch << 0;
        QTest::newRow("exponent refused") << "1e3" << kMismatch << 0;
        QTest::newRow("hex refused") << "&H10" << kMismatch << 0;
        QTest::newRow("currency refused") << "$5" << kMismatch << 0;
        QTest::newRow("carriage return not skipped") << "1600\r" << kMismatch << 0;
        QTest::newRow("no-break space not skipped") << QStringLiteral("\u00A01") << kMismatch << 0;
        QTest::newRow("arabic-indic digits") << QStringLiteral("\u0661\u0662") << kMismatch << 0;
        QTest::newRow("nul inside") << QStringLiteral("1") + QChar(0) + u'2' << kMismatch << 0;
    }

private slots:
    void dotLocale_data()
    {
        addColumns();
        addCommonRows();
        QTest::newRow("2.5 ties to even 2") << "2.5" << kOk << 2;
        QTest::newRow("3.5 ties to even 4") << "3.5" << kOk << 4;
        QTest::newRow("0.5 ties to even 0") << "0.5" << kOk << 0;
        QTest::newRow("-2.5 ties to even -2") << "-2.5" << kOk << -2;
        QTest::newRow("-3.5 ties to even -4") << "-3.5" << kOk << -4;
        QTest::newRow("0.4 rounds down") << "0.4" << kOk << 0;
        QTest::newRow("0.6 rounds up") << "0.6" << kOk << 1;
        QTest::newRow("1.5 rounds to 2") << "1.5" << kOk << 2;
        QTest::newRow("1600.5 rounds to 1600") << "1600.5" << kOk << 1600;
        QTest::newRow("just above a half") << "2.5000000001" << kOk << 3;
        QTest::newRow("just below a half") << "2.4999999999" << kOk << 2;
        QTest::newRow("fraction only") << ".5" << kOk << 0;
        QTest::newRow("point without fraction") << "5." << kOk << 5;
        QTest::newRow("point alone") << "." << kMismatch << 0;
        QTest::newRow("two points") << "1.2.3" << kMismatch << 0;
        QTest::newRow("largest plus under a half") << "2147483647.4" << kOk << 2147483647;
        QTest::newRow("largest plus a half overflows") << "2147483647.5" << kOverflow << 0;
        QTest::newRow("smallest minus a half ties back")
            << "-2147483648.5" << kOk << qint32(INT32_MIN);
        QTest::newRow("smallest minus more overflows") << "-2147483648.6" << kOverflow << 0;
        QTest::newRow("comma is no separator here") << "2,5" << kMismatch << 0;
        QTest::newRow("grouping refused") << "1,920" << kMismatch << 0;
    }
    void dotLocale() { check(QLocale::c()); }

    void commaLocale_data()
    {
        addColumns();
        addCommonRows();
        QTest::newRow("2,5 ties to even 2") << "2,5" << kOk << 2;
        QTest::newRow("3,5 ties to even 4") << "3,5" << kOk << 4;
        QTest::newRow("1600,5 rounds to 1600") << "1600,5" << kOk << 1600;
        QTest::newRow("0,6 rounds up") << "0,6" << kOk << 1;
        QTest::newRow("point is no separator here") << "2.5" << kMismatch << 0;
        QTest::newRow("grouping refused") << "1.920" << kMismatch << 0;
    }
    void commaLocale() { check(QLocale(QLocale::German, QLocale::Germany)); }

    // The program's conversion reads QLocale(), which follows the system unless pinned.
    void defaultLocaleIsFollowed()
    {
        const QLocale saved;
        qint32 out = 0;
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(VarI4FromStr(u"3,5", out), kOk);
        QCOMPARE(out, 4);
        QCOMPARE(VarI4FromStr(u"3.5", out), kMismatch);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(VarI4FromStr(u"3.5", out), kOk);
        QCOMPARE(out, 4);
        QLocale::setDefault(saved);
    }

    // A pasted megabyte is judged in one pass, whatever it holds.
    void megabyteTexts_data()
    {
        addColumns();
        const int mb = 1 << 20;
        QTest::newRow("digits overflow") << QString(mb, u'9') << kOverflow << 0;
        QTest::newRow("zeros then one") << QString(mb, u'0') + u'1' << kOk << 1;
        QTest::newRow("blanks around a number")
            << QString(mb, u' ') + QStringLiteral("7") + QString(mb, u' ') << kOk << 7;
        QTest::newRow("long fraction past a half")
            << QStringLiteral("0.5") + QString(mb, u'0') + u'1' << kOk << 1;
        QTest::newRow("long fraction exactly a half")
            << QStringLiteral("0.5") + QString(mb, u'0') << kOk << 0;
        QTest::newRow("digits then a letter") << QString(mb, u'1') + u'x' << kMismatch << 0;
    }
    void megabyteTexts() { check(QLocale::c()); }
};

QTEST_GUILESS_MAIN(tst_NumberConversion)
#include "tst_number_conversion.moc"
