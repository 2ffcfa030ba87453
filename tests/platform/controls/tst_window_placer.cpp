#include "controls/window_placer.h"
#include "fakes/offscreen.h"
#include "runtime/twips.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace plenvor;

namespace {

// A window whose resize handler learns a frame, as a window manager may tell one while the
// program resizes the window.
class FramedOnResize final : public QWidget
{
public:
    WindowPlacer placer{*this};
    QMargins frame;

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        placer.learnFrame(frame);
    }
};

// A form of one row at (100, 200) pixels, its window on the screen.
void showOneRow(QWidget &window, WindowPlacer &placer)
{
    placer.setLeft(1500.f);
    placer.setTop(3000.f);
    placer.setClientWidth(7350.f);
    placer.setClientHeight(1215.f);
    placer.place(true, std::nullopt);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        QTest::qFail("the window was not exposed", __FILE__, __LINE__);
}

} // namespace

// What the placer makes of the window system's reports: an answer to a request, wherever the
// window manager put the window and however late, leaves the form where the program put it;
// the user's move takes the form along; a frame learnt keeps the form's centre.
class tst_WindowPlacer : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void answersAndMoves_data()
    {
        // "ask": the program adds a row. The window system reports the Nth request: "answer N"
        // where asked, "elsewhere N" somewhere else, "resized N" at the last place reported,
        // "mixed N M" at its place with the Mth request's size; "user": the window moved from
        // where it was last reported.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("taken"); // the form follows the user's move, or stays put
        QTest::newRow("the answer where asked") << QStringList{"ask", "answer 1"} << false;
        QTest::newRow("the answer elsewhere") << QStringList{"ask", "elsewhere 1"} << false;
        QTest::newRow("the new size first, then the place")
            << QStringList{"ask", "resized 1", "answer 1"} << false;
        QTest::newRow("late answers, each elsewhere")
            << QStringList{"ask", "ask", "elsewhere 1", "elsewhere 2"} << false;
        QTest::newRow("one answer for two requests")
            << QStringList{"ask", "ask", "elsewhere 2"} << false;
        QTest::newRow("places and sizes of late answers mixed")
            << QStringList{"ask", "ask", "ask", "mixed 1 3", "mixed 2 3", "answer 3"} << false;
        QTest::newRow("a place asked for before, again")
            << QStringList{"ask", "answer 1", "ask", "answer 2", "answer 1"} << false;
        QTest::newRow("the user's move") << QStringList{"user"} << true;
        QTest::newRow("the user's move just after late answers")
            << QStringList{"ask", "ask", "elsewhere 1", "answer 2", "user"} << true;
    }
    void answersAndMoves()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, taken);
        QWidget window;
        WindowPlacer placer(window);
        showOneRow(window, placer);
        QVector<QRect> asked;
        QRect last = window.geometry();
        for (const QString &step : steps) {
            const QStringList words = step.split(u' ');
            const auto request = [&](int word) { return asked[words[word].toInt() - 1]; };
            if (step == "ask") {
                placer.setClientHeight(placer.clientHeight() + 420.f);
                placer.setTop(placer.top() - 210.f);
                placer.place(true, std::nullopt);
                asked << window.geometry();
                continue;
            }
            if (step == "user")
                last.translate(30, 60);
            else if (words[0] == "answer")
                last = request(1);
            else if (words[0] == "elsewhere")
                last = request(1).translated(0, 40);
            else if (words[0] == "resized")
                last.setSize(request(1).size());
            else
                last = QRect(request(1).topLeft(), request(2).size());
            placer.reported(last, QMargins());
        }
        const QPointF put(1500, 3000 - 210 * asked.size());
        QCOMPARE(QPointF(placer.left(), placer.top()),
                 taken ? QPointF(pixelsToTwips(last.left()), pixelsToTwips(last.top())) : put);
    }

    // A window that shows a part of the form stays as tall as the screen's usable part and on
    // it: a move takes the form along, and the window keeps where the user put it sideways.
    void theUsersMoveOfAPartShown()
    {
        QWidget window;
        WindowPlacer placer(window);
        showOneRow(window, placer);
        const QRect area = window.screen()->availableGeometry();
        placer.setClientHeight(float(pixelsToTwips(2 * area.height())));
        placer.place(true, std::nullopt);
        QCOMPARE(window.geometry(), QRect(100, area.top(), 490, area.height()));
        placer.reported(window.geometry(), QMargins());
        placer.reported(window.geometry().translated(30, 60), QMargins());
        QCOMPARE(QPointF(placer.left(), placer.top()), QPointF(1950, 3900));
        QCOMPARE(window.geometry(), QRect(130, area.top(), 490, area.height()));
    }

    // A window that shows a part of the form, on X11 or where a compositor places it, is at
    // most a screen high, and the part follows the focused field when nothing else changes.
    void thePartShownFollowsTheFocus_data()
    {
        QTest::addColumn<bool>("placesWindows");
        QTest::newRow("X11") << true;
        QTest::newRow("a compositor") << false;
    }
    void thePartShownFollowsTheFocus()
    {
        QFETCH(bool, placesWindows);
        QWidget window;
        WindowPlacer placer(window, placesWindows);
        showOneRow(window, placer);
        const int screen = window.screen()->availableGeometry().height();
        const qint64 end = 3 * screen;
        placer.setClientHeight(float(pixelsToTwips(int(end))));
        placer.place(true, std::nullopt);
        placer.place(false, Band{end - 28, end});
        QVERIFY(window.height() <= screen && window.maximumHeight() == window.height());
        QCOMPARE(placer.viewOffset() + window.height(), end);
        placer.place(false, Band{53, 81});
        QCOMPARE(placer.viewOffset(), 0);
    }

    // 4 pixels wider and 22 higher: half of each goes left and up, whether the window manager
    // tells it with its answer or in the middle of the program's own resize.
    void aFrameLearntKeepsTheFormsCentre()
    {
        FramedOnResize window;
        showOneRow(window, window.placer);
        window.placer.reported(window.geometry(), QMargins(2, 20, 2, 2));
        QCOMPARE(QPointF(window.placer.left(), window.placer.top()), QPointF(1470, 2835));
        window.frame = QMargins(4, 40, 4, 4);
        window.placer.setClientHeight(1635.f);
        window.placer.place(true, std::nullopt);
        const QPoint outer(twipsToPixels(window.placer.left()), twipsToPixels(window.placer.top()));
        QCOMPARE(QPointF(window.placer.left(), window.placer.top()), QPointF(1440, 2670));
        QCOMPARE(window.geometry(), QRect(outer + QPoint(4, 40), QSize(490, 109)));
    }
};

QTEST_MAIN(tst_WindowPlacer)
#include "tst_window_placer.moc"
