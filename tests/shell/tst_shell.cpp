#include "fakes/harness.h"
#include "settings/keys.h"
#include "shell/modMain.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace plenvor;
using test::field;
using test::label;

// Start-up, the keyboard commands and field focus.
class tst_Shell : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;
    frmMain *m_form = nullptr;

    // Main as the program's entry runs it, a run-time error ending in the report; `restoring`
    // sees the window as the stored rows are about to be restored.
    std::unique_ptr<modMain> start(std::function<void(const frmMain &)> restoring = {})
    {
        test::WindowHarness &h = *m_harness;
        const auto running = std::make_shared<const modMain *>(nullptr);
        const auto watched = [running, restoring, stores = h.services.settingsStore](auto &out) {
            const frmMain *form = *running ? (*running)->form() : nullptr;
            if (restoring && form && !form->isVisible())
                restoring(*form);
            return stores(out);
        };
        auto program = std::make_unique<modMain>(
            Services{h.library, h.app, h.report, watched,
                     ComponentSlot<AboutDialog>(test::fakeAboutDialog(h.about))});
        *running = program.get();
        stopAtEdge(h.report, [&] { program->Main(); });
        return program;
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<test::WindowHarness>();
        m_harness->store->values.insert(kCountKey, QStringLiteral("2"));
        m_harness->store->values.insert(widthKey(1), QStringLiteral("1280"));
        QApplication::setWindowIcon(QIcon());
    }
    void cleanup() { m_harness.reset(); }

    // The window is centred at its one-row size, the rows are restored, then it is shown;
    // while developing, neither window gets the icon.
    void startUpShowsTheRestoredWindowCentredWithItsIcons_data()
    {
        QTest::addColumn<bool>("inIde");
        QTest::newRow("built") << false;
        QTest::newRow("in the development environment") << true;
    }
    void startUpShowsTheRestoredWindowCentredWithItsIcons()
    {
        QFETCH(bool, inIde);
        m_harness->library.inIde = inIde ? kVbTrue : kVbFalse;
        float centre = 0;
        const auto program =
            start([&](const frmMain &form) { centre = form.Top() + form.Height() / 2; });
        const frmMain &form = *program->form();
        QVERIFY(form.isVisible() && !form.isModal() && !form.parentWidget());
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(centre, (area.top() + area.height() / 2.0f) * 15);
        QCOMPARE(form.Top() + form.Height() / 2, centre);
        QCOMPARE(form.Left() + form.Width() / 2, (area.left() + area.width() / 2.0f) * 15);
        QCOMPARE(field(form, u"txtResolutionWidth", 1).Text(), QStringLiteral("1280"));
        QCOMPARE(form.windowIcon().isNull(), inIde);
        QCOMPARE(QApplication::windowIcon().isNull(), inIde);
        QVERIFY(m_harness->errors.isEmpty());
    }

    // Any failure status ends start-up in the report, and nothing is stored: a half-loaded
    // list must not overwrite the stored one.
    void aFailingStartUpCallEndsInTheReportAndStoresNothing_data()
    {
        QTest::addColumn<QString>("failing");
        for (const char *name : {"asRegisterAppPath", "asIsInIDE", "asGetThunderMainHandle",
                                 "asSetWindowResIconAll", "asCenterFormEx"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void aFailingStartUpCallEndsInTheReportAndStoresNothing()
    {
        QFETCH(QString, failing);
        m_harness->library.failing = {{failing, status::kFail}};
        const auto program = start();
        QVERIFY(!program->form() || !program->form()->isVisible());
        QCOMPARE(m_harness->store->writes, 0);
        QCOMPARE(m_harness->errors, QVector<Status>{status::kFail});
    }

    // Key events to the window, as the window system delivers them, to go on to the focused
    // field; nothing is typed. Qt on Wayland leaves its keypad modifier off the keypad's keys:
    // their X key symbol still tells. Each key comes twice; the about box takes the keyboard,
    // as a modal box does, and is made once.
    void keysActOnlyWithTheirExactModifiers_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<int>("rows"); // negative: the window closed with that many
        QTest::addColumn<int>("aboutBoxes");
        QTest::addColumn<int>("readMes");
        const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                                          alt = Qt::AltModifier, pad = ctrl | Qt::KeypadModifier;
        const int plus = Qt::Key_Plus, minus = Qt::Key_Minus, f1 = Qt::Key_F1, esc = Qt::Key_Escape;
        const quint32 padPlus = 0xffab, padMinus = 0xffad, f1Sym = 0xffbe, escSym = 0xff1b;
        QTest::newRow("ctrl+pad plus adds") << plus << pad << padPlus << 4 << 0 << 0;
        QTest::newRow("ctrl+pad minus removes") << minus << pad << padMinus << 1 << 0 << 0;
        QTest::newRow("ctrl+pad plus by its symbol") << plus << ctrl << padPlus << 4 << 0 << 0;
        QTest::newRow("ctrl+main plus does nothing") << plus << ctrl << 0x2bu << 2 << 0 << 0;
        QTest::newRow("extra shift") << plus << (pad | shift) << padPlus << 2 << 0 << 0;
        QTest::newRow("shift+F1 shows the about box") << f1 << shift << f1Sym << 2 << 2 << 0;
        QTest::newRow("F1 opens the read-me") << f1 << none << f1Sym << 2 << 0 << 2;
        QTest::newRow("ctrl+F1 does nothing") << f1 << ctrl << f1Sym << 2 << 0 << 0;
        QTest::newRow("alt+F1 does nothing") << f1 << alt << f1Sym << 2 << 0 << 0;
        QTest::newRow("shift+Esc does nothing") << esc << shift << escSym << 2 << 0 << 0;
        QTest::newRow("Esc closes and stores") << esc << none << escSym << -2 << 0 << 0;
    }
    void keysActOnlyWithTheirExactModifiers()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(quint32, keysym);
        QFETCH(int, rows);
        QFETCH(int, aboutBoxes);
        QFETCH(int, readMes);
        m_form = &m_harness->show();
        m_harness->store->values.clear();
        TextBox &height = field(*m_form, u"txtResolutionHeight", 0);
        height.setText(QStringLiteral("1080"));
        height.SetFocus();
        const QString text = key == Qt::Key_Plus ? "+" : key == Qt::Key_Minus ? "-" : "";
        for (const QEvent::Type type :
             {QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, mods, 0, keysym, 0, text);
            QApplication::sendEvent(m_form->windowHandle(), &event);
        }
        QCOMPARE(m_harness->rows(), std::abs(rows));
        QCOMPARE(height.Text(), QStringLiteral("1080"));
        QCOMPARE(QPair(m_harness->about->shown, m_harness->about->created),
                 QPair(aboutBoxes, aboutBoxes ? 1 : 0));
        QCOMPARE(m_harness->about->owner, aboutBoxes ? m_form : nullptr); // over the window
        QCOMPARE(m_harness->library.calls.value(QStringLiteral("asOpenReadMeFile")), readMes);
        QCOMPARE(m_form->isVisible(), rows > 0);
        QCOMPARE(m_harness->store->values.value(widthKey(1)), rows > 0 ? QString() : "1280");
        QVERIFY(m_harness->errors.isEmpty());
    }

    // Each kind of field selects its whole text when it receives the focus, in an added row
    // too. OtherFocusReason is one on which Qt itself selects nothing.
    void everyKindOfFieldSelectsItsTextOnFocus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("source width") << "txtSourceWidth" << 0;
        QTest::newRow("source height") << "txtSourceHeight" << 0;
        QTest::newRow("resolution width") << "txtResolutionWidth" << 1;
        QTest::newRow("resolution height") << "txtResolutionHeight" << 1;
        QTest::newRow("target width") << "txtTargetWidth" << 1;
        QTest::newRow("target height") << "txtTargetHeight" << 1;
    }
    void everyKindOfFieldSelectsItsTextOnFocus()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        m_form = &m_harness->show();
        TextBox &box = field(*m_form, name, index);
        box.setText(QStringLiteral("1234"));
        box.widget()->setCursorPosition(2);
        field(*m_form, u"txtResolutionWidth", 0).SetFocus();
        box.SetFocus(Qt::OtherFocusReason);
        QCOMPARE(box.widget()->selectedText(), QStringLiteral("1234"));
    }

    void comingBackFromAnotherWindowIsNoNewFocus()
    {
        m_form = &m_harness->show();
        TextBox &focused = field(*m_form, u"txtTargetHeight", 1);
        focused.setText(QStringLiteral("1234"));
        focused.SetFocus();
        focused.widget()->setCursorPosition(2); // the caret stays there
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(&other), "the other window did not become active");
        m_form->activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(m_form), "the window did not become active again");
        QCOMPARE(QPair(focused.widget()->cursorPosition(), focused.widget()->selectedText()),
                 QPair(2, QString()));
    }

    // The handler sees each key the window system delivers, also one after a key a field took
    // that stands at the same address and reaches no field.
    void aKeyTheWindowGetsItselfReachesTheHandler()
    {
        m_form = &m_harness->show();
        TextBox &source = field(*m_form, u"txtSourceWidth");
        std::optional<QKeyEvent> key;
        key.emplace(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QApplication::sendEvent(m_form->windowHandle(), &*key);
        QCOMPARE(source.Text(), QStringLiteral("1"));
        source.widget()->clearFocus();
        key.emplace(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(m_form->windowHandle(), &*key);
        QVERIFY2(!m_form->isVisible(), "Esc did not close the window");
    }

    // The session asks for the list while the window stays; a window system gone unloads the
    // form without its window, once, whatever else comes after.
    void theSessionEndingStoresTheListOnce()
    {
        m_form = &m_harness->show();
        m_harness->store->values.clear();
        m_form->keepWorkNow();
        QCOMPARE(m_harness->store->values.value(widthKey(1)), QStringLiteral("1280"));
        QVERIFY(m_form->isVisible());
        const int oneStore = m_harness->store->writes;
        m_form->unloadWithoutWindow();
        m_form->unloadWithoutWindow();
        m_form->close();
        m_form->keepWorkNow();
        QCOMPARE(m_harness->store->writes, 2 * oneStore);
    }

    // A failed command ends the program, but the user's list is stored first.
    void aFailedCommandStoresTheListBeforeTheReport_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<QString>("failing"); // the support function, or the about box
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        QTest::newRow("read-me") << int(Qt::Key_F1) << none << "asOpenReadMeFile";
        QTest::newRow("highlight on Tab") << int(Qt::Key_Tab) << none << "asHighlightText";
        QTest::newRow("about box") << int(Qt::Key_F1) << shift << "";
        QTest::newRow("about box creation") << int(Qt::Key_F1) << shift << "create";
    }
    void aFailedCommandStoresTheListBeforeTheReport()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(QString, failing);
        m_form = &m_harness->show();
        m_harness->store->values.clear();
        m_harness->library.failing.insert(failing, status::kFail);
        m_harness->about->status = status::kFail;
        m_harness->about->creationFails = failing == "create";
        field(*m_form, u"txtSourceWidth").SetFocus();
        QTest::keyClick(m_form->windowHandle(), Qt::Key(key), mods);
        QCOMPARE(m_harness->errors.size(), 1);
        QCOMPARE(m_harness->store->values.value(kCountKey), QStringLiteral("2"));
        QCOMPARE(m_harness->store->values.value(widthKey(1)), QStringLiteral("1280"));
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
