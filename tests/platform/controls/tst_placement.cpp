#include "controls/placement.h"
#include "fakes/offscreen.h"
#include "runtime/twips.h"

#include <QTest>

using namespace plenvor;

namespace {

enum class Screens { One, Laptop, SideBySide, Stacked, Offset, MixedRatios };

// The screens of a desktop at a scale: Qt keeps each screen's top left corner in device
// pixels and divides its size by the ratio. The window opens on the last one.
std::vector<ScreenArea> desktop(Screens layout, double ratio)
{
    const auto scaled = [](QRect device, double r, int panel = 0) {
        const QRect logical(device.topLeft(), (QSizeF(device.size()) / r).toSize());
        return ScreenArea{logical, r, logical.adjusted(0, 0, 0, -panel)};
    };
    switch (layout) {
    case Screens::One:
        return {scaled({0, 0, 1280, 1024}, ratio)};
    case Screens::Laptop: // a panel of 28 pixels at the bottom
        return {scaled({0, 0, 1366, 768}, ratio, 28)};
    case Screens::SideBySide: // the smaller one right of a larger one
        return {scaled({0, 0, 1920, 1080}, ratio), scaled({1920, 0, 1280, 1024}, ratio)};
    case Screens::Stacked:
        return {scaled({0, 1024, 1280, 1024}, ratio), scaled({0, 0, 1280, 1024}, ratio)};
    case Screens::Offset: // a laptop panel below a larger monitor, off its left edge
        return {scaled({0, 0, 1920, 1080}, ratio), scaled({200, 1080, 1366, 768}, ratio, 28)};
    case Screens::MixedRatios:
        return {scaled({1280, 0, 2560, 1440}, 2 * ratio), scaled({0, 0, 1280, 1024}, ratio)};
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Screens)

// The real window that shows a form of any length, centred on its screen as the program
// centres it: the form as it stands where the usable part of that screen holds it; else a
// window as tall as that part, on it, showing the focused field.
class tst_Placement : public test::OffscreenTest
{
    Q_OBJECT

private slots:
    void aCentredFormOfAnyLength_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("focus"); // the focused row, 0 for none
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<Screens>("screens");
        QTest::addColumn<bool>("placesWindows");
        QTest::addColumn<bool>("clipped");
        const auto row = [](const char *name, double ratio, int rows, int focus, Screens screens,
                            bool clipped, bool places = true, QMargins frame = {1, 20, 1, 1}) {
            QTest::newRow(name) << ratio << rows << focus << frame << screens << places << clipped;
        };
        for (const double ratio : {1.0, 1.25, 1.5, 2.0}) {
            for (const int rows : {1, 30, 1200, 32768})
                row(qPrintable(QStringLiteral("%1 rows at %2").arg(rows).arg(ratio)), ratio, rows,
                    rows, Screens::One, rows * 28 * ratio > 1024);
        }
        row("no frame", 1, 2000, 1, Screens::One, true, true, {});
        row("laptop, 23 rows fit above the panel", 1, 23, 23, Screens::Laptop, false);
        row("laptop, 24 rows do not", 1, 24, 24, Screens::Laptop, true);
        row("laptop, 30 rows, the first focused", 1, 30, 1, Screens::Laptop, true);
        row("laptop, 30 rows, the 16th focused", 1, 30, 16, Screens::Laptop, true);
        row("laptop at 1.5, 30 rows", 1.5, 30, 30, Screens::Laptop, true);
        row("side by side, 33 rows fit the smaller", 1, 33, 33, Screens::SideBySide, false);
        row("side by side, 36 rows", 1, 36, 36, Screens::SideBySide, true);
        row("side by side, 45 rows", 1, 45, 1, Screens::SideBySide, true);
        row("stacked, 45 rows", 1, 45, 45, Screens::Stacked, true);
        row("offset laptop below, 30 rows", 1, 30, 30, Screens::Offset, true);
        row("offset laptop below at 1.25, 30 rows", 1.25, 30, 12, Screens::Offset, true);
        row("side by side at 1 and 2, 1200 rows", 1, 1200, 600, Screens::MixedRatios, true);
        row("compositor, 1 row", 1, 1, 1, Screens::One, false, false);
        row("compositor, 41 rows", 1, 41, 41, Screens::One, true, false);
        row("compositor at 2, 32768 rows", 2, 32768, 1, Screens::One, true, false);
    }
    void aCentredFormOfAnyLength()
    {
        QFETCH(double, ratio);
        QFETCH(int, rows);
        QFETCH(int, focus);
        QFETCH(QMargins, frame);
        QFETCH(Screens, screens);
        QFETCH(bool, placesWindows);
        QFETCH(bool, clipped);
        const std::vector<ScreenArea> areas = desktop(screens, ratio);
        const QRect area = areas.back().available;
        // Centred at its one-row size on the usable part of its screen, then grown half a pitch
        // up and half down for each row.
        FormRect form{0, 0, 7350, 1215 + 420.0 * (rows - 1)};
        const double outerWidth = form.clientWidth + pixelsToTwips(frame.left() + frame.right());
        const double oneRow = 1215 + pixelsToTwips(frame.top() + frame.bottom());
        form.left = pixelsToTwips(area.left()) + (pixelsToTwips(area.width()) - outerWidth) / 2;
        form.top = pixelsToTwips(area.top()) + (pixelsToTwips(area.height()) - oneRow) / 2 -
                   210.0 * (rows - 1);
        // The row's first field, 28 pixels high, 53 below the form's top.
        const std::optional<Band> band =
            focus ? std::optional<Band>({53 + 28 * (focus - 1), 53 + 28 * focus}) : std::nullopt;

        // The view comes from the form's end, as after Shift+Tab from the first field.
        const qint64 formHeight = twipsToPixels(form.clientHeight);
        const Placement placed = placeForm({form, frame, areas, placesWindows, band, formHeight});
        const QRect &client = placed.client;
        QCOMPARE(placed.clipped, clipped);
        QCOMPARE(client.height() < formHeight, clipped);
        // What the window shows of the form holds the focused field.
        QVERIFY(placed.viewOffset >= 0 && placed.viewOffset + client.height() <= formHeight);
        if (band)
            QVERIFY(band->top >= placed.viewOffset &&
                    band->bottom <= placed.viewOffset + client.height());
        // The first row is shown with the headings over it.
        if (focus == 1)
            QCOMPARE(placed.viewOffset, 0);
        if (!placesWindows) {
            QVERIFY(client.height() + frame.top() + frame.bottom() <= area.height());
            return;
        }
        const QRect formClient(twipsToPixels(form.left) + frame.left(),
                               twipsToPixels(form.top) + frame.top(),
                               twipsToPixels(form.clientWidth), int(formHeight));
        const QRect outer = client.marginsAdded(frame);
        if (clipped) {
            // As tall as the usable part of its screen, and on it, at the form's own left.
            QCOMPARE(outer.top(), area.top());
            QCOMPARE(outer.height(), area.height());
            QCOMPARE(client.left(), formClient.left());
            QVERIFY(area.contains(outer));
        } else {
            QCOMPARE(client, formClient);
            QCOMPARE(placed.viewOffset, 0);
        }
    }
};

QTEST_MAIN(tst_Placement)
#include "tst_placement.moc"
