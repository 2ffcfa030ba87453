#include "fakes/offscreen.h"
#include "runtime/key_codes.h"
#include "runtime/number_conversion.h"

#include <QTest>

using namespace plenvor;

namespace {
constexpr Status kOk = status::kOk;
constexpr Status kMismatch = status::kTypeMismatch;
constexpr Status kOverflow = status::kOverflow;
} // namespace

// The platform's runtime: text to numbers, and Qt's keys as the key handler receives them.
class tst_Runtime : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Text to a 32-bit number in a locale, rounded half to even; untouched on failure.
    void text_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("expected");
        QTest::addColumn<qint32>("value");
        const QLocale c = QLocale::c();
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
        QTest::newRow("blanks and tabs around") << c << " \t+1920\t " << kOk << 1920;
        QTest::newRow("largest") << c << "2147483647" << kOk << 2147483647;
        QTest::newRow("one past largest") << c << "2147483648" << kOverflow << -7;
        QTest::newRow("smallest") << c << "-2147483648" << kOk << qint32(INT32_MIN);
        QTest::newRow("empty") << c << "" << kMismatch << -7;
        QTest::newRow("unit after number") << c << "12px" << kMismatch << -7;
        QTest::newRow("a carriage return is no blank") << c << "1600\r" << kMismatch << -7;
        QTest::newRow("2.5 ties to 2") << c << "2.5" << kOk << 2;
        QTest::newRow("-2.5 ties to -2") << c << "-2.5" << kOk << -2;
        QTest::newRow("largest plus a half") << c << "2147483647.5" << kOverflow << -7;
        QTest::newRow("smallest minus a half ties back")
            << c << "-2147483648.5" << kOk << INT32_MIN;
        QTest::newRow("a megabyte of nines") << c << QString(1 << 20, u'9') << kOverflow << -7;
        QTest::newRow("a long fraction past a half")
            << c << "0.5" + QString(1 << 20, u'0') + u'1' << kOk << 1;
        QTest::newRow("a decimal comma") << russian << "3,5" << kOk << 4;
        QTest::newRow("a point where a comma belongs") << russian << "2.5" << kMismatch << -7;
        QTest::newRow("the locale's own minus sign")
            << swedish << swedish.negativeSign() + "5" << kOk << -5;
    }
    void text()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(Status, expected);
        QFETCH(qint32, value);
        QLocale::setDefault(locale);
        qint32 out = -7;
        QCOMPARE(VarI4FromStr(text, out), expected);
        QCOMPARE(out, value);
    }

    void virtualKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<quint32>("keysym"); // the X key symbol, or 0
        QTest::addColumn<int>("code");
        const Qt::KeyboardModifiers none, pad = Qt::KeypadModifier;
        const auto row = [](const char *name, int key, Qt::KeyboardModifiers m, quint32 s, int c) {
            QTest::newRow(name) << key << m << s << c;
        };
        row("keypad plus", Qt::Key_Plus, pad, 0, 107);
        row("keypad plus by its symbol alone", Qt::Key_Plus, none, 0xffab, 107);
        row("keypad minus by its symbol alone", Qt::Key_Minus, none, 0xffad, 109);
        row("the symbol of another key", Qt::Key_Minus, none, 0xffab, 189);
        row("main plus", Qt::Key_Plus, none, 0x2b, 187);
        row("keypad digits", Qt::Key_7, pad, 0, 103);
        row("keypad point", Qt::Key_Comma, pad, 0, 110);
        row("keypad Enter is Enter", Qt::Key_Enter, pad, 0, 13);
        row("F1", Qt::Key_F1, none, 0xffbe, 112);
        row("Shift+Tab is Tab", Qt::Key_Backtab, none, 0, 9);
        row("a key without a code", Qt::Key_Launch0, none, 0, 0);
    }
    void virtualKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(quint32, keysym);
        QFETCH(int, code);
        QCOMPARE(int(virtualKeyCode(key, mods, keysym)), code);
    }
};

QTEST_MAIN(tst_Runtime)
#include "tst_runtime.moc"
