#include "controls/window_placer.h"
#include "fakes/offscreen.h"

#include <QTest>
#include <QWidget>

using namespace plenvor;

// What the placer makes of where the window goes: the window manager's answer to a request
// leaves the form where it stands, the user's move takes the form along, and a frame learnt
// keeps the form's centre.
class tst_WindowPlacer : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void movesAndFrames_data()
    {
        QTest::addColumn<QMargins>("frame");   // the frame the window has after the move
        QTest::addColumn<QPoint>("at");        // where the window went, in pixels
        QTest::addColumn<bool>("bySystem");    // a move of the window system's, or the widget's
        QTest::addColumn<int>("after");        // milliseconds after the program's request
        QTest::addColumn<QPointF>("expected"); // the form's left and top afterwards, in twips
        const QMargins none;
        const QPoint asked(100, 200);
        const QPointF kept(1500, 3000);
        const QPointF taken(1950, 3900); // (130, 260) in twips
        QTest::newRow("the answer to a request") << none << QPoint(130, 260) << true << 100 << kept;
        QTest::newRow("an answer at the last moment")
            << none << QPoint(130, 260) << true << 500 << kept;
        QTest::newRow("a move of the system's after that is the user's")
            << none << QPoint(130, 260) << true << 501 << taken;
        QTest::newRow("a move of the widget's is the user's at once")
            << none << QPoint(130, 260) << false << 0 << taken;
        QTest::newRow("to where it was asked") << none << asked << false << 900 << kept;
        // 4 pixels wider and 22 higher: half of each goes left and up.
        QTest::newRow("a frame learnt, the form keeps its centre")
            << QMargins(2, 20, 2, 2) << asked << true << 100 << QPointF(1470, 2835);
        QTest::newRow("a frame learnt with the user's move")
            << QMargins(2, 20, 2, 2) << QPoint(130, 260) << false << 0 << taken;
    }
    void movesAndFrames()
    {
        QFETCH(QMargins, frame);
        QFETCH(QPoint, at);
        QFETCH(bool, bySystem);
        QFETCH(int, after);
        QFETCH(QPointF, expected);
        QWidget window;
        qint64 now = 1000;
        WindowPlacer placer(window, [&] { return now; });
        placer.setLeft(1500.f);
        placer.setTop(3000.f);
        placer.setClientWidth(7350.f);
        placer.setClientHeight(1215.f);
        placer.place(true, std::nullopt);
        window.show();
        QCOMPARE(window.pos(), QPoint(100, 200));
        now += after;
        window.move(at);
        placer.moved(at, frame, bySystem);
        QCOMPARE(QPointF(placer.left(), placer.top()), expected);
        placer.learnFrame(frame); // learnt once
        QCOMPARE(QPointF(placer.left(), placer.top()), expected);
    }

    // A window not yet shown goes where the window manager puts it, and the form stays.
    void aHiddenWindowMovedIsNoUsersMove()
    {
        QWidget window;
        WindowPlacer placer(window, [] { return qint64(10000); });
        placer.setLeft(1500.f);
        placer.setClientWidth(7350.f);
        placer.setClientHeight(1215.f);
        placer.place(true, std::nullopt);
        placer.moved(QPoint(300, 300), QMargins(), false);
        QCOMPARE(QPointF(placer.left(), placer.top()), QPointF(1500, 0));
    }
};

QTEST_MAIN(tst_WindowPlacer)
#include "tst_window_placer.moc"
