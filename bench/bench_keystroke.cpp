// One keystroke in the source width until the window is repainted, with 30, 1,000 and 32,768
// rows; and a pasted text of growing size. Run on X11 for real painting:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/bench_keystroke
#include "fakes/harness.h"
#include "settings/keys.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using namespace plenvor;
using test::field;

namespace {

// Lets the window paint what the last change dirtied and hand it to the window system.
void repaintNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A window of `rows` filled rows, centred as it opens, with "160" typed into its source width.
std::unique_ptr<test::WindowHarness> typingWindow(int rows)
{
    auto h = std::make_unique<test::WindowHarness>();
    h->store->values.insert(kCountKey, QString::number(rows));
    h->show();
    for (int i = 0; i < rows; ++i)
        h->setRow(i, QString::number(1000 + i), QString::number(700 + i));
    field(*h->form, u"txtSourceWidth").SetFocus();
    QTest::keyClicks(field(*h->form, u"txtSourceWidth").widget(), QStringLiteral("160"));
    repaintNow();
    return h;
}

} // namespace

class bench_Keystroke : public QObject
{
    Q_OBJECT

private slots:
    void keystroke_data()
    {
        QTest::addColumn<int>("rows");
        for (const int rows : {30, 1000, 32768})
            QTest::newRow(qPrintable(QStringLiteral("%1 rows").arg(rows))) << rows;
    }
    void keystroke()
    {
        QFETCH(int, rows);
        const auto h = typingWindow(rows);
        QWidget *source = field(*h->form, u"txtSourceWidth").widget();
        bool typing = true;
        QBENCHMARK
        {
            QTest::keyClick(source, typing ? Qt::Key_0 : Qt::Key_Backspace);
            typing = !typing;
            repaintNow();
        }
        QVERIFY(!field(*h->form, u"txtTargetHeight", qint16(rows - 1)).Text().isEmpty());
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
        const auto h = typingWindow(30);
        frmMain &form = *h->form;
        h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        // The source field off every screen and without the focus, so that it has no widget
        // and the text goes to the validation and the calculation alone.
        field(form, u"txtTargetHeight", 29).SetFocus();
        form.setTop(-30000.f);
        QCoreApplication::sendPostedEvents(&form);
        TextBox &source = field(form, u"txtSourceWidth");
        QVERIFY(!source.widget());
        // Two texts of one length, so that each write is a change.
        const QString texts[] = {QString(kilobytes * 1024 - 4, u' ') + QStringLiteral("1600"),
                                 QString(kilobytes * 1024 - 5, u' ') + QStringLiteral("1600 ")};
        int next = 0;
        QBENCHMARK
        {
            source.setText(texts[next ^= 1]);
        }
        QCOMPARE(field(form, u"txtTargetHeight", 0).Text(), QStringLiteral("900"));
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
        const auto h = typingWindow(30);
        h->setRow(0, QStringLiteral("1920"), QStringLiteral("1080"));
        QApplication::clipboard()->setText(QString(kilobytes * 1024 - 4, u' ') + "1600");
        auto *source = static_cast<QLineEdit *>(field(*h->form, u"txtSourceWidth").widget());
        QBENCHMARK
        {
            source->clear();
            source->paste();
            repaintNow();
        }
        QCOMPARE(field(*h->form, u"txtTargetHeight", 0).Text(), QStringLiteral("900"));
    }
};

QTEST_MAIN(bench_Keystroke)
#include "bench_keystroke.moc"
