#include "fakes/offscreen.h"
#include "runtime/key_codes.h"

#include <QTest>

using namespace plenvor;

// Qt's keys as the key handler receives them: virtual-key codes and the shift state.
class tst_KeyCodes : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void virtualKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<quint32>("keysym"); // the X key symbol, or 0
        QTest::addColumn<int>("code");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << pad << 0u << 107;
        QTest::newRow("keypad minus") << int(Qt::Key_Minus) << pad << 0u << 109;
        QTest::newRow("keypad plus by its symbol alone")
            << int(Qt::Key_Plus) << none << 0xffabu << 107;
        QTest::newRow("keypad minus by its symbol alone")
            << int(Qt::Key_Minus) << none << 0xffadu << 109;
        QTest::newRow("the symbol of another key") << int(Qt::Key_Minus) << none << 0xffabu << 189;
        QTest::newRow("main plus") << int(Qt::Key_Plus) << none << 0x2bu << 187;
        QTest::newRow("main equals") << int(Qt::Key_Equal) << none << 0u << 187;
        QTest::newRow("main minus") << int(Qt::Key_Minus) << none << 0u << 189;
        QTest::newRow("keypad digits") << int(Qt::Key_7) << pad << 0u << 103;
        QTest::newRow("keypad star") << int(Qt::Key_Asterisk) << pad << 0u << 106;
        QTest::newRow("keypad point") << int(Qt::Key_Comma) << pad << 0u << 110;
        QTest::newRow("keypad slash") << int(Qt::Key_Slash) << pad << 0u << 111;
        QTest::newRow("keypad Enter is Enter") << int(Qt::Key_Enter) << pad << 0u << 13;
        QTest::newRow("the last digit") << int(Qt::Key_9) << none << 0u << 57;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << 0xffbeu << 112;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << 0xff1bu << 27;
        QTest::newRow("Shift+Tab is Tab") << int(Qt::Key_Backtab) << none << 0u << 9;
        QTest::newRow("a key without a code") << int(Qt::Key_Launch0) << none << 0u << 0;
    }
    void virtualKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(quint32, keysym);
        QFETCH(int, code);
        QCOMPARE(int(virtualKeyCode(key, mods, keysym)), code);
    }

    void shiftStates_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>("state");
        QTest::newRow("none") << Qt::KeyboardModifiers() << 0;
        QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
        QTest::newRow("Ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
        QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
        QTest::newRow("all three, the keypad's and Meta left out")
            << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier |
                Qt::MetaModifier)
            << 7;
    }
    void shiftStates()
    {
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(int, state);
        QCOMPARE(int(shiftState(mods)), state);
    }
};

QTEST_MAIN(tst_KeyCodes)
#include "tst_key_codes.moc"
