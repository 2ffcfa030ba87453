#include "platform/variant.h"

#include <QTest>

using namespace plenvor;

Q_DECLARE_METATYPE(plenvor::Variant)

class tst_Variant : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void toInt32_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<Status>("expected");
        QTest::addColumn<qint32>("number");
        QTest::newRow("empty gives 0") << Variant() << status::kOk << 0;
        QTest::newRow("16-bit") << Variant::fromInt16(-3) << status::kOk << -3;
        QTest::newRow("32-bit") << Variant::fromInt32(40000) << status::kOk << 40000;
        QTest::newRow("double ties to even down") << Variant::fromDouble(2.5) << status::kOk << 2;
        QTest::newRow("double ties to even up") << Variant::fromDouble(3.5) << status::kOk << 4;
        QTest::newRow("negative double tie") << Variant::fromDouble(-2.5) << status::kOk << -2;
        QTest::newRow("double out of range") << Variant::fromDouble(3e9) << status::kOverflow << 0;
        QTest::newRow("infinite double")
            << Variant::fromDouble(std::numeric_limits<double>::infinity()) << status::kOverflow
            << 0;
        QTest::newRow("text number") << Variant::fromText(" 12 ") << status::kOk << 12;
        QTest::newRow("text with fraction") << Variant::fromText("4.5") << status::kOk << 4;
        QTest::newRow("text not a number")
            << Variant::fromText("abc") << status::kTypeMismatch << 0;
        QTest::newRow("text overflow") << Variant::fromText("2147483648") << status::kOverflow << 0;
        QTest::newRow("empty text") << Variant::fromText("") << status::kTypeMismatch << 0;
        QTest::newRow("null fails") << Variant::null() << makeStatus(0x800A005Eu) << 0;
        QTest::newRow("omitted fails") << Variant::omitted() << status::kTypeMismatch << 0;
    }
    void toInt32()
    {
        QFETCH(Variant, value);
        QFETCH(Status, expected);
        QFETCH(qint32, number);
        qint32 out = 0;
        QCOMPARE(value.toInt32(out), expected);
        if (expected == status::kOk)
            QCOMPARE(out, number);
        else
            QVERIFY_THROWS_EXCEPTION(RuntimeError, value.CLng());
    }

    void toText_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<Status>("expected");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty gives empty text") << Variant() << status::kOk << "";
        QTest::newRow("16-bit digits") << Variant::fromInt16(-7) << status::kOk << "-7";
        QTest::newRow("32-bit digits") << Variant::fromInt32(32768) << status::kOk << "32768";
        QTest::newRow("double") << Variant::fromDouble(1.25) << status::kOk << "1.25";
        QTest::newRow("text unchanged")
            << Variant::fromText("  Ширина ") << status::kOk << "  Ширина ";
        QTest::newRow("null fails") << Variant::null() << makeStatus(0x800A005Eu) << "";
        QTest::newRow("error fails")
            << Variant::error(status::kFail) << status::kTypeMismatch << "";
    }
    void toText()
    {
        QFETCH(Variant, value);
        QFETCH(Status, expected);
        QFETCH(QString, text);
        QString out = QStringLiteral("untouched");
        QCOMPARE(value.toText(out), expected);
        QCOMPARE(out, expected == status::kOk ? text : QStringLiteral("untouched"));
    }

    void doubleTextFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Variant::fromDouble(1.25).CStr(), QStringLiteral("1,25"));
        QLocale::setDefault(QLocale::c());
    }

    void omittedIsTheParamNotFoundError()
    {
        const Variant omitted = Variant::omitted();
        QCOMPARE(omitted.type(), Variant::Type::Error);
        QCOMPARE(quint32(omitted.errorCode()), 0x80020004u);
        QVERIFY(omitted.isOmitted());
        QVERIFY(!Variant::error(status::kFail).isOmitted());
        QVERIFY(!Variant().isOmitted());
    }
};

QTEST_GUILESS_MAIN(tst_Variant)
#include "tst_variant.moc"
