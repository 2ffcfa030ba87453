#include "controls/placement.h"
#include "controls/window_placer.h"
#include "fakes/offscreen.h"
#include "runtime/twips.h"

#include <QTest>
#include <QWidget>

using namespace plenvor;

namespace {

enum class Screens { One, SideBySide, Stacked, MixedRatios };

// The screens of a desktop at a scale: Qt keeps each screen's top left corner in device
// pixels and divides its size by the ratio.
std::vector<ScreenArea> desktop(Screens layout, double ratio)
{
    const auto scaled = [](QRect device, double r) {
        return ScreenArea{QRect(device.topLeft(), (QSizeF(device.size()) / r).toSize()), r};
    };
    std::vector<ScreenArea> screens{scaled({0, 0, 1280, 1024}, ratio)};
    if (layout == Screens::SideBySide)
        screens.push_back(scaled({1280, 0, 1920, 1080}, ratio));
    if (layout == Screens::Stacked)
        screens.push_back(scaled({0, 1024, 1280, 1024}, ratio));
    if (layout == Screens::MixedRatios)
        screens.push_back(scaled({1280, 0, 2560, 1440}, 2 * ratio));
    return screens;
}

// The device pixel of a logical coordinate on a screen, along the axis of that origin.
double device(double logical, int origin, const ScreenArea &screen)
{
    return origin + (logical - origin) * screen.ratio;
}

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

Q_DECLARE_METATYPE(Screens)

// The real window that shows a form of any length, centred on the first screen as the program
// centres it: within X11's 16 bits of device pixels, showing every part of the form a screen
// shows, in its place. And what the placer makes of the window system's reports: an answer to
// a request, wherever the window manager put the window and however late, leaves the form
// where the program put it; the user's move takes the form along; a frame learnt keeps the
// form's centre.
class tst_Placement : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void aCentredFormOfAnyLength_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<Screens>("screens");
        QTest::addColumn<bool>("placesWindows");
        QTest::addColumn<bool>("clipped");
        const auto row = [](const char *name, double ratio, int rows, Screens screens, bool clipped,
                            bool places = true, QMargins frame = {1, 20, 1, 1}) {
            QTest::newRow(name) << ratio << rows << frame << screens << places << clipped;
        };
        for (const double ratio : {1.0, 1.5, 2.0}) {
            for (const int rows : {1, 41, 1200, 2000, 32768})
                row(qPrintable(QStringLiteral("%1 rows at %2").arg(rows).arg(ratio)), ratio, rows,
                    Screens::One, rows > 1);
        }
        row("no frame", 1, 2000, Screens::One, true, true, {});
        row("side by side", 1, 2000, Screens::SideBySide, true);
        row("side by side at 1 and 2", 1, 1200, Screens::MixedRatios, true);
        row("stacked, 41 rows end on the lower screen", 1, 41, Screens::Stacked, false);
        row("stacked, 32768 rows", 1, 32768, Screens::Stacked, true);
        row("compositor, 1 row", 1, 1, Screens::One, false, false);
        row("compositor, 41 rows", 1, 41, Screens::One, true, false);
        row("compositor at 2, 32768 rows", 2, 32768, Screens::One, true, false);
    }
    void aCentredFormOfAnyLength()
    {
        QFETCH(double, ratio);
        QFETCH(int, rows);
        QFETCH(QMargins, frame);
        QFETCH(Screens, screens);
        QFETCH(bool, placesWindows);
        QFETCH(bool, clipped);
        const std::vector<ScreenArea> areas = desktop(screens, ratio);
        const QRect first = areas.front().geometry;
        const QRect all = unionOf(areas);
        // Centred at its one-row size, then grown half a pitch up and half down for each row.
        FormRect form{0, 0, 7350, 1215 + 420.0 * (rows - 1)};
        const double outerHeight = form.clientHeight + pixelsToTwips(frame.top() + frame.bottom());
        const double outerWidth = form.clientWidth + pixelsToTwips(frame.left() + frame.right());
        form.left = pixelsToTwips(first.left()) + (pixelsToTwips(first.width()) - outerWidth) / 2;
        form.top = pixelsToTwips(first.top()) + (pixelsToTwips(first.height()) - outerHeight) / 2;

        const Placement placed = placeForm({form, frame, areas, placesWindows});
        const QRect &client = placed.client;
        QCOMPARE(placed.clipped, clipped);
        // The real window shows the form where it stands.
        const qint64 formTop = twipsToPixels(form.top) + frame.top();
        QCOMPARE(placed.formClientTop, formTop);
        QCOMPARE(client.top() - placed.viewOffset, placesWindows ? formTop : client.top());
        if (!placesWindows) {
            QCOMPARE(placed.viewOffset, 0);
            QVERIFY(client.height() + frame.top() + frame.bottom() <= all.height());
            return;
        }
        const QRect formClient(twipsToPixels(form.left) + frame.left(), int(formTop),
                               twipsToPixels(form.clientWidth), twipsToPixels(form.clientHeight));
        if (!clipped)
            QCOMPARE(client, formClient);
        // A top the window system can reach is kept, the window clipped below it alone.
        const Reach reach = reachOf(areas);
        if (formTop - frame.top() >= reach.min &&
            all.bottom() + 1 - formTop <= reach.size - frame.top() - frame.bottom())
            QCOMPARE(client.top(), formTop);
        // Whatever a screen shows of the form, the real window shows; the first screen's
        // middle line, where the middle rows stand, among it.
        // And X11 can hold it: 16 bits of device pixels on every screen.
        QVERIFY(client.contains(first.center()));
        const QRect outer = client.marginsAdded(frame);
        for (const ScreenArea &screen : areas) {
            const QRect shown = formClient & screen.geometry;
            QVERIFY(shown.isEmpty() || client.contains(shown));
            const QPoint origin = screen.geometry.topLeft();
            QVERIFY(device(outer.top(), origin.y(), screen) >= -32768);
            QVERIFY(device(outer.bottom() + 1, origin.y(), screen) <= 32767);
            QVERIFY(device(outer.left(), origin.x(), screen) >= -32768);
            QVERIFY(outer.height() * screen.ratio <= 32767);
        }
    }

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

QTEST_MAIN(tst_Placement)
#include "tst_placement.moc"
