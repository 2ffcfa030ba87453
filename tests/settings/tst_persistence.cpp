#include "fakes/harness.h"
#include "settings/keys.h"

#include <QKeyEvent>
#include <QTest>

using namespace plenvor;

class tst_Persistence : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;

    QMap<QString, QString> &stored() { return m_harness->store->values; }
    // Closes this window and opens a new one on the same store, as the next run would.
    QStringList restart()
    {
        m_harness->form->close();
        m_harness->form.reset();
        m_harness->show();
        return m_harness->resolutions();
    }

private slots:
    void init() { m_harness = std::make_unique<test::WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    // A session's rows come back exactly as typed at the next start, nothing calculated; a list
    // cut shorter leaves the old entries in the store, unread. A read or write that fails costs
    // only its own field.
    void rowsComeBackExactlyAsTyped()
    {
        const QStringList rows{"1920", "1080", "", "768", " abc ", ""};
        m_harness->show();
        QCOMPARE(m_harness->resolutions(), QStringList({"", ""})); // a first run
        m_harness->setRows(rows);
        m_harness->field(u"txtSourceWidth").setText(QStringLiteral("1600"));
        QCOMPARE(restart(), rows);
        QCOMPARE(stored().size(), 7); // the count and six texts, neither the source nor targets
        QCOMPARE(m_harness->field(u"txtTargetHeight").Text(), QString());
        m_harness->removeRows(1);
        m_harness->store->failing.insert(heightKey(0));
        m_harness->setRow(1, QStringLiteral("1000"), QStringLiteral("700"));
        QCOMPARE(restart(), QStringList({"1920", "", "1000", "700"}));
        QCOMPARE(QPair(stored().value(kCountKey), stored().value(widthKey(2))),
                 QPair(QStringLiteral("2"), QStringLiteral(" abc ")));
    }

    // Row 0 is read whatever the count; a count past the stored rows adds empty ones, one past
    // the last index restores a full list; the count stored at the end is the rows'. A text
    // with a line break (pasted before fields cut it) comes back as its first line.
    void whatIsStoredDecidesTheRows_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("last"); // the last row's height
        QTest::newRow("zero") << "0" << 1 << "1080";
        QTest::newRow("not a number") << "abc" << 1 << "1080";
        QTest::newRow("blanks around") << " 3 " << 3 << "768";
        QTest::newRow("a half ties to even") << "2.5" << 2 << "1024";
        QTest::newRow("past the stored rows") << "4" << 4 << "";
        QTest::newRow("past the last index") << "40000" << 32768 << "";
        QTest::newRow("no store") << "" << 1 << "";
    }
    void whatIsStoredDecidesTheRows()
    {
        QFETCH(QString, count);
        QFETCH(int, rows);
        QFETCH(QString, last);
        const QStringList texts{"1920\r\n", "1080", "1280", "1024\n768", "1366", "768"};
        for (int i = 0; i < texts.size(); ++i)
            stored().insert(i % 2 ? heightKey(i / 2) : widthKey(i / 2), texts[i]);
        stored().insert(kCountKey, count);
        m_harness->store->creationFails = count.isEmpty();
        m_harness->show();
        QCOMPARE(m_harness->rows(), rows);
        QCOMPARE(m_harness->resolutions().mid(0, 2),
                 count.isEmpty() ? QStringList({"", ""}) : QStringList({"1920", "1080"}));
        QCOMPARE(m_harness->resolutions().last(), last);
        m_harness->form->close();
        QVERIFY(!m_harness->form->isVisible() && m_harness->errors.isEmpty());
        // Only where no store could be made at all is the list not kept.
        QCOMPARE(m_harness->notice.lines,
                 count.isEmpty() ? QStringList("the list of resolutions was not stored: " +
                                               describeStatus(status::kCannotCreateObject))
                                 : QStringList());
        QCOMPARE(m_harness->form->listKept(), !count.isEmpty());
        QCOMPARE(stored().value(kCountKey), count.isEmpty() ? "" : QString::number(rows));
        QCOMPARE(stored().value(widthKey(0)), count.isEmpty() ? "1920\r\n" : "1920");
    }

    // A list the store cannot keep is said each time: a line, and a box only for a user who
    // closed the window. What was stored before stays, the window closes all the same, and
    // the next save that works is kept again.
    void aListNotKeptIsSaid_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("box");
        QTest::newRow("Esc") << "Esc" << true;
        QTest::newRow("the close button") << "close" << true;
        QTest::newRow("the session ends") << "session" << false;
        QTest::newRow("the display goes") << "display" << false;
        QTest::newRow("the session asks for a save") << "save" << false;
    }
    void aListNotKeptIsSaid()
    {
        QFETCH(QString, ending);
        QFETCH(bool, box);
        stored().insert(widthKey(0), QStringLiteral("old"));
        frmMain &form = m_harness->show();
        m_harness->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        m_harness->store->unwritable = QStringLiteral("No space left on device");
        bool kept = true;
        if (ending == "Esc") {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(form.windowHandle(), &esc);
        } else if (ending == "close") {
            form.close();
        } else if (ending == "session") {
            form.endForSession();
        } else if (ending == "display") {
            form.unloadWithoutWindow();
        } else {
            kept = form.keepWorkNow();
        }
        QCOMPARE(m_harness->notice.lines,
                 QStringList("the list of resolutions was not stored in /fake/Plenvor.conf: "
                             "No space left on device"));
        QCOMPARE(m_harness->notice.boxes,
                 box ? QStringList("Список разрешений не сохранён.\n\nФайл: /fake/Plenvor.conf\n"
                                   "Причина: No space left on device")
                     : QStringList());
        QVERIFY(!form.listKept());
        QCOMPARE(kept, ending != "save");
        QCOMPARE(stored().value(widthKey(0)), QStringLiteral("old"));
        QCOMPARE(form.isVisible(), ending == "save" || ending == "display");
        if (ending == "save") {
            m_harness->store->unwritable.clear();
            QVERIFY(form.keepWorkNow() && form.listKept());
            QCOMPARE(stored().value(widthKey(0)), QStringLiteral("1920"));
        }
    }
};

QTEST_MAIN(tst_Persistence)
#include "tst_persistence.moc"
