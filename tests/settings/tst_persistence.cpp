#include "fakes/harness.h"
#include "settings/keys.h"

#include <QTest>

using namespace plenvor;
using test::field;

class tst_Persistence : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;

    QMap<QString, QString> &stored() { return m_harness->store->values; }
    void storeRows(const QStringList &texts) // width, height, width, height...
    {
        stored().insert(kCountKey, QString::number(texts.size() / 2));
        for (int i = 0; i < texts.size(); ++i)
            stored().insert(i % 2 ? heightKey(i / 2) : widthKey(i / 2), texts[i]);
    }
    // Closes this window and opens a new one on the same store, as the next run would.
    void restart()
    {
        m_harness->form->close();
        m_harness->form.reset();
        m_harness->show();
    }

private slots:
    void init() { m_harness = std::make_unique<test::WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    // A session's rows come back exactly as typed at the next start; a list cut shorter leaves
    // the old entries in the store, unread.
    void rowsComeBackExactlyAsTyped()
    {
        const QStringList rows{"1920", "1080", "", "768", " abc ", ""};
        m_harness->show();
        QCOMPARE(m_harness->resolutions(), QStringList({"", ""})); // a first run
        m_harness->setRows(rows);
        field(*m_harness->form, u"txtSourceWidth").setText(QStringLiteral("1600"));
        restart();
        QCOMPARE(m_harness->resolutions(), rows);
        QCOMPARE(stored().size(), 7); // the count and six texts, neither the source nor targets
        QCOMPARE(field(*m_harness->form, u"txtTargetHeight", 0).Text(),
                 QString()); // nothing calculated
        m_harness->removeRows(1);
        restart();
        QCOMPARE(QPair(stored().value(kCountKey), stored().value(widthKey(2))),
                 QPair(QStringLiteral("2"), QStringLiteral(" abc ")));
        QCOMPARE(m_harness->resolutions(), rows.mid(0, 4));
    }

    // A stored text with a line break (pasted before fields cut it) comes back as its first line
    // and is stored so.
    void aStoredLineBreakIsMendedOnce()
    {
        storeRows({"2560\n", "1440\r\n1080"});
        m_harness->show();
        QCOMPARE(m_harness->resolutions(), QStringList({"2560", "1440"}));
        restart();
        QCOMPARE(QPair(stored().value(widthKey(0)), stored().value(heightKey(0))),
                 QPair(QStringLiteral("2560"), QStringLiteral("1440")));
    }

    // Row 0 is read whatever the count; a count past the stored rows adds empty ones, one past
    // the last index restores a full list; the count stored at the end is the rows'.
    void theStoredCountDecidesTheRows_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("lastHeight");
        QTest::newRow("zero") << "0" << 1 << "1080";
        QTest::newRow("negative") << "-3" << 1 << "1080";
        QTest::newRow("not a number") << "abc" << 1 << "1080";
        QTest::newRow("blanks around") << " 3 " << 3 << "768";
        QTest::newRow("a half ties to even") << "2.5" << 2 << "1024";
        QTest::newRow("past the stored rows") << "4" << 4 << "";
        QTest::newRow("past the last index") << "40000" << 32768 << "";
    }
    void theStoredCountDecidesTheRows()
    {
        QFETCH(QString, count);
        QFETCH(int, rows);
        QFETCH(QString, lastHeight);
        storeRows({"1920", "1080", "1280", "1024", "1366", "768"});
        stored().insert(kCountKey, count);
        m_harness->show();
        QCOMPARE(m_harness->rows(), rows);
        QCOMPARE(m_harness->resolutions().mid(0, 2), QStringList({"1920", "1080"}));
        QCOMPARE(m_harness->resolutions().last(), lastHeight);
        m_harness->form->close();
        QCOMPARE(stored().value(kCountKey), QString::number(rows));
    }

    void aStoreThatCannotBeCreatedLeavesOneRowAndTheWindowStillCloses()
    {
        storeRows({"1920", "1080", "1280", "1024"});
        m_harness->store->creationFails = true;
        m_harness->show();
        QCOMPARE(m_harness->resolutions(), QStringList({"", ""}));
        m_harness->form->close();
        QVERIFY(!m_harness->form->isVisible() && m_harness->errors.isEmpty());
        QCOMPARE(m_harness->store->writes, 0);
    }

    void aFailedReadOrWriteCostsOnlyItsOwnField()
    {
        storeRows({"1920", "1080", "1280", "1024"});
        m_harness->store->failing.insert(widthKey(0));
        field(m_harness->create(), u"txtResolutionWidth", 0).setText(QStringLiteral("kept"));
        m_harness->form->Show();
        QCOMPARE(m_harness->resolutions(), QStringList({"kept", "1080", "1280", "1024"}));
        field(*m_harness->form, u"txtResolutionHeight", 1).setText(QStringLiteral("1000"));
        m_harness->form->close();
        QCOMPARE(QPair(stored().value(widthKey(0)), stored().value(heightKey(1))),
                 QPair(QStringLiteral("1920"), QStringLiteral("1000")));
    }
};

QTEST_MAIN(tst_Persistence)
#include "tst_persistence.moc"
