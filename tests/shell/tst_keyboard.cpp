#include "fakes/harness.h"
#include "fakes/run_tests.h"
#include "settings/keys.h"

#include <QPointer>
#include <QTest>

using namespace plenvor;

class tst_Keyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;
    frmMain *f = nullptr;

private slots:
    void init()
    {
        m_h = std::make_unique<test::WindowHarness>();
        f = &m_h->show();
        m_h->addRows(1); // the window starts with two rows
    }
    void cleanup() { m_h.reset(); }

    // Real key events to the focused field, so they pass through key preview.
    void keysActOnlyWithTheirExactModifiers_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("aboutBoxes");
        QTest::addColumn<int>("readMes");
        QTest::addColumn<bool>("open");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers pad = Qt::ControlModifier | Qt::KeypadModifier;
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("ctrl+pad plus adds") << int(Qt::Key_Plus) << pad << 3 << 0 << 0 << true;
        QTest::newRow("ctrl+pad minus removes") << int(Qt::Key_Minus) << pad << 1 << 0 << 0 << true;
        QTest::newRow("ctrl+main plus does nothing")
            << int(Qt::Key_Plus) << ctrl << 2 << 0 << 0 << true;
        QTest::newRow("ctrl+main minus does nothing")
            << int(Qt::Key_Minus) << ctrl << 2 << 0 << 0 << true;
        QTest::newRow("extra shift does nothing")
            << int(Qt::Key_Plus) << (pad | Qt::ShiftModifier) << 2 << 0 << 0 << true;
        QTest::newRow("shift+F1 shows the about box")
            << int(Qt::Key_F1) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2 << 1 << 0 << true;
        QTest::newRow("F1 opens the read-me") << int(Qt::Key_F1) << none << 2 << 0 << 1 << true;
        QTest::newRow("ctrl+F1 does nothing") << int(Qt::Key_F1) << ctrl << 2 << 0 << 0 << true;
        QTest::newRow("alt+F1 does nothing")
            << int(Qt::Key_F1) << Qt::KeyboardModifiers(Qt::AltModifier) << 2 << 0 << 0 << true;
        QTest::newRow("shift+Esc does nothing")
            << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2 << 0 << 0
            << true;
        QTest::newRow("Esc closes") << int(Qt::Key_Escape) << none << 2 << 0 << 0 << false;
    }
    void keysActOnlyWithTheirExactModifiers()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(int, rowsAfter);
        QFETCH(int, aboutBoxes);
        QFETCH(int, readMes);
        QFETCH(bool, open);
        f->txtResolutionWidth[0].setText(QStringLiteral("1920"));
        f->txtResolutionWidth[0].setFocus();
        QTest::keyClick(&f->txtResolutionWidth[0], Qt::Key(key), mods);
        QCOMPARE(m_h->rows(), rowsAfter);
        QCOMPARE(f->txtResolutionWidth[0].Text(), QStringLiteral("1920")); // nothing typed
        QCOMPARE(m_h->about->calls.size(), aboutBoxes);
        QCOMPARE(m_h->library.count(QStringLiteral("asOpenReadMeFile(0)")), readMes);
        QCOMPARE(f->isVisible(), open);
        QVERIFY(m_h->errors.statuses.isEmpty());
    }

    void aKeypadPlusWithoutCtrlIsTypedNotACommand()
    {
        f->txtSourceWidth->setFocus();
        QTest::keyClick(f->txtSourceWidth, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(f->txtSourceWidth->Text(), QStringLiteral("+"));
        QCOMPARE(m_h->rows(), 2);
    }

    void escStoresTheListAndUnloads()
    {
        m_h->setRow(1, QStringLiteral("1280"), QStringLiteral("1024"));
        f->txtSourceHeight->setFocus();
        QTest::keyClick(f->txtSourceHeight, Qt::Key_Escape);
        QCOMPARE(f->state(), Form::State::Unloaded);
        QCOMPARE(m_h->store->values.value(kCountKey), Variant::fromInt16(2));
        QCOMPARE(m_h->store->values.value(widthKey(1)), Variant::fromText(QStringLiteral("1280")));
    }

    void theAboutBoxGetsItsArgumentsAndIsCreatedOnce()
    {
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(f->txtSourceWidth, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(m_h->about->instancesCreated, 1);
        QCOMPARE(m_h->about->calls.size(), 2);
        for (const test::AboutCall &call : m_h->about->calls) {
            QCOMPARE(call.owner, f);
            QCOMPARE(call.app, &m_h->app);
            QCOMPARE(call.extraText, QString());
            QVERIFY(call.picture == nullptr);
            QCOMPARE(call.dedication, QStringLiteral("Ovelin"));
            QCOMPARE(call.instance, 1);
        }
        QCOMPARE(m_h->rows(), 2);
    }

    void removingTheRowThatHoldsTheFocusFromItsOwnKeyIsSafe()
    {
        QPointer<TextBox> field = &f->txtResolutionHeight[1];
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), &f->txtResolutionHeight[0]);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!field);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QCOMPARE(f->txtResolutionHeight[0].Text(), QStringLiteral("7"));
    }

    // Each kind of field selects its whole text when it receives the focus, in rows added
    // at run time too. OtherFocusReason is one Qt itself does not select on.
    void everyKindOfFieldSelectsItsTextOnFocus_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("row");
        for (int row : {0, 1}) {
            const QByteArray suffix = row ? " in an added row" : "";
            QTest::newRow("resolution width" + suffix) << 2 << row;
            QTest::newRow("resolution height" + suffix) << 3 << row;
            QTest::newRow("target width" + suffix) << 4 << row;
            QTest::newRow("target height" + suffix) << 5 << row;
        }
        QTest::newRow("source width") << 0 << 0;
        QTest::newRow("source height") << 1 << 0;
    }
    void everyKindOfFieldSelectsItsTextOnFocus()
    {
        QFETCH(int, field);
        QFETCH(int, row);
        const auto r = qint16(row);
        TextBox *fields[] = {f->txtSourceWidth,         f->txtSourceHeight,
                             &f->txtResolutionWidth[r], &f->txtResolutionHeight[r],
                             &f->txtTargetWidth[r],     &f->txtTargetHeight[r]};
        TextBox *target = fields[field];
        target->setText(QStringLiteral("1234"));
        target->setCursorPosition(2);
        (field == 0 ? f->txtSourceHeight : f->txtSourceWidth)->setFocus();
        const qsizetype before = m_h->library.count(QStringLiteral("asHighlightText"));
        target->setFocus(Qt::OtherFocusReason);
        QCOMPARE(target->selectedText(), QStringLiteral("1234"));
        QCOMPARE(m_h->library.count(QStringLiteral("asHighlightText")), before + 1);
    }

    void tabbingIntoAFieldSelectsItsText()
    {
        f->txtResolutionWidth[1].setText(QStringLiteral("1920"));
        f->txtTargetHeight[0].setFocus();
        QTest::keyClick(&f->txtTargetHeight[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &f->txtResolutionWidth[1]);
        QCOMPARE(f->txtResolutionWidth[1].selectedText(), QStringLiteral("1920"));
    }

    // A failed command ends the program, but the user's list is stored first.
    void aFailedCommandStoresTheListBeforeTheReport_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>(
            "failure"); // 0 read-me, 1 about box, 2 about box creation, 3 highlight
        QTest::addColumn<Status>("expected");
        QTest::newRow("read-me") << int(Qt::Key_F1) << Qt::KeyboardModifiers() << 0
                                 << status::kFileNotFound;
        QTest::newRow("about box")
            << int(Qt::Key_F1) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1 << status::kFail;
        QTest::newRow("about box creation")
            << int(Qt::Key_F1) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2
            << status::kCannotCreateObject;
        QTest::newRow("highlight on Tab")
            << int(Qt::Key_Tab) << Qt::KeyboardModifiers() << 3 << status::kInvalidHandle;
    }
    void aFailedCommandStoresTheListBeforeTheReport()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(int, failure);
        QFETCH(Status, expected);
        m_h->setRow(1, QStringLiteral("1280"), QStringLiteral("1024"));
        switch (failure) {
        case 0:
            m_h->library.failing.insert(QStringLiteral("asOpenReadMeFile"), expected);
            break;
        case 1:
            m_h->about->showStatus = expected;
            break;
        case 2:
            m_h->about->creationFails = true;
            break;
        default:
            m_h->library.failing.insert(QStringLiteral("asHighlightText"), expected);
            break;
        }
        QVERIFY(m_h->store->writes().isEmpty());
        QTest::keyClick(f->txtSourceWidth, Qt::Key(key), mods);
        QCOMPARE(m_h->errors.statuses, QVector<Status>{expected});
        QCOMPARE(m_h->store->values.value(kCountKey), Variant::fromInt16(2));
        QCOMPARE(m_h->store->values.value(widthKey(1)), Variant::fromText(QStringLiteral("1280")));
    }

    void aFailureWhileLoadingStoresNothing()
    {
        test::WindowHarness h;
        h.store->values.insert(kCountKey, Variant::fromInt16(3));
        h.library.failing.insert(QStringLiteral("asSetWindowResIconAll"),
                                 status::kResourceNotFound);
        h.create();
        stopAtEdge([&] { h.form->Show(); });
        QCOMPARE(h.errors.statuses, QVector<Status>{status::kResourceNotFound});
        QVERIFY(h.store->writes().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    return plenvor::test::runTests<tst_Keyboard>(argc, argv);
}
#include "tst_keyboard.moc"
