// One keystroke in the source width until the window is repainted, against the floor: a bare
// window of 1,000 rows of line edits updating one column; and a pasted text of growing size.
// Run on X11 for real painting:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/bench_keystroke
#include "fakes/harness.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <QTest>

using namespace plenvor;

namespace {

// Lets the window paint what the last change dirtied and hand it to the window system.
void repaintNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A window of `rows` filled rows with "160" typed into its source width, painted.
std::unique_ptr<test::WindowHarness> typingWindow(int rows)
{
    auto h = std::make_unique<test::WindowHarness>();
    h->show();
    h->addRows(rows - 1);
    for (qint16 i = 0; i < rows; ++i)
        h->setRow(i, QString::number(1000 + i), QString::number(700 + i));
    h->form->txtSourceWidth->setFocus();
    QTest::keyClicks(h->form->txtSourceWidth, QStringLiteral("160"));
    repaintNow();
    return h;
}

// Thirty rows, the first 1920 x 1080, for a text pasted into the source width.
std::unique_ptr<test::WindowHarness> pasteWindow()
{
    auto h = std::make_unique<test::WindowHarness>();
    h->show();
    h->addRows(29);
    h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
    return h;
}

} // namespace

class bench_Keystroke : public QObject
{
    Q_OBJECT

private slots:
    void keystrokeWith30Rows()
    {
        const auto h = typingWindow(30);
        TextBox *source = h->form->txtSourceWidth;
        bool typing = true;
        QBENCHMARK
        {
            QTest::keyClick(source, typing ? Qt::Key_0 : Qt::Key_Backspace);
            typing = !typing;
            repaintNow();
        }
    }

    // 1,000 rows against the floor, interleaved round by round; medians. The second floor's
    // target column looks like Plenvor's (read-only, on the button-face colour), which costs
    // painting time of its own.
    void keystrokeWith1000RowsAgainstTheFloor_data()
    {
        QTest::addColumn<bool>("lookAlike");
        QTest::newRow("plain floor") << false;
        QTest::newRow("floor with read-only targets") << true;
    }
    void keystrokeWith1000RowsAgainstTheFloor()
    {
        QFETCH(bool, lookAlike);
        const auto h = typingWindow(1000);
        frmMain &form = *h->form;
        TextBox *source = form.txtSourceWidth;

        // 1,000 rows of four line edits and a label, like Plenvor's rows. It takes the same
        // keystroke in a field where Plenvor's source width stands, then updates one column.
        QWidget floor;
        floor.setFixedSize(490, 81 + 28 * 999);
        auto *typed = new QLineEdit(&floor);
        typed->setGeometry(264, 24, 105, 21);
        QList<QLineEdit *> targets;
        for (int i = 0; i < 1000; ++i) {
            const int y = 52 + 28 * i;
            for (const int x : {8, 120})
                (new QLineEdit(&floor))->setGeometry(x, y, 105, 21);
            (new QLabel(QStringLiteral("==>"), &floor))->setGeometry(232, y, 27, 14);
            (new QLineEdit(&floor))->setGeometry(264, y, 105, 21);
            targets << new QLineEdit(&floor);
            targets.last()->setGeometry(376, y, 105, 21);
            if (lookAlike) {
                targets.last()->setReadOnly(true);
                targets.last()->setPalette(form.txtTargetHeight[0].palette());
            }
        }
        // Side by side, not overlapping, so neither window's painting clips the other's.
        form.setLeft(0.0f);
        floor.move(form.width() + 20, form.y());
        floor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&floor));
        QTest::keyClicks(typed, QStringLiteral("160"));

        QList<qint64> ours;
        QList<qint64> theirs;
        QElapsedTimer timer;
        for (int round = 0; round < 21; ++round) {
            timer.start();
            QTest::keyClick(source, round % 2 ? Qt::Key_Backspace : Qt::Key_0);
            repaintNow();
            ours << timer.nsecsElapsed();
            timer.start();
            QTest::keyClick(typed, round % 2 ? Qt::Key_Backspace : Qt::Key_0);
            for (int i = 0; i < targets.size(); ++i)
                targets[i]->setText(QString::number((round % 2 ? 900 : 1000) + i % 7));
            repaintNow();
            theirs << timer.nsecsElapsed();
        }
        std::sort(ours.begin(), ours.end());
        std::sort(theirs.begin(), theirs.end());
        const double oursMs = ours[10] / 1e6;
        const double floorMs = theirs[10] / 1e6;
        qInfo("keystroke with 1000 rows: %.1f ms, %s %.1f ms, ratio %.2f", oursMs,
              lookAlike ? "floor with read-only targets" : "plain floor", floorMs,
              oursMs / floorMs);
    }

    // Validating and computing a pasted text grows with its length, and no faster.
    void validateAndComputeAPastedText_data()
    {
        QTest::addColumn<int>("kilobytes");
        for (int kb : {256, 512, 1024, 2048, 4096, 8192})
            QTest::newRow(qPrintable(QStringLiteral("%1 KB").arg(kb))) << kb;
    }
    void validateAndComputeAPastedText()
    {
        QFETCH(int, kilobytes);
        const auto h = pasteWindow();
        frmMain &form = *h->form;
        form.txtSourceWidth->setText(QString(kilobytes * 1024 - 4, u' ') + QStringLiteral("1600"));
        QBENCHMARK
        {
            FormProbe::txtSourceWidth_Change(form);
        }
        QCOMPARE(form.txtTargetHeight[0].Text(), QStringLiteral("900"));
    }

    // The whole paste, Qt laying the one long line out included.
    void pasteIntoTheSourceWidth_data()
    {
        QTest::addColumn<int>("kilobytes");
        for (int kb : {256, 512, 1024, 2048})
            QTest::newRow(qPrintable(QStringLiteral("%1 KB").arg(kb))) << kb;
    }
    void pasteIntoTheSourceWidth()
    {
        QFETCH(int, kilobytes);
        const auto h = pasteWindow();
        frmMain &form = *h->form;
        const QString pasted = QString(kilobytes * 1024 - 4, u' ') + QStringLiteral("1600");
        QApplication::clipboard()->setText(pasted);
        TextBox *source = form.txtSourceWidth;
        source->setFocus();
        QBENCHMARK
        {
            source->clear();
            source->paste();
            repaintNow();
        }
        QCOMPARE(form.txtTargetHeight[0].Text(), QStringLiteral("900"));
    }
};

QTEST_MAIN(bench_Keystroke)
#include "bench_keystroke.moc"
