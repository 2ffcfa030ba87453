#include "fakes/harness.h"
#include "fakes/run_tests.h"
#include "settings/keys.h"

#include <QScreen>
#include <QTest>

using namespace plenvor;
using test::StoreCall;

Q_DECLARE_METATYPE(plenvor::Variant)

class tst_Persistence : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;

    void store(const QString &key, const Variant &value) { m_h->store->values.insert(key, value); }
    void storeRows(const QVector<QPair<QString, QString>> &rows)
    {
        store(kCountKey, Variant::fromInt16(qint16(rows.size())));
        for (int i = 0; i < rows.size(); ++i) {
            store(widthKey(i), Variant::fromText(rows[i].first));
            store(heightKey(i), Variant::fromText(rows[i].second));
        }
    }
    QVector<QPair<QString, QString>> shownRows() const
    {
        QVector<QPair<QString, QString>> rows;
        frmMain &f = *m_h->form;
        for (qint16 i = 0; i <= f.txtResolutionWidth.UBound(); ++i)
            rows << qMakePair(f.txtResolutionWidth[i].Text(), f.txtResolutionHeight[i].Text());
        return rows;
    }
    // Closes this window and opens a new one on the same store, as the next run would.
    void restart()
    {
        m_h->form->close();
        m_h->form.reset();
        m_h->show();
    }

private slots:
    void init() { m_h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { m_h.reset(); }

    void everyCallCarriesTheDesignedArguments()
    {
        m_h->show();
        const QVector<StoreCall> reads = m_h->store->reads();
        QCOMPARE(reads.size(), 3);
        QCOMPARE(reads[0].key, QStringLiteral("Resolution Count"));
        QCOMPARE(reads[0].kind, 1);
        QCOMPARE(reads[0].value, Variant::fromInt16(1));
        QCOMPARE(reads[1].key, QStringLiteral("Resolution 0 Width"));
        QCOMPARE(reads[2].key, QStringLiteral("Resolution 0 Height"));
        for (const StoreCall &c : reads) {
            QCOMPARE(c.section, QString());
            QCOMPARE(c.app, &m_h->app);
            QCOMPARE(c.perUser, kVbTrue);
            QCOMPARE(c.byRefIn, VbBool(0)); // set to 0 before every call
            QVERIFY(c.resultPointerGiven);
        }
        QVERIFY(reads[1].value.isOmitted());
        QCOMPARE(reads[1].kind, 0);

        m_h->form->txtResolutionWidth[0].setText(QStringLiteral("1920"));
        m_h->form->close();
        const QVector<StoreCall> writes = m_h->store->writes();
        QCOMPARE(writes.size(), 3);
        QCOMPARE(writes[0].key, QStringLiteral("Resolution Count"));
        QCOMPARE(writes[0].kind, 1);
        QCOMPARE(writes[0].value, Variant::fromInt16(1)); // a 16-bit integer
        QCOMPARE(writes[1].key, QStringLiteral("Resolution 0 Width"));
        QCOMPARE(writes[1].kind, 0);
        QCOMPARE(writes[1].value, Variant::fromText(QStringLiteral("1920")));
        QCOMPARE(writes[2].value, Variant::fromText(QString()));
        for (const StoreCall &c : writes) {
            QCOMPARE(c.section, QString());
            QCOMPARE(c.app, &m_h->app);
            QCOMPARE(c.perUser, kVbTrue);
            QVERIFY(c.resultPointerGiven);
        }
    }

    void eachProcedureUsesOneStoreOfItsOwn()
    {
        m_h->show();
        QCOMPARE(m_h->store->instancesCreated, 1);
        QCOMPARE(m_h->store->instancesAlive, 0);
        m_h->form->close();
        QCOMPARE(m_h->store->instancesCreated, 2);
        QCOMPARE(m_h->store->instancesAlive, 0);
    }

    void aFirstRunShowsOneEmptyRow()
    {
        m_h->show();
        QCOMPARE(shownRows(), (QVector<QPair<QString, QString>>{{"", ""}}));
    }

    void aCountBelowTwoStillReadsRowZero_data()
    {
        QTest::addColumn<Variant>("count");
        QTest::newRow("zero") << Variant::fromInt16(0);
        QTest::newRow("negative") << Variant::fromInt16(-3);
        QTest::newRow("not a number") << Variant::fromText(QStringLiteral("abc"));
        QTest::newRow("null") << Variant::null();
    }
    void aCountBelowTwoStillReadsRowZero()
    {
        QFETCH(Variant, count);
        store(kCountKey, count);
        store(widthKey(0), Variant::fromText(QStringLiteral("1920")));
        store(heightKey(0), Variant::fromText(QStringLiteral("1080")));
        m_h->show();
        QCOMPARE(shownRows(), (QVector<QPair<QString, QString>>{{"1920", "1080"}}));
    }

    void aCountReadAsTextOrDoubleStillCounts_data()
    {
        QTest::addColumn<Variant>("count");
        QTest::newRow("text") << Variant::fromText(QStringLiteral(" 3 "));
        QTest::newRow("double rounds half to even") << Variant::fromDouble(2.5);
        QTest::newRow("32-bit") << Variant::fromInt32(2);
    }
    void aCountReadAsTextOrDoubleStillCounts()
    {
        QFETCH(Variant, count);
        store(kCountKey, count);
        m_h->show();
        QCOMPARE(m_h->rows(), count.type() == Variant::Type::Text ? 3 : 2);
    }

    void threeRowsComeBackExactlyWithEmptyAndInvalidTexts()
    {
        const QVector<QPair<QString, QString>> rows{{"1920", "1080"}, {"", "768"}, {"abc", ""}};
        m_h->show();
        m_h->addRows(2);
        for (int i = 0; i < rows.size(); ++i)
            m_h->setRow(qint16(i), rows[i].first, rows[i].second);
        m_h->form->close();
        QCOMPARE(m_h->store->values.value(kCountKey), Variant::fromInt16(3));
        QCOMPARE(m_h->store->values.value(QStringLiteral("Resolution 2 Width")),
                 Variant::fromText(QStringLiteral("abc")));
        QCOMPARE(m_h->store->values.size(), 7);
        m_h->form.reset();
        m_h->show();
        QCOMPARE(shownRows(), rows);
    }

    void aListCutFromFiveToTwoLeavesTheOldEntries()
    {
        storeRows({{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}});
        m_h->show();
        QCOMPARE(m_h->rows(), 5);
        for (int i = 0; i < 3; ++i)
            FormProbe::RemoveResolutionRow(*m_h->form);
        restart();
        QCOMPARE(m_h->store->values.value(kCountKey), Variant::fromInt16(2));
        for (int i = 2; i <= 4; ++i)
            QCOMPARE(m_h->store->values.value(widthKey(i)),
                     Variant::fromText(QString::number(i + 1)));
        QCOMPARE(shownRows(), (QVector<QPair<QString, QString>>{{"1", "1"}, {"2", "2"}}));
    }

    void aMissingRowComesBackEmpty()
    {
        storeRows({{"1920", "1080"}, {"1280", "1024"}, {"1366", "768"}});
        store(kCountKey, Variant::fromInt16(4));
        m_h->show();
        QCOMPARE(shownRows().last(), qMakePair(QString(), QString()));
        QCOMPARE(m_h->rows(), 4);
    }

    void aStoreThatCannotBeCreatedLeavesOneRowAndWritesNothing()
    {
        m_h->store->creationFails = true;
        m_h->show();
        QCOMPARE(shownRows(), (QVector<QPair<QString, QString>>{{"", ""}}));
        m_h->form->txtResolutionWidth[0].setText(QStringLiteral("1920"));
        m_h->form->close();
        QVERIFY(!m_h->form->isVisible());
        QVERIFY(m_h->store->calls.isEmpty());
        QVERIFY(m_h->errors.statuses.isEmpty());
    }

    void aFailedReadLeavesThatFieldAsItWas()
    {
        storeRows({{"1920", "1080"}});
        m_h->store->failing.insert(widthKey(0));
        m_h->create();
        m_h->form->txtResolutionWidth[0].setText(QStringLiteral("kept"));
        m_h->form->Show();
        QCOMPARE(shownRows(), (QVector<QPair<QString, QString>>{{"kept", "1080"}}));
    }

    void aFailedWriteSkipsOnlyThatEntry()
    {
        m_h->show();
        m_h->addRows(1);
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        m_h->setRow(1, QStringLiteral("1280"), QStringLiteral("1024"));
        m_h->store->failing.insert(widthKey(0));
        m_h->form->close();
        QVERIFY(!m_h->store->values.contains(widthKey(0)));
        QCOMPARE(m_h->store->values.value(kCountKey), Variant::fromInt16(2));
        QCOMPARE(m_h->store->values.value(heightKey(0)), Variant::fromText(QStringLiteral("1080")));
        QCOMPARE(m_h->store->values.value(widthKey(1)), Variant::fromText(QStringLiteral("1280")));
    }

    void restoringCalculatesNothing()
    {
        storeRows({{"1920", "1080"}});
        m_h->show();
        QVERIFY(m_h->library.trimmedTexts.isEmpty());
        QCOMPARE(m_h->form->txtTargetHeight[0].Text(), QString());
    }

    void theRestoredWindowIsCentredAboutTheSamePoint()
    {
        storeRows({{"1920", "1080"}, {"1280", "1024"}, {"1366", "768"}, {"800", "600"}});
        frmMain &f = m_h->show();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(double(f.Top()) + double(f.Height()) / 2, (area.top() + area.height() / 2.0) * 15);
        QCOMPARE(double(f.Left()) + double(f.Width()) / 2, (area.left() + area.width() / 2.0) * 15);
        QCOMPARE(f.ScaleHeight(), 1215.f + 3 * 420.f);
    }

    // A count past the last index restores what the window can hold, and stops there at once.
    void aCountPastTheLimitStopsAtTheLastIndex_data()
    {
        QTest::addColumn<qint32>("count");
        QTest::newRow("40000") << 40000;
        QTest::newRow("2147483647") << 2147483647;
    }
    void aCountPastTheLimitStopsAtTheLastIndex()
    {
        QFETCH(qint32, count);
        store(kCountKey, Variant::fromInt32(count));
        store(widthKey(32767), Variant::fromText(QStringLiteral("last")));
        m_h->create();
        // Rows 1 to 32765 would take a while to build; the limit does not depend on them.
        frmMain &f = *m_h->form;
        for (auto *array :
             {&f.txtResolutionWidth, &f.txtResolutionHeight, &f.txtTargetWidth, &f.txtTargetHeight})
            array->Load(32766);
        f.lblArrow.Load(32766);
        f.Show();
        QCOMPARE(f.txtResolutionWidth.UBound(), qint16(32767));
        QCOMPARE(f.txtResolutionWidth[32767].Text(), QStringLiteral("last"));
        QCOMPARE(f.txtResolutionWidth.Count(), 3);
    }
};

class tst_Keys : public QObject
{
    Q_OBJECT

private slots:
    void keysJoinTheIndexInPlainDigits()
    {
        QCOMPARE(widthKey(0), QStringLiteral("Resolution 0 Width"));
        QCOMPARE(heightKey(12), QStringLiteral("Resolution 12 Height"));
        QCOMPARE(widthKey(32767), QStringLiteral("Resolution 32767 Width"));
    }

    void theCountIsSixteenBitsUnlessItCannotBe_data()
    {
        QTest::addColumn<qint32>("rows");
        QTest::addColumn<Variant>("stored");
        QTest::newRow("one row") << 1 << Variant::fromInt16(1);
        QTest::newRow("last that fits") << 32767 << Variant::fromInt16(32767);
        QTest::newRow("a full list") << 32768 << Variant::fromInt32(32768);
    }
    void theCountIsSixteenBitsUnlessItCannotBe()
    {
        QFETCH(qint32, rows);
        QFETCH(Variant, stored);
        QCOMPARE(storedCount(rows), stored);
        QCOMPARE(storedCount(rows).CLng(), rows);
    }
};

int main(int argc, char *argv[])
{
    return plenvor::test::runTests<tst_Persistence, tst_Keys>(argc, argv);
}
#include "tst_persistence.moc"
