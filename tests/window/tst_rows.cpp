#include "fakes/harness.h"

#include <QTest>

using namespace plenvor;

namespace {
enum Action { Add, Remove };
}

class tst_Rows : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;
    frmMain *f = nullptr;

    void add() { FormProbe::AddResolutionRow(*f); }
    void remove() { FormProbe::RemoveResolutionRow(*f); }

    // Every row array has the same elements, and they run from 0 without gaps.
    void verifyRowsContiguous(qint32 rows)
    {
        QCOMPARE(f->txtResolutionWidth.Count(), rows);
        QCOMPARE(f->txtResolutionHeight.Count(), rows);
        QCOMPARE(f->lblArrow.Count(), rows);
        QCOMPARE(f->txtTargetWidth.Count(), rows);
        QCOMPARE(f->txtTargetHeight.Count(), rows);
        QCOMPARE(f->txtResolutionWidth.LBound(), qint16(0));
        QCOMPARE(f->txtTargetHeight.UBound(), qint16(rows - 1));
    }

private slots:
    void init()
    {
        m_h = std::make_unique<test::WindowHarness>();
        f = &m_h->show();
    }
    void cleanup() { m_h.reset(); }

    // Two adds and three removes, with the window's height and top after each.
    void theWorkedExample_data()
    {
        QTest::addColumn<QVector<int>>("actions");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("newTop"); // -1 where no row is made
        QTest::addColumn<float>("heightChange");
        QTest::addColumn<float>("topChange");
        QTest::newRow("add to 1 row") << QVector<int>{Add} << 2 << 1200 << 420.f << -210.f;
        QTest::newRow("add to 2 rows") << QVector<int>{Add, Add} << 3 << 1620 << 840.f << -420.f;
        QTest::newRow("remove from 3 rows")
            << QVector<int>{Add, Add, Remove} << 2 << -1 << 420.f << -210.f;
        QTest::newRow("remove from 2 rows")
            << QVector<int>{Add, Add, Remove, Remove} << 1 << -1 << 0.f << 0.f;
        QTest::newRow("remove with row 0 alone") << QVector<int>{Remove} << 1 << -1 << 0.f << 0.f;
    }
    void theWorkedExample()
    {
        QFETCH(QVector<int>, actions);
        QFETCH(int, rowsAfter);
        QFETCH(int, newTop);
        QFETCH(float, heightChange);
        QFETCH(float, topChange);
        const float height = f->Height();
        const float top = f->Top();
        for (int a : actions)
            a == Add ? add() : remove();
        verifyRowsContiguous(rowsAfter);
        QCOMPARE(f->Height() - height, heightChange);
        QCOMPARE(f->Top() - top, topChange);
        if (newTop >= 0) {
            const auto last = qint16(rowsAfter - 1);
            QCOMPARE(f->txtResolutionWidth[last].Top(), newTop);
            QCOMPARE(f->txtResolutionHeight[last].Top(), newTop);
            QCOMPARE(f->lblArrow[last].Top(),
                     newTop); // 45 twips higher beside its fields than row 0's
            QCOMPARE(f->txtTargetWidth[last].Top(), newTop);
            QCOMPARE(f->txtTargetHeight[last].Top(), newTop);
        }
        QCOMPARE(f->lblArrow[0].Top(), 825);
        QCOMPARE(f->height(), 81 + 28 * (rowsAfter - 1));
    }

    void anOddPitchMovesTheWindowBy210BothWays()
    {
        f->txtResolutionWidth[0].setHeight(316);
        const float height = f->Height();
        const float top = f->Top();
        add();
        QCOMPARE(f->Height() - height, 421.f);
        QCOMPARE(f->Top() - top, -210.f);
        QCOMPARE(f->txtResolutionWidth[1].Top(), 780 + 421);
        remove();
        QCOMPARE(f->Height(), height);
        QCOMPARE(f->Top(), top);
    }

    void aNewRowIsAnEmptyCopyOfRowZero()
    {
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        f->txtTargetWidth[0].setText(QStringLiteral("1600"));
        f->txtTargetHeight[0].setText(QStringLiteral("900"));
        add();
        for (auto *array : {&f->txtResolutionWidth, &f->txtResolutionHeight, &f->txtTargetWidth,
                            &f->txtTargetHeight}) {
            const TextBox &first = (*array)[0];
            const TextBox &copy = (*array)[1];
            QCOMPARE(copy.Text(), QString());
            QVERIFY(copy.Visible());
            QCOMPARE(copy.Left(), first.Left());
            QCOMPARE(copy.Width(), first.Width());
            QCOMPARE(copy.Height(), first.Height());
            QCOMPARE(copy.ForeColor(), first.ForeColor());
            QCOMPARE(copy.BackColor(), first.BackColor());
            QCOMPARE(copy.Locked(), first.Locked());
            QCOMPARE(copy.font(), first.font());
        }
        QCOMPARE(f->lblArrow[1].Caption(), QStringLiteral("==>"));
        QVERIFY(f->lblArrow[1].Visible());
        QCOMPARE(f->txtResolutionWidth[0].Text(), QStringLiteral("1920"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
    }

    void removingTakesTheLastRowAndItsTexts()
    {
        add();
        add();
        m_h->setRow(2, QStringLiteral("800"), QStringLiteral("600"));
        remove();
        verifyRowsContiguous(2);
        add();
        QCOMPARE(f->txtResolutionWidth[2].Text(), QString());
    }

    void newRowsShowNoTargetsUntilTheSourceChanges()
    {
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        f->txtSourceWidth->setText(QStringLiteral("1600"));
        add();
        m_h->setRow(1, QStringLiteral("1280"), QStringLiteral("1024"));
        QCOMPARE(f->txtTargetHeight[1].Text(), QString());
        f->txtSourceWidth->setText(QStringLiteral("1600 "));
        QCOMPARE(f->txtTargetHeight[1].Text(), QStringLiteral("1280"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
    }

    // The last index is 32767: adding past it does nothing at all.
    void theLastIndexIs32767()
    {
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        for (auto *array : {&f->txtResolutionWidth, &f->txtResolutionHeight, &f->txtTargetWidth,
                            &f->txtTargetHeight})
            array->Load(32766);
        f->lblArrow.Load(32766);
        add();
        QCOMPARE(f->txtResolutionWidth.UBound(), qint16(32767));
        QCOMPARE(f->txtResolutionWidth[32767].Top(), 780 + 420 * 32767);
        const float height = f->Height();
        const float top = f->Top();
        add();
        QCOMPARE(f->txtResolutionWidth.Count(), 3); // rows 0, 32766 and 32767
        QCOMPARE(f->lblArrow.Count(), 3);
        QCOMPARE(f->Height(), height);
        QCOMPARE(f->Top(), top);
        QCOMPARE(f->txtResolutionWidth[0].Text(), QStringLiteral("1920"));
        QCOMPARE(f->txtResolutionWidth[0].Top(), 780);
        QCOMPARE(f->lblArrow[0].Top(), 825);
    }

    void addingAndRemovingReturnsExactlyWhereverTheWindowIs_data()
    {
        QTest::addColumn<float>("startTop");
        QTest::addColumn<int>("rows");
        QTest::newRow("centred, a few rows") << -1.f << 5;
        QTest::newRow("partly above the screen") << -50000.f << 40;
        QTest::newRow("taller than X11 can show") << 100.f << 1200;
    }
    void addingAndRemovingReturnsExactlyWhereverTheWindowIs()
    {
        QFETCH(float, startTop);
        QFETCH(int, rows);
        if (startTop >= 0 || startTop < -1)
            f->setTop(startTop);
        const float height = f->Height();
        const float top = f->Top();
        const int pixels = f->height();
        for (int i = 0; i < rows; ++i)
            add();
        QCOMPARE(f->Height(), height + 420.f * rows);
        QCOMPARE(f->Top(), top - 210.f * rows);
        for (int i = 0; i < rows; ++i)
            remove();
        verifyRowsContiguous(1);
        QCOMPARE(f->Height(), height);
        QCOMPARE(f->Top(), top);
        QCOMPARE(f->height(), pixels);
    }

    // A failed step is passed over; the value it should have computed stays zero.
    void aPitchThatCannotBeComputedLeavesTheWindowAlone()
    {
        f->txtResolutionWidth[0].setHeight(INT32_MAX); // the copy's pitch overflows
        const float height = f->Height();
        const float top = f->Top();
        add();
        QCOMPARE(f->Height(), height);
        QCOMPARE(f->Top(), top);
        QCOMPARE(f->lblArrow.Count(), 2);
        QCOMPARE(f->txtTargetHeight[1].Top(), 780); // row 0's top plus 0 x n
    }

    void tabWalksAddedRowsTopToBottomThenBackToTheSource()
    {
        add();
        add();
        remove();
        add();
        QVector<QWidget *> order{f->txtSourceWidth, f->txtSourceHeight};
        for (qint16 i = 0; i <= 2; ++i)
            order << &f->txtResolutionWidth[i] << &f->txtResolutionHeight[i]
                  << &f->txtTargetWidth[i] << &f->txtTargetHeight[i];
        f->txtSourceWidth->setFocus();
        for (int step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[step % order.size()]);
        }
    }

    void removingTheFocusedRowMovesTheFocusToTheSameFieldAbove()
    {
        add();
        add();
        f->txtTargetWidth[2].setFocus();
        remove();
        QCOMPARE(QApplication::focusWidget(), &f->txtTargetWidth[1]);
    }
};

QTEST_MAIN(tst_Rows)
#include "tst_rows.moc"
