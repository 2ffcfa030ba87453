#include "fakes/harness.h"

#include <QLineEdit>
#include <QScreen>
#include <QTest>

using namespace plenvor;

// The form gives widgets only to the controls a screen shows and to the focused field; what
// the program reads and writes, and what the screen shows, are the same as with a widget for
// every control.
class tst_Views : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;
    frmMain *m_form = nullptr;

    void fill(frmMain &form, int rows)
    {
        while (form.txtResolutionWidth.Count() < rows)
            FormProbe::AddResolutionRow(form);
        for (qint16 i = 0; i < rows; ++i) {
            form.txtResolutionWidth[i].setText(QString::number(1000 + i));
            form.txtResolutionHeight[i].setText(QString::number(700 + i * 3));
        }
        form.txtSourceWidth->setText(QStringLiteral("1600"));
    }
    // Where row `i`'s fields stand on the screen, by the form's own Top.
    int rowTopOnScreen(int i) const
    {
        const int frame = m_form->geometry().top() - m_form->frameGeometry().top();
        return qRound(m_form->Top() / 15) + frame + 52 + 28 * i;
    }
    // The rows whose width field has a widget, and that widget in the row's place on the screen.
    QList<int> rowsShownInPlace() const
    {
        m_form->syncViews();
        QList<int> rows;
        for (qint16 i = 0; i <= m_form->txtResolutionWidth.UBound(); ++i)
            if (const QWidget *widget = m_form->txtResolutionWidth[i].widget())
                rows << (m_form->geometry().top() + widget->y() == rowTopOnScreen(i) ? i : -i);
        return rows;
    }
    // The rows a screen shows of the form: their fields reach between its top and bottom.
    QList<int> rowsOnScreen() const
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QList<int> rows;
        for (int i = 0; i < m_harness->rows(); ++i)
            if (rowTopOnScreen(i) <= screen.bottom() && rowTopOnScreen(i) + 21 > 0)
                rows << i;
        return rows;
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<test::WindowHarness>();
        m_form = &m_harness->show();
        fill(*m_form, 200);
        m_form->setTop(-40000.f); // the source fields and rows 0 to 92 above the screen
        m_form->syncViews();
    }
    void cleanup() { m_harness.reset(); }

    void propertiesAndEventsDoNotDependOnTheWidget()
    {
        TextBox &target = m_form->txtTargetHeight[3];
        QVERIFY(!target.widget());
        QCOMPARE(target.Text(), QString::number(qRound(1600 / (1003 / 709.0)))); // without a widget
        target.setForeColor(ole::kRed);
        target.setBackColor(0x00FF0000);
        target.setLocked(false);
        target.setText(QStringLiteral("12345"));
        m_harness->library.asHighlightText(target.hWnd());
        m_form->setTop(0.f);
        auto *shown = static_cast<QLineEdit *>(m_harness->widgetOf(target));
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->text(), QStringLiteral("12345"));
        QCOMPARE(shown->selectedText(), QStringLiteral("12345"));
        QCOMPARE(shown->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(shown->palette().color(QPalette::Base), QColor(0, 0, 255));
        QVERIFY(!shown->isReadOnly());
        QCOMPARE(shown->geometry(), QRect(376, 52 + 3 * 28, 105, 21));
        shown->setText(QStringLiteral("typed"));
        shown->setSelection(1, 2);
        target.setForeColor(ole::kWindowText);
        m_form->setTop(-40000.f);
        QVERIFY(!m_harness->widgetOf(target));
        QCOMPARE(target.Text(), QStringLiteral("typed"));
        QCOMPARE(target.SelText(), QStringLiteral("yp"));
        QCOMPARE(target.ForeColor(), ole::kWindowText);
        QCOMPARE(target.BackColor(), OleColor(0x00FF0000));
        target.setVisible(false);
        m_form->setTop(0.f);
        QVERIFY(!m_harness->widgetOf(target)); // hidden controls show nothing
    }

    // Off every screen, a field gets its widget with the focus and keeps it: GotFocus selects
    // its text, GetFocus names it, and its Change still calculates.
    void aFieldOffScreenTakesTheFocusAndTheKeys()
    {
        TextBox &source = *m_form->txtSourceWidth;
        m_form->txtResolutionWidth[10].SetFocus();
        source.SetFocus();
        QVERIFY(source.widget() && source.hasFocus() && !m_form->txtResolutionWidth[10].widget());
        QCOMPARE(source.SelText(), QStringLiteral("1600"));
        QCOMPARE(GetFocus(), source.hWnd());
        QTest::keyClicks(source.widget(), QStringLiteral("80"));
        QCOMPARE(m_form->txtTargetHeight[199].Text(),
                 QString::number(qRound(80 / (1199 / 1297.0))));
        m_form->setTop(0.f); // into view and out again: the focused field keeps its widget
        m_form->setTop(-80000.f);
        QVERIFY(m_harness->widgetOf(source) && source.hasFocus());
        QTest::keyClick(source.widget(), Qt::Key_0);
        QCOMPARE(source.Text(), QStringLiteral("800"));
    }

    void movingTheWindowBringsTheRightRowsIntoView()
    {
        for (const float top : {-40000.f, -80000.f, 3000.f, 9000.f}) {
            m_form->setTop(top);
            QCOMPARE(rowsShownInPlace(), rowsOnScreen());
        }
        QTest::qWait(600); // later than any answer to the program's own move: the user's
        m_form->move(m_form->x(), -1000);
        QCOMPARE(m_form->Top(), -15000.f);
        QCOMPARE(rowsShownInPlace(), rowsOnScreen());
    }

    // A control moved out of its row's order shows where it now stands, and only there.
    void aControlMovedOutOfOrderShowsWhereItStands()
    {
        m_form->setTop(0.f);
        Label &down = m_form->lblArrow[3];
        const qint32 top = down.Top();
        down.setTop(m_form->lblArrow[150].Top());
        QVERIFY(!m_harness->widgetOf(down) && m_form->lblArrow[4].widget());
        m_form->lblArrow[150].setTop(top);
        QVERIFY(m_harness->widgetOf(m_form->lblArrow[150]));
    }

    // A field's widget draws as a plain line edit does; fields and labels follow a change of
    // the desktop's palette.
    void widgetsLookLikeQtsOwnAndFollowThePalette()
    {
        m_form->setTop(0.f);
        QWidget *shown = m_harness->widgetOf(m_form->txtResolutionWidth[0]);
        QLineEdit plain(m_form->txtResolutionWidth[0].Text());
        plain.setFont(shown->font());
        plain.setPalette(shown->palette());
        plain.resize(shown->size());
        QCOMPARE(shown->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 plain.grab().toImage().convertToFormat(QImage::Format_RGB32));
        const QPalette original = QApplication::palette();
        QPalette palette = original;
        palette.setColor(QPalette::Window, Qt::green);   // a target field's background
        palette.setColor(QPalette::ButtonText, Qt::red); // a label's text
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();
        const QColor target =
            m_harness->widgetOf(m_form->txtTargetWidth[0])->palette().color(QPalette::Base);
        const QColor label =
            m_harness->widgetOf(m_form->lblArrow[0])->palette().color(QPalette::WindowText);
        QApplication::setPalette(original);
        QCOMPARE(target, QColor(Qt::green));
        QCOMPARE(label, QColor(Qt::red));
    }

    // Tab walks the program's order through rows that have no widget, and the widgets taken
    // for them go back at once.
    void tabWalksEveryFieldOfA200RowWindow()
    {
        QVector<TextBox *> order{m_form->txtSourceWidth, m_form->txtSourceHeight};
        for (qint16 i = 0; i < 200; ++i)
            order << &m_form->txtResolutionWidth[i] << &m_form->txtResolutionHeight[i]
                  << &m_form->txtTargetWidth[i] << &m_form->txtTargetHeight[i];
        order.first()->SetFocus();
        const qsizetype widgets = m_form->findChildren<QLineEdit *>().size();
        for (qsizetype step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(test::WindowHarness::focusedField(), order[step % order.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(test::WindowHarness::focusedField(), order.last());
        QVERIFY(m_form->findChildren<QLineEdit *>().size() <= widgets + 1);
    }

    // The pixels a screen shows of a window, wherever it stands, are those of the same window
    // made with a widget for every control.
    void theScreenShowsWhatAWindowOfWidgetsShows()
    {
        frmMain whole(m_harness->services);
        whole.Show();
        QWidget elsewhere; // neither window active: no focus frame, no blinking caret
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        fill(whole, 200);
        whole.setShowsEveryControl(true);
        m_form->txtSourceWidth->setText(QStringLiteral("1600x")); // red, and the targets kept
        whole.txtSourceWidth->setText(QStringLiteral("1600x"));
        for (const float top : {0.f, -4000.f, -40000.f, 4500.f}) {
            QImage shown[2];
            for (int i = 0; i < 2; ++i) {
                Form &form = i ? static_cast<Form &>(whole) : *m_form;
                form.setTop(top);
                form.raise();
                form.syncViews();
                QCoreApplication::processEvents();
                const QRect client = form.geometry() & QGuiApplication::primaryScreen()->geometry();
                shown[i] = QGuiApplication::primaryScreen()
                               ->grabWindow(form.winId(), client.x() - form.x(),
                                            client.y() - form.y(), client.width(), client.height())
                               .toImage();
            }
            QVERIFY(!shown[0].isNull());
            QCOMPARE(shown[0], shown[1]);
        }
    }
};

QTEST_MAIN(tst_Views)
#include "tst_views.moc"
