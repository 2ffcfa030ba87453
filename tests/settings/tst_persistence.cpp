#include "fakes/harness.h"
#include "settings/keys.h"

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
        QCOMPARE(stored().value(kCountKey), count.isEmpty() ? "" : QString::number(rows));
        QCOMPARE(stored().value(widthKey(0)), count.isEmpty() ? "1920\r\n" : "1920");
    }
};

QTEST_MAIN(tst_Persistence)
#include "tst_persistence.moc"
