#include "fakes/harness.h"
#include "settings/keys.h"

#include <QTest>

using namespace plenvor;
using test::field;
using test::label;

// The window's layout, its rows and its calculation. The arithmetic's own cases are the
// size-math table's; here the window shows once that it uses it, for the texts it converts.
class tst_Window : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;
    frmMain *m_form = nullptr;

    void add(int n = 1) { m_harness->addRows(n); }
    void remove(int n = 1) { m_harness->removeRows(n); }
    // The texts of a column of fields, row by row.
    QStringList texts(QStringView column) const
    {
        QStringList out;
        for (int i = 0; i < m_harness->rows(); ++i)
            out << m_harness->field(column, i).Text();
        return out;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_harness = std::make_unique<test::WindowHarness>();
        m_form = &m_harness->show();
    }
    void cleanup() { m_harness.reset(); }

    // Each row grows the window by one pitch, half of it (rounded down) upwards, so it keeps
    // its centre; an added row's fields and arrow all stand at one top.
    void addingAndRemovingRows_data()
    {
        QTest::addColumn<int>("fieldHeight"); // row 0's width field, which sets the pitch
        QTest::addColumn<int>("adds");
        QTest::addColumn<int>("removes");
        QTest::addColumn<int>("lastTop");
        QTest::newRow("add to 1 row") << 315 << 1 << 0 << 1200;
        QTest::newRow("remove from 3 rows") << 315 << 2 << 1 << 1200;
        QTest::newRow("row 0 stays") << 315 << 0 << 1 << 780;
        QTest::newRow("an odd pitch, 421") << 316 << 1 << 0 << 1201;
        QTest::newRow("an odd pitch, there and back") << 316 << 2 << 2 << 780;
    }
    void addingAndRemovingRows()
    {
        QFETCH(int, fieldHeight);
        QFETCH(int, adds);
        QFETCH(int, removes);
        QFETCH(int, lastTop);
        field(*m_form, u"txtResolutionWidth", 0).setHeight(fieldHeight);
        m_form->setLeft(1500.f); // the window goes where the form is put
        const float height = m_form->Height();
        const float top = m_form->Top();
        add(adds);
        remove(removes);
        QCoreApplication::sendPostedEvents(m_form);
        QCOMPARE(m_form->frameGeometry().left(), 100);
        const int rows = std::max(1, 1 + adds - removes);
        const int pitch = fieldHeight + 105;
        QVERIFY(m_harness->rowsAreWhole() && m_harness->rows() == rows);
        QCOMPARE(QPair(m_form->Height() - height, m_form->Top() - top),
                 QPair(float(pitch * (rows - 1)), float(-(pitch / 2) * (rows - 1))));
        const auto last = qint16(rows - 1);
        QCOMPARE(QPair(field(*m_form, u"txtResolutionWidth", last).Top(),
                       field(*m_form, u"txtTargetHeight", last).Top()),
                 QPair(lastTop, lastTop));
        QCOMPARE(label(*m_form, u"lblArrow", last).Top(), last ? lastTop : 825);
    }

    // A new row is an empty copy of row 0 even when row 0 holds text, and computes nothing
    // until the source changes; a row removed loses its texts, and its focus goes to the row
    // above.
    void aNewRowIsAnEmptyCopyOfRowZero()
    {
        m_harness->setRows({"1920", "1080"});
        field(*m_form, u"txtSourceWidth").setText(QStringLiteral("1600"));
        add(2);
        const TextBox &first = field(*m_form, u"txtTargetHeight", 0);
        TextBox &copy = field(*m_form, u"txtTargetHeight", 2);
        QVERIFY(copy.Text().isEmpty() && copy.Visible() && !first.Text().isEmpty());
        QCOMPARE(m_harness->widgetOf(copy)->geometry().translated(0, -56),
                 first.widget()->geometry());
        QCOMPARE(QPair(copy.BackColor(), copy.Locked()), QPair(first.BackColor(), first.Locked()));
        copy.setText(QStringLiteral("800"));
        copy.SetFocus();
        const Hwnd gone = copy.hWnd();
        remove();
        QCOMPARE(test::WindowHarness::focusedField(), &field(*m_form, u"txtTargetHeight", 1));
        QVERIFY(!targetOfHandle(gone));
        add();
        QCOMPARE(field(*m_form, u"txtTargetHeight", 2).Text(), QString());
        QCOMPARE(test::WindowHarness::focusedField(), &field(*m_form, u"txtTargetHeight", 1));
    }

    // A source is marked on every change, red while it holds no positive number, and then
    // keeps every target; one valid only through trimming (the NUL the conversion refuses)
    // empties its column. Nothing else is ever marked.
    void invalidSourcesAreRedAndKeepOrEmptyTheColumn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("targets"); // empty where the source is not red
        const QStringList kept{"900", "1280"};
        QTest::newRow("a unit after the number") << "1600x" << kept;
        QTest::newRow("zero") << "0" << kept;
        QTest::newRow("negative") << "-5" << kept;
        QTest::newRow("empty") << "" << kept;
        QTest::newRow("a no-break space before") << QString("\u00A01600") << kept;
        QTest::newRow("valid only through trimming") << QString("1600") + QChar(0) << QStringList();
    }
    void invalidSourcesAreRedAndKeepOrEmptyTheColumn()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, targets);
        const bool red = !targets.isEmpty();
        m_harness->setRows({"1920", "1080", "1280", "1024"});
        TextBox &source = field(*m_form, u"txtSourceWidth");
        QCOMPARE(source.ForeColor(), ole::kWindowText); // empty, but not yet changed
        source.SetFocus();
        QTest::keyClicks(source.widget(), QStringLiteral("1600"));
        source.setText(text);
        QCOMPARE(source.ForeColor(), red ? ole::kRed : ole::kWindowText);
        QCOMPARE(source.widget()->palette().color(QPalette::Text),
                 red ? QColor(Qt::red) : QApplication::palette().color(QPalette::Text));
        QCOMPARE(texts(u"txtTargetHeight"), red ? targets : QStringList({"", ""}));
        field(*m_form, u"txtResolutionWidth", 1).setText(QStringLiteral("abc"));
        QCOMPARE(field(*m_form, u"txtResolutionWidth", 1).ForeColor(), ole::kWindowText);
    }

    // Each source fills its own column row by row, from the resolutions as they stand (blanks
    // around skipped, a NUL not), at every change of its text and only then: editing a
    // resolution calculates nothing.
    void eachSourceFillsItsColumnAtItsChangesOnly()
    {
        m_harness->setRows({"1920", "1080", "", "", " 1280 ", "\t1024", QString("1920") + QChar(0),
                            "1080", "abc", "1"});
        field(*m_form, u"txtSourceHeight").SetFocus();
        QTest::keyClicks(field(*m_form, u"txtSourceHeight").widget(), QStringLiteral("900"));
        QCOMPARE(texts(u"txtTargetWidth"), QStringList({"1600", "", "1125", "", ""}));
        QCOMPARE(texts(u"txtTargetHeight"), QStringList({"", "", "", "", ""}));
        m_harness->setRow(0, QStringLiteral("1280"), QStringLiteral("1024"));
        field(*m_form, u"txtSourceWidth").setText(QStringLiteral("1600"));
        QCOMPARE(texts(u"txtTargetHeight"), QStringList({"1280", "", "1280", "", ""}));
        QCOMPARE(field(*m_form, u"txtTargetWidth", 0).Text(), QStringLiteral("1600"));
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
