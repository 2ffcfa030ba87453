#include "fakes/offscreen.h"
#include "runtime/number_conversion.h"
#include "runtime/variant_conversions.h"

#include <QTest>

using namespace plenvor;

namespace {
constexpr Status kOk = status::kOk;
constexpr Status kMismatch = status::kTypeMismatch;
constexpr Status kOverflow = status::kOverflow;
} // namespace

Q_DECLARE_METATYPE(plenvor::Variant)

class tst_NumberConversion : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("expected");
        QTest::addColumn<qint32>("value");
        const QString mb(1 << 20, u'0');
        QTest::newRow("blanks and tabs around") << " \t1920\t " << kOk << 1920;
        QTest::newRow("plus sign") << "+7" << kOk << 7;
        QTest::newRow("largest") << "2147483647" << kOk << 2147483647;
        QTest::newRow("one past largest") << "2147483648" << kOverflow << 0;
        QTest::newRow("smallest") << "-2147483648" << kOk << qint32(INT32_MIN);
        QTest::newRow("empty") << "" << kMismatch << 0;
        QTest::newRow("unit after number") << "12px" << kMismatch << 0;
        QTest::newRow("sign alone") << "-" << kMismatch << 0;
        QTest::newRow("grouping") << "1,920" << kMismatch << 0;
        QTest::newRow("a carriage return is no blank") << "1600\r" << kMismatch << 0;
        QTest::newRow("2.5 ties to 2") << "2.5" << kOk << 2;
        QTest::newRow("3.5 ties to 4") << "3.5" << kOk << 4;
        QTest::newRow("-2.5 ties to -2") << "-2.5" << kOk << -2;
        QTest::newRow("0.6 rounds up") << "0.6" << kOk << 1;
        QTest::newRow("just above a half") << "2.5000000001" << kOk << 3;
        QTest::newRow("trailing zeros keep a tie") << "2.500" << kOk << 2;
        QTest::newRow("fraction only") << ".5" << kOk << 0;
        QTest::newRow("point alone") << "." << kMismatch << 0;
        QTest::newRow("two points") << "1.2.3" << kMismatch << 0;
        QTest::newRow("largest plus a half") << "2147483647.5" << kOverflow << 0;
        QTest::newRow("smallest minus a half ties back") << "-2147483648.5" << kOk << INT32_MIN;
        QTest::newRow("a megabyte of nines") << QString(1 << 20, u'9') << kOverflow << 0;
        QTest::newRow("a long fraction past a half") << "0.5" + mb + u'1' << kOk << 1;
    }
    void text()
    {
        QFETCH(QString, text);
        QFETCH(Status, expected);
        QFETCH(qint32, value);
        qint32 out = -777;
        QCOMPARE(VarI4FromStr(text, QLocale::c(), out), expected);
        QCOMPARE(out, expected == kOk ? value : -777); // untouched on failure
    }

    // The user's locale decides the decimal separator and the signs.
    void theUsersLocaleIsFollowed_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("expected");
        QTest::addColumn<qint32>("value");
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
        QTest::newRow("a decimal comma") << russian << "3,5" << kOk << 4;
        QTest::newRow("a point where a comma belongs") << russian << "2.5" << kMismatch << 0;
        QTest::newRow("the locale's own minus sign")
            << swedish << swedish.negativeSign() + "5" << kOk << -5;
        QTest::newRow("an ASCII minus there as well") << swedish << "-5" << kOk << -5;
    }
    void theUsersLocaleIsFollowed()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(Status, expected);
        QFETCH(qint32, value);
        QLocale::setDefault(locale);
        qint32 out = 0;
        QCOMPARE(VarI4FromStr(text, out), expected);
        QCOMPARE(out, value);
    }

    void variants_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<Status>("toNumber");
        QTest::addColumn<qint32>("number");
        QTest::addColumn<Status>("toText");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << Variant() << kOk << 0 << kOk << "";
        QTest::newRow("16-bit") << Variant::fromInt16(-3) << kOk << -3 << kOk << "-3";
        QTest::newRow("32-bit") << Variant::fromInt32(40000) << kOk << 40000 << kOk << "40000";
        QTest::newRow("double ties to even")
            << Variant::fromDouble(2.5) << kOk << 2 << kOk << "2.5";
        QTest::newRow("double too big")
            << Variant::fromDouble(3e9) << kOverflow << 0 << kOk << "3e+09";
        QTest::newRow("text") << Variant::fromText(" 12 ") << kOk << 12 << kOk << " 12 ";
        QTest::newRow("omitted") << Variant::omitted() << kMismatch << 0 << kMismatch << "";
    }
    void variants()
    {
        QFETCH(Variant, value);
        QFETCH(Status, toNumber);
        QFETCH(qint32, number);
        QFETCH(Status, toText);
        QFETCH(QString, text);
        qint32 n = 0;
        QString t = QStringLiteral("untouched");
        QCOMPARE(variantToInt32(value, n), toNumber);
        QCOMPARE(n, number);
        QCOMPARE(variantToText(value, t), toText);
        QCOMPARE(t, toText == kOk ? text : QStringLiteral("untouched"));
    }
};

QTEST_GUILESS_MAIN(tst_NumberConversion)
#include "tst_number_conversion.moc"
