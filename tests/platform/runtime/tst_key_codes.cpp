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
        const Qt::KeyboardModifiers none, pad = Qt::KeypadModifier;
        const auto row = [](const char *name, int key, Qt::KeyboardModifiers m, quint32 s, int c) {
            QTest::newRow(name) << key << m << s << c;
        };
        row("keypad plus", Qt::Key_Plus, pad, 0, 107);
        row("keypad minus", Qt::Key_Minus, pad, 0, 109);
        row("keypad plus by its symbol alone", Qt::Key_Plus, none, 0xffab, 107);
        row("keypad minus by its symbol alone", Qt::Key_Minus, none, 0xffad, 109);
        row("the symbol of another key", Qt::Key_Minus, none, 0xffab, 189);
        row("main plus", Qt::Key_Plus, none, 0x2b, 187);
        row("main minus", Qt::Key_Minus, none, 0, 189);
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

    // Shift, Ctrl and Alt; the keypad's and Meta left out.
    void shiftStates()
    {
        QVector<int> states;
        for (const Qt::KeyboardModifiers mods :
             {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
              Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
              Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier |
                  Qt::MetaModifier})
            states << shiftState(mods);
        QCOMPARE(states, QVector<int>({0, 1, 2, 4, 7}));
    }
};

QTEST_MAIN(tst_KeyCodes)
#include "tst_key_codes.moc"
