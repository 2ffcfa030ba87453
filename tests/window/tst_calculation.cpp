#include "fakes/harness.h"

#include <QClipboard>
#include <QTest>

using namespace plenvor;

class tst_Calculation : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;
    frmMain *f = nullptr;

    static void addColumns()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_h = std::make_unique<test::WindowHarness>();
        f = &m_h->show();
    }
    void cleanup()
    {
        m_h.reset();
        QLocale::setDefault(QLocale::c());
    }

    // The arithmetic's own cases are the size-math table's; these are about the texts the
    // window converts and the column each source fills.
    void sourceWidthGivesEveryTargetHeight_data()
    {
        addColumns();
        QTest::newRow("1920x1080 from 1600") << "1920"
                                             << "1080"
                                             << "1600"
                                             << "900";
        QTest::newRow("1366x768 from 1280") << "1366"
                                            << "768"
                                            << "1280"
                                            << "720";
        QTest::newRow("tie to even down") << "2"
                                          << "1"
                                          << "5"
                                          << "2";
        QTest::newRow("tie to even up") << "2"
                                        << "1"
                                        << "7"
                                        << "4";
        QTest::newRow("ratio first") << "2"
                                     << "49"
                                     << "1"
                                     << "25";
        QTest::newRow("zero width") << "0"
                                    << "1080"
                                    << "1600"
                                    << "";
        QTest::newRow("zero height") << "1920"
                                     << "0"
                                     << "1600"
                                     << "";
        QTest::newRow("negative width") << "-1920"
                                        << "1080"
                                        << "1600"
                                        << "-900";
        QTest::newRow("beyond 32 bits") << "1"
                                        << "2"
                                        << "2000000000"
                                        << "";
        QTest::newRow("empty resolution") << ""
                                          << ""
                                          << "1600"
                                          << "";
        QTest::newRow("letters") << "abc"
                                 << "1080"
                                 << "1600"
                                 << "";
        QTest::newRow("height outside 32 bits") << "1920"
                                                << "2147483648"
                                                << "1600"
                                                << "";
        QTest::newRow("blanks the conversion skips") << " 1920 "
                                                     << "\t1080"
                                                     << " 1600"
                                                     << "900";
        QTest::newRow("a fraction in the resolution") << "1920.4"
                                                      << "1080"
                                                      << "1600"
                                                      << "900";
        QTest::newRow("a line end the conversion refuses") << "1920\r"
                                                           << "1080"
                                                           << "1600"
                                                           << "";
    }
    void sourceWidthGivesEveryTargetHeight()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, source);
        QFETCH(QString, target);
        m_h->setRow(0, width, height);
        f->txtTargetWidth[0].setText(QStringLiteral("untouched"));
        f->txtSourceWidth->setText(source);
        QCOMPARE(f->txtTargetHeight[0].Text(), target);
        QCOMPARE(f->txtTargetWidth[0].Text(), QStringLiteral("untouched"));
    }

    void sourceHeightGivesEveryTargetWidth_data()
    {
        addColumns();
        QTest::newRow("1920x1080 from 900") << "1920"
                                            << "1080"
                                            << "900"
                                            << "1600";
        QTest::newRow("tie to even down") << "1"
                                          << "2"
                                          << "1"
                                          << "0";
        QTest::newRow("tie to even up") << "1"
                                        << "2"
                                        << "3"
                                        << "2";
        QTest::newRow("ratio first") << "1"
                                     << "98"
                                     << "147"
                                     << "1";
        QTest::newRow("zero width gives 0") << "0"
                                            << "1080"
                                            << "900"
                                            << "0";
        QTest::newRow("zero height") << "1920"
                                     << "0"
                                     << "900"
                                     << "";
        QTest::newRow("negative width") << "-1920"
                                        << "1080"
                                        << "900"
                                        << "-1600";
        QTest::newRow("beyond 32 bits") << "2"
                                        << "1"
                                        << "2000000000"
                                        << "";
    }
    void sourceHeightGivesEveryTargetWidth()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, source);
        QFETCH(QString, target);
        m_h->setRow(0, width, height);
        f->txtTargetHeight[0].setText(QStringLiteral("untouched"));
        f->txtSourceHeight->setText(source);
        QCOMPARE(f->txtTargetWidth[0].Text(), target);
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("untouched"));
    }

    void eachRowIsJudgedOnItsOwn()
    {
        m_h->addRows(2);
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        m_h->setRow(2, QStringLiteral("1280"), QStringLiteral("1024"));
        f->txtSourceWidth->setText(QStringLiteral("1600"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
        QCOMPARE(f->txtTargetHeight[1].Text(), QString());
        QCOMPARE(f->txtTargetHeight[2].Text(), QStringLiteral("1280"));
    }

    void aSourceThatStopsBeingValidKeepsEveryTarget()
    {
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        f->txtSourceWidth->setFocus();
        QTest::keyClicks(f->txtSourceWidth, QStringLiteral("1600"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
        QTest::keyClicks(f->txtSourceWidth, QStringLiteral("x"));
        QCOMPARE(f->txtSourceWidth->ForeColor(), ole::kRed);
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
        for (const char *invalid : {"0", "-5", ""})
            f->txtSourceWidth->setText(QString::fromLatin1(invalid));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
    }

    // Trimming takes the line end that the conversion of the untrimmed text refuses: the
    // field looks valid, and every target of its column is emptied.
    void aSourceValidOnlyThroughTrimmingEmptiesTheColumn()
    {
        m_h->addRows(1);
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        m_h->setRow(1, QStringLiteral("1280"), QStringLiteral("1024"));
        f->txtSourceWidth->setText(QStringLiteral("1600"));
        f->txtSourceWidth->setText(QStringLiteral("1600\r"));
        QCOMPARE(f->txtSourceWidth->ForeColor(), ole::kWindowText);
        QCOMPARE(f->txtTargetHeight[0].Text(), QString());
        QCOMPARE(f->txtTargetHeight[1].Text(), QString());
    }

    void editingResolutionsCalculatesNothingUntilTheSourceChanges()
    {
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        f->txtSourceWidth->setText(QStringLiteral("1600"));
        m_h->library.trimmedTexts.clear();
        f->txtResolutionWidth[0].setText(QStringLiteral("1280"));
        f->txtResolutionHeight[0].setText(QStringLiteral("1024"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
        QVERIFY(m_h->library.trimmedTexts.isEmpty()); // nothing was even validated
        f->txtSourceWidth->setText(QStringLiteral("1601"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("1281"));
        QCOMPARE(m_h->library.trimmedTexts, QStringList{"1601"});
    }

    void everyKeystrokeAndPasteCalculates()
    {
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        f->txtSourceHeight->setFocus();
        QTest::keyClick(f->txtSourceHeight, Qt::Key_9);
        QCOMPARE(f->txtTargetWidth[0].Text(), QStringLiteral("16"));
        QTest::keyClicks(f->txtSourceHeight, QStringLiteral("00"));
        QCOMPARE(f->txtTargetWidth[0].Text(), QStringLiteral("1600"));
        QApplication::clipboard()->setText(QStringLiteral("1080"));
        f->txtSourceHeight->selectAll();
        f->txtSourceHeight->paste();
        QCOMPARE(f->txtTargetWidth[0].Text(), QStringLiteral("1920"));
    }

    void theUsersDecimalSeparatorCounts()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        f->txtSourceWidth->setText(QStringLiteral("1600,4"));
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
        f->txtSourceWidth->setText(QStringLiteral("1600.4"));
        QCOMPARE(f->txtSourceWidth->ForeColor(), ole::kRed);
    }

    void aPastedMegabyteIsJudgedOnce()
    {
        m_h->addRows(30);
        m_h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        const QString pasted = QString(1 << 20, u' ') + QStringLiteral("1600");
        f->txtSourceWidth->setText(pasted);
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
        f->txtSourceWidth->setText(QString(1 << 20, u'9'));
        QCOMPARE(f->txtSourceWidth->ForeColor(), ole::kRed);
        QCOMPARE(f->txtTargetHeight[0].Text(), QStringLiteral("900"));
    }
};

QTEST_MAIN(tst_Calculation)
#include "tst_calculation.moc"
