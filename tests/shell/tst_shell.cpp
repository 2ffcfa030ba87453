#include "fakes/harness.h"
#include "settings/keys.h"
#include "shell/modMain.h"

#include <QKeyEvent>
#include <QScreen>
#include <QTest>

#include <optional>

using namespace plenvor;
using test::field;

// Start-up, the keyboard commands and field focus.
class tst_Shell : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;
    frmMain *m_form = nullptr;

    // Main as the program's entry runs it, a run-time error ending in the report; `restoring`
    // sees the window as the stored rows are about to be restored.
    std::unique_ptr<modMain> start(std::function<void(const frmMain &)> restoring)
    {
        test::WindowHarness &h = *m_harness;
        const auto running = std::make_shared<const modMain *>(nullptr);
        const auto watched = [running, restoring, stores = h.services.settingsStore](auto &out) {
            const frmMain *form = *running ? (*running)->form() : nullptr;
            if (form && !form->isVisible())
                restoring(*form);
            return stores(out);
        };
        auto program = std::make_unique<modMain>(
            Services{h.library, h.app, h.report, watched,
                     ComponentSlot<AboutDialog>(test::fakeAboutDialog(h.about)), h.notice});
        *running = program.get();
        stopAtEdge(h.report, [&] { program->Main(); });
        return program;
    }
    QString stored() const { return m_harness->store->values.value(widthKey(1), "nothing"); }

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
    // while developing, neither window gets the icon. Any failing call ends start-up in the
    // report, and nothing is stored: a half-loaded list must not overwrite the stored one.
    void startUp_data()
    {
        QTest::addColumn<bool>("inIde");
        QTest::addColumn<QString>("failing");
        QTest::newRow("built") << false << "";
        QTest::newRow("in the development environment") << true << "";
        for (const char *name : {"asRegisterAppPath", "asIsInIDE", "asGetThunderMainHandle",
                                 "asSetWindowResIconAll", "asCenterFormEx"})
            QTest::newRow(name) << false << name;
    }
    void startUp()
    {
        QFETCH(bool, inIde);
        QFETCH(QString, failing);
        m_harness->library.inIde = inIde ? kVbTrue : kVbFalse;
        m_harness->library.failing = {{failing, status::kFail}};
        float centre = 0;
        const auto program = start([&](const frmMain &f) { centre = f.Top() + f.Height() / 2; });
        const frmMain *form = program->form();
        if (!failing.isEmpty()) {
            QVERIFY(!form || !form->isVisible());
            QCOMPARE(QPair(m_harness->errors, m_harness->store->writes),
                     QPair(QVector<Status>{status::kFail}, 0));
            return;
        }
        QVERIFY(form->isVisible() && !form->isModal() && !form->parentWidget());
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(centre, (area.top() + area.height() / 2.0f) * 15);
        QCOMPARE(form->Top() + form->Height() / 2, centre);
        QCOMPARE(form->Left() + form->Width() / 2, (area.left() + area.width() / 2.0f) * 15);
        QCOMPARE(field(*form, u"txtResolutionWidth", 1).Text(), QStringLiteral("1280"));
        QCOMPARE(QPair(form->windowIcon().isNull(), QApplication::windowIcon().isNull()),
                 QPair(inIde, inIde));
        QVERIFY(m_harness->errors.isEmpty());
    }

    // Key events to the window, as the window system delivers them, twice, to go on to the
    // focused field; nothing is typed. Qt on Wayland leaves its keypad modifier off the
    // keypad's keys: their X key symbol still tells. The about box is made once and takes the
    // keyboard, as a modal box does. A failed command ends the program, the list stored first.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<QString>("failing"); // a support function, "about" or "creation"
        QTest::addColumn<QString>("outcome"); // what differs from 2 rows and nothing done
        const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                                          alt = Qt::AltModifier, pad = ctrl | Qt::KeypadModifier;
        const int plus = Qt::Key_Plus, minus = Qt::Key_Minus, f1 = Qt::Key_F1, esc = Qt::Key_Escape;
        const quint32 padPlus = 0xffab, padMinus = 0xffad, f1Sym = 0xffbe, escSym = 0xff1b;
        const auto row = [](const char *name, int key, Qt::KeyboardModifiers mods, quint32 sym,
                            const char *failing, const char *outcome) {
            QTest::newRow(name) << key << mods << sym << failing << outcome;
        };
        row("ctrl+pad plus adds", plus, pad, padPlus, "", "4 rows");
        row("ctrl+pad minus removes", minus, pad, padMinus, "", "1 rows");
        row("ctrl+pad plus by its symbol", plus, ctrl, padPlus, "", "4 rows");
        row("ctrl+main plus does nothing", plus, ctrl, 0x2b, "", "");
        row("extra shift does nothing", plus, pad | shift, padPlus, "", "");
        row("shift+F1 shows the about box", f1, shift, f1Sym, "", "2 about boxes");
        row("F1 opens the read-me", f1, none, f1Sym, "", "2 read-mes");
        row("ctrl+F1 does nothing", f1, ctrl, f1Sym, "", "");
        row("alt+F1 does nothing", f1, alt, f1Sym, "", "");
        row("shift+Esc does nothing", esc, shift, escSym, "", "");
        row("Esc closes and stores", esc, none, escSym, "", "closed, stored");
        row("a failing read-me", f1, none, f1Sym, "asOpenReadMeFile",
            "2 read-mes, stored, 2 errors");
        row("a failing highlight on Tab", Qt::Key_Tab, none, 0, "asHighlightText",
            "stored, 2 errors");
        row("a failing about box", f1, shift, f1Sym, "about", "2 about boxes, stored, 2 errors");
        row("an about box not made", f1, shift, f1Sym, "creation", "stored, 2 errors");
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(quint32, keysym);
        QFETCH(QString, failing);
        QFETCH(QString, outcome);
        test::WindowHarness &h = *m_harness;
        m_form = &h.show();
        h.store->values.clear();
        TextBox &height = field(*m_form, u"txtResolutionHeight", 0);
        height.setText(QStringLiteral("1080"));
        height.SetFocus();
        h.library.failing.insert(failing, status::kFail);
        h.about->status = failing == "about" ? status::kFail : status::kOk;
        h.about->creationFails = failing == "creation";
        const QString text = key == Qt::Key_Plus ? "+" : key == Qt::Key_Minus ? "-" : "";
        for (const QEvent::Type type :
             {QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, mods, 0, keysym, 0, text);
            QApplication::sendEvent(m_form->windowHandle(), &event);
        }
        QStringList got;
        const int readMes = h.library.calls.value(QStringLiteral("asOpenReadMeFile"));
        const std::pair<bool, QString> parts[] = {
            {h.rows() != 2, QStringLiteral("%1 rows").arg(h.rows())},
            {h.about->shown, QStringLiteral("%1 about boxes").arg(h.about->shown)},
            {readMes, QStringLiteral("%1 read-mes").arg(readMes)},
            {!m_form->isVisible(), "closed"},
            {stored() == "1280", "stored"},
            {!h.errors.isEmpty(), QStringLiteral("%1 errors").arg(h.errors.size())}};
        for (const auto &[differs, part] : parts)
            if (differs)
                got << part;
        QCOMPARE(got.join(", "), outcome);
        QCOMPARE(height.Text(), QStringLiteral("1080"));
        QCOMPARE(h.about->created, h.about->shown ? 1 : 0);
        QCOMPARE(h.about->owner, h.about->shown ? m_form : nullptr); // over the window
    }

    // Each kind of field selects its whole text when it receives the focus, in an added row
    // too. OtherFocusReason is one on which Qt itself selects nothing.
    void everyKindOfFieldSelectsItsTextOnFocus()
    {
        m_form = &m_harness->show();
        QStringList selected;
        for (const char16_t *name :
             {u"txtSourceWidth", u"txtSourceHeight", u"txtResolutionWidth", u"txtResolutionHeight",
              u"txtTargetWidth", u"txtTargetHeight"}) {
            TextBox &box = field(*m_form, name, name[3] == u'S' ? 0 : 1);
            box.setText(QStringLiteral("1234"));
            box.widget()->setCursorPosition(2);
            field(*m_form, u"txtResolutionWidth", 0).SetFocus();
            box.SetFocus(Qt::OtherFocusReason);
            selected << box.widget()->selectedText();
        }
        QCOMPARE(selected, QStringList(6, QStringLiteral("1234")));
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
        QVERIFY(stored() == "1280" && m_form->isVisible());
        const int oneStore = m_harness->store->writes;
        m_form->unloadWithoutWindow();
        m_form->unloadWithoutWindow();
        m_form->close();
        m_form->keepWorkNow();
        QCOMPARE(m_harness->store->writes, 2 * oneStore);
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
