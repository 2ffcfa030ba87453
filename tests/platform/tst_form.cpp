#include "fakes/harness.h"
#include "fakes/run_tests.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/key_codes.h"

#include <QTest>

using namespace plenvor;

namespace {

class TestForm : public Form
{
public:
    int loads = 0;
    int unloads = 0;
    int fatalHooks = 0;
    QVector<QPair<qint16, qint16>> keys;
    std::function<void(qint16 &, qint16 &)> onKey;
    TextBox *field;

    TestForm()
    {
        setClientSize(7350, 1215);
        setKeyPreview(true);
        field = new TextBox(this);
        field->Move(120, 780, 1575, 315);
    }

    template <class F> void runGuarded(F &&f) { guarded(std::forward<F>(f)); }

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload(qint16 &cancel) override
    {
        ++unloads;
        cancel = -1; // asks to stay open; an unload cannot be refused
    }
    void Form_KeyDown(qint16 &keyCode, qint16 &shift) override
    {
        keys << qMakePair(keyCode, shift);
        if (onKey)
            onKey(keyCode, shift);
    }
    void beforeFatalError() noexcept override { ++fatalHooks; }
};

using KeyLog = QVector<QPair<qint16, qint16>>;

} // namespace

Q_DECLARE_METATYPE(KeyLog)

class tst_Form : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestForm> m_form;

    void showActive()
    {
        m_form->Show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

private slots:
    void init() { m_form = std::make_unique<TestForm>(); }
    void cleanup() { m_form.reset(); }

    void everyKeyReachesThePreviewOnceBeforeTheField_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<KeyLog>("expected");
        const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("a letter the field takes")
            << int(Qt::Key_A) << Qt::KeyboardModifiers() << KeyLog{{65, 0}};
        QTest::newRow("Esc, which the field passes on")
            << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << KeyLog{{27, 0}};
        QTest::newRow("F1, which the field passes on")
            << int(Qt::Key_F1) << Qt::KeyboardModifiers() << KeyLog{{112, 0}};
        QTest::newRow("Ctrl+keypad plus, Ctrl first")
            << int(Qt::Key_Plus) << (ctrl | Qt::KeypadModifier) << KeyLog{{17, 2}, {107, 2}};
        QTest::newRow("Shift+F1, Shift first")
            << int(Qt::Key_F1) << Qt::KeyboardModifiers(Qt::ShiftModifier)
            << KeyLog{{16, 1}, {112, 1}};
    }
    void everyKeyReachesThePreviewOnceBeforeTheField()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(KeyLog, expected);
        showActive();
        m_form->field->setFocus();
        QString textWhenPreviewed = QStringLiteral("none");
        m_form->onKey = [&](qint16 &, qint16 &) { textWhenPreviewed = m_form->field->Text(); };
        QTest::keyClick(m_form->field, Qt::Key(key), mods);
        QCOMPARE(m_form->keys, expected);
        QCOMPARE(textWhenPreviewed, QString()); // the field had not seen the key yet
    }

    void theKeyGoesOnUnchangedWhateverTheHandlerDoes()
    {
        showActive();
        m_form->field->setFocus();
        m_form->onKey = [](qint16 &keyCode, qint16 &shift) {
            keyCode = 0;
            shift = 7;
        };
        QTest::keyClicks(m_form->field, QStringLiteral("12"));
        QCOMPARE(m_form->field->Text(), QStringLiteral("12"));
    }

    void keysSentToTheWindowItselfArePreviewedToo()
    {
        showActive();
        QTest::keyClick(m_form.get(), Qt::Key_F1);
        QCOMPARE(m_form->keys, (KeyLog{{112, 0}}));
    }

    void showLoadsOnceAndShowsModeless()
    {
        m_form->Show();
        m_form->Show();
        QCOMPARE(m_form->loads, 1);
        QVERIFY(m_form->isVisible());
        QVERIFY(!m_form->isModal());
        QCOMPARE(m_form->state(), Form::State::Loaded);
    }

    void closingRunsUnloadOnceAndCannotBeRefused()
    {
        m_form->Show();
        m_form->Unload();
        QCOMPARE(m_form->unloads, 1);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_form->state(), Form::State::Unloaded);
        m_form->close();
        QCOMPARE(m_form->unloads, 1);
    }

    void errorInAHandlerEndsInTheReport_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("hooks");
        QTest::newRow("after loading: the hook runs first") << true << 1;
        QTest::newRow("before loading: no hook") << false << 0;
    }
    void errorInAHandlerEndsInTheReport()
    {
        QFETCH(bool, loaded);
        QFETCH(int, hooks);
        test::ErrorReports reports;
        if (loaded)
            m_form->Show();
        m_form->runGuarded([] { throw RuntimeError(status::kFail); });
        QCOMPARE(reports.statuses, QVector<Status>{status::kFail});
        QCOMPARE(m_form->fatalHooks, hooks);
    }

    void heightAndTopAreKeptExactlyWhateverTheScreenTakes()
    {
        showActive();
        const float height = m_form->Height();
        m_form->setHeight(13763355.0f);
        m_form->setTop(-6880000.5f);
        QCOMPARE(m_form->Height(), 13763355.0f);
        QCOMPARE(m_form->Top(), -6880000.5f);
        QCOMPARE(m_form->height(), 32767); // X11 stops there; the form's value does not
        m_form->setHeight(height);
        QCOMPARE(m_form->height(), 81);
    }

    void aMoveByTheUserIsTakenButNotTheWindowManagersAnswer()
    {
        showActive();
        m_form->setTop(3000.0f);
        m_form->move(m_form->x(), 150); // an immediate answer to the program's own move
        QCOMPARE(m_form->Top(), 3000.0f);
        QTest::qWait(600);
        m_form->move(m_form->x(), 300); // later: the user dragged the window
        QCOMPARE(m_form->Top(), 4500.0f);
    }
};

class tst_KeyCodes : public QObject
{
    Q_OBJECT

private slots:
    // Only the keypad's plus and minus are the row commands' keys; Qt reports them with the
    // keypad flag, which is no shift key itself.
    void keypadKeysAndShiftStates_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mask");
        const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("ctrl+keypad plus")
            << int(Qt::Key_Plus) << (ctrl | Qt::KeypadModifier) << 107 << 2;
        QTest::newRow("ctrl+main plus") << int(Qt::Key_Plus) << ctrl << 187 << 2;
        QTest::newRow("keypad digit")
            << int(Qt::Key_7) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 103 << 0;
        QTest::newRow("ctrl+shift+alt F1")
            << int(Qt::Key_F1) << (ctrl | Qt::ShiftModifier | Qt::AltModifier) << 112 << 7;
        QTest::newRow("meta is no shift key")
            << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::MetaModifier) << 27 << 0;
    }
    void keypadKeysAndShiftStates()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(int, code);
        QFETCH(int, mask);
        QCOMPARE(int(virtualKeyCode(key, mods)), code);
        QCOMPARE(int(shiftState(mods)), mask);
    }
};

int main(int argc, char *argv[])
{
    return plenvor::test::runTests<tst_Form, tst_KeyCodes>(argc, argv);
}
#include "tst_form.moc"
