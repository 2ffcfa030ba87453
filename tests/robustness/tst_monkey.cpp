#include "fakes/harness.h"

#include <QClipboard>
#include <QTest>

#include <random>

using namespace plenvor;
using test::field;
using test::label;

// Ten thousand random keys into the window, as a restless user would type them: digits,
// letters, separators, Tab, BackSpace, the commands, pastes of long texts. After every key the
// window still holds together: the focus in a field, the rows contiguous from 0 in all five
// arrays at their places, the window about the same centre, and no run-time error.
class tst_Monkey : public test::OffscreenTest
{
    Q_OBJECT

    test::WindowHarness m_harness;

    // Every row a pitch below the one before, all five of its controls at one top.
    bool windowHoldsTogether(const frmMain &form, float centre)
    {
        const auto top = [&](int i) { return field(form, u"txtResolutionWidth", i).Top(); };
        for (int i = 1; i < m_harness.rows(); ++i) {
            for (const char16_t *column :
                 {u"txtResolutionHeight", u"txtTargetWidth", u"txtTargetHeight"})
                if (field(form, column, i).Top() != top(i))
                    return false;
            if (label(form, u"lblArrow", i).Top() != top(i) ||
                top(i) - top(i - 1) != top(1) - top(0))
                return false;
        }
        return m_harness.rowsAreWhole() && form.Top() + form.Height() / 2 == centre &&
               m_harness.errors.isEmpty() && test::WindowHarness::focusedField();
    }

private slots:
    void tenThousandRandomKeys()
    {
        const frmMain &form = m_harness.show();
        const float centre = form.Top() + form.Height() / 2;
        const unsigned seed = qEnvironmentVariableIsSet("PLENVOR_MONKEY_SEED")
                                  ? qEnvironmentVariableIntValue("PLENVOR_MONKEY_SEED")
                                  : std::random_device{}();
        qInfo("keys from seed %u (PLENVOR_MONKEY_SEED repeats them)", seed);
        std::mt19937 random(seed);
        const auto pick = [&](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(random);
        };
        const QString typed = QStringLiteral("0123456789012345,.-+ xyz\r");
        const Qt::KeyboardModifiers pad = Qt::ControlModifier | Qt::KeypadModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier, none;
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Backspace, none}, {Qt::Key_Tab, none},  {Qt::Key_Backtab, shift},
            {Qt::Key_Plus, pad},       {Qt::Key_Minus, pad}, {Qt::Key_Plus, none},
            {Qt::Key_F1, none},        {Qt::Key_F1, shift}};
        for (int step = 1; step <= 10000; ++step) {
            QWidget *focus = QApplication::focusWidget();
            if (const int kind = pick(20); kind < 9) {
                QTest::keyClicks(focus, QString(typed[pick(int(typed.size()))]));
            } else if (kind < 11) { // a paste of up to 200,000 characters
                QApplication::clipboard()->setText(QString(pick(3) * pick(100000), u'8') +
                                                   typed.mid(pick(20)));
                QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            } else {
                const auto &[key, mods] = keys[pick(std::size(keys))];
                QTest::keyClick(focus, key, mods);
            }
            if (step % 50 == 0)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(windowHoldsTogether(form, centre),
                     qPrintable(QStringLiteral("key %1").arg(step)));
        }
        qInfo("ended with %d rows", m_harness.rows());
    }
};

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
