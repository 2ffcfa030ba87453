#include "fakes/harness.h"
#include "validation/validation.h"

#include <QTest>

using namespace plenvor;

class tst_Validation : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { m_h = std::make_unique<test::WindowHarness>(); }
    void cleanup()
    {
        m_h.reset();
        QLocale::setDefault(QLocale::c());
    }

    void parseNumber_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("number");
        const QLocale dot = QLocale::c();
        const QLocale comma(QLocale::Russian, QLocale::Russia);
        QTest::newRow("empty") << dot << "" << -1;
        QTest::newRow("blanks only") << dot << "   " << -1;
        QTest::newRow("zero") << dot << "0" << 0;
        QTest::newRow("negative") << dot << "-5" << -5;
        QTest::newRow("minus one reads as itself") << dot << "-1" << -1;
        QTest::newRow("one") << dot << "1" << 1;
        QTest::newRow("blanks around") << dot << " 1920 " << 1920;
        QTest::newRow("0.4 is 0") << dot << "0.4" << 0;
        QTest::newRow("0.5 is 0") << dot << "0.5" << 0;
        QTest::newRow("0.6 is 1") << dot << "0.6" << 1;
        QTest::newRow("1.5 is 2") << dot << "1.5" << 2;
        QTest::newRow("1600.5 is 1600") << dot << "1600.5" << 1600;
        QTest::newRow("largest") << dot << "2147483647" << 2147483647;
        QTest::newRow("overflow is -1") << dot << "2147483648" << -1;
        QTest::newRow("unit") << dot << "12px" << -1;
        QTest::newRow("letters") << dot << "abc" << -1;
        QTest::newRow("line end trimmed away") << dot << "1600\r\n" << 1600;
        QTest::newRow("nul trimmed away") << dot << QStringLiteral("77") + QChar(0) << 77;
        QTest::newRow("no-break space is not trimmed") << dot << QStringLiteral("\u00A01600") << -1;
        QTest::newRow("comma locale fraction") << comma << "0,6" << 1;
        QTest::newRow("comma locale tie") << comma << "1600,5" << 1600;
        QTest::newRow("comma locale refuses a point") << comma << "0.6" << -1;
    }
    void parseNumber()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(qint32, number);
        QLocale::setDefault(locale);
        QCOMPARE(ParseNumber(m_h->library, text), number);
        QCOMPARE(IsPositiveNumber(m_h->library, text), number > 0);
    }

    void parseNumberTrimsWithFiveTrueThenFiveFalse()
    {
        ParseNumber(m_h->library, QStringLiteral("1"));
        QCOMPARE(m_h->library.calls, QStringList{"asTrimEx2(-1,-1,-1,-1,-1,0,0,0,0,0)"});
    }

    void aFailedTrimIsMinusOneAndRaisesNothing()
    {
        m_h->library.failing.insert(QStringLiteral("asTrimEx2"), status::kFail);
        QCOMPARE(ParseNumber(m_h->library, QStringLiteral("1920")), -1);
        QVERIFY(!IsPositiveNumber(m_h->library, QStringLiteral("1920")));
    }

    void validateFieldColoursByPositiveNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("positive") << "1" << quint32(ole::kWindowText);
        QTest::newRow("zero") << "0" << quint32(ole::kRed);
        QTest::newRow("negative") << "-5" << quint32(ole::kRed);
        QTest::newRow("empty") << "" << quint32(ole::kRed);
        QTest::newRow("rounds to zero") << "0.5" << quint32(ole::kRed);
        QTest::newRow("rounds to one") << "0.6" << quint32(ole::kWindowText);
    }
    void validateFieldColoursByPositiveNumber()
    {
        QFETCH(QString, text);
        QFETCH(quint32, colour);
        TextBox field(nullptr);
        field.setText(text);
        ValidateField(m_h->library, field);
        QCOMPARE(field.ForeColor(), colour);
    }

    void theColourIsWrittenEvenWhenItStaysTheSame()
    {
        TextBox field(nullptr);
        field.setText(QStringLiteral("5"));
        ValidateField(m_h->library, field);
        QPalette stray = field.palette();
        stray.setColor(QPalette::Text, Qt::blue);
        field.setPalette(stray);
        ValidateField(m_h->library, field);
        QCOMPARE(field.palette().color(QPalette::Text),
                 QApplication::palette(&field).color(QPalette::Text));
    }

    // Through the window, as the user types.
    void sourceFieldsAreMarkedOnEveryChange()
    {
        frmMain &form = m_h->show();
        TextBox &source = *form.txtSourceWidth;
        QCOMPARE(source.ForeColor(), ole::kWindowText); // empty, but not yet changed
        QCOMPARE(form.txtSourceHeight->ForeColor(), ole::kWindowText);
        source.setFocus();
        QTest::keyClicks(&source, QStringLiteral("1"));
        QCOMPARE(source.ForeColor(), ole::kWindowText);
        QTest::keyClick(&source, Qt::Key_Backspace);
        QCOMPARE(source.ForeColor(), ole::kRed); // deleting the last character
        QTest::keyClicks(&source, QStringLiteral("12px"));
        QCOMPARE(source.ForeColor(), ole::kRed);
        QTest::keyClick(&source, Qt::Key_Backspace);
        QCOMPARE(source.ForeColor(), ole::kRed);
        QTest::keyClick(&source, Qt::Key_Backspace);
        QCOMPARE(source.ForeColor(), ole::kWindowText); // fixed on the same change
        QCOMPARE(source.palette().color(QPalette::Text),
                 QApplication::palette(&source).color(QPalette::Text));
    }

    void onlySourceFieldsAreMarked()
    {
        frmMain &form = m_h->show();
        form.txtResolutionWidth[0].setText(QStringLiteral("abc"));
        form.txtSourceWidth->setText(QStringLiteral("abc"));
        QCOMPARE(form.txtResolutionWidth[0].ForeColor(), ole::kWindowText);
        QCOMPARE(form.txtSourceWidth->ForeColor(), ole::kRed);
        QCOMPARE(form.txtSourceHeight->ForeColor(), ole::kWindowText);
    }
};

QTEST_MAIN(tst_Validation)
#include "tst_validation.moc"
