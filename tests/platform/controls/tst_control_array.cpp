#include "controls/control_array.h"
#include "fakes/offscreen.h"

#include <QTest>

#include <functional>

using namespace plenvor;

namespace {

// A host that shows nothing: the array alone.
struct NoWindow final : ControlHost
{
    void joined(ControlGroup &) override {}
    void left(ControlGroup &) override {}
    void removed(TextBox &) override {}
    void removed(Label &) override {}
    void moved(Control &) override {}
    void focus(TextBox &, Qt::FocusReason) override {}
    void keepSelection(const TextBox &, std::optional<Selection>) override {}
};

using Labels = ControlArray<Label>;
using Steps = std::function<void(Labels &)>;

// Ten labels 50 twips high, a hundred apart: element i at 100 * i; element 0 from the layout.
void tenInOrder(Labels &labels)
{
    labels.create(0).Move(0, 0, 100, 50);
    for (qint16 i = 1; i < 10; ++i) {
        labels.Load(i);
        labels[i].setTop(100 * i);
        labels[i].setVisible(true);
    }
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class tst_ControlArray : public test::OffscreenTest
{
    Q_OBJECT

    NoWindow m_host;

private slots:
    // The elements that reach into a band, however they were moved: rows out of order are
    // found as well as rows in order.
    void elementsInABand_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<QList<int>>("found");
        const auto none = Steps([](Labels &) {});
        QTest::newRow("in order") << none << 250 << 450 << QList<int>{3, 4};
        QTest::newRow("hidden ones are passed over")
            << Steps([](Labels &l) { l[4].setVisible(false); }) << 250 << 450 << QList<int>{3};
        QTest::newRow("moved down past others")
            << Steps([](Labels &l) { l[1].setTop(850); }) << 800 << 900 << QList<int>{1, 8};
        QTest::newRow("a neighbour moved past it as well")
            << Steps([](Labels &l) { l[3].setTop(550), l[4].setTop(600); }) << 540 << 610
            << QList<int>{3, 4, 5, 6};
        QTest::newRow("moved away and back, then its neighbour out")
            << Steps([](Labels &l) { l[3].setTop(950), l[3].setTop(300), l[4].setTop(-100); })
            << -150 << 10 << QList<int>{0, 4};
        QTest::newRow("the last unloaded while out of order")
            << Steps([](Labels &l) { l[9].setTop(50), l.Unload(9), l[5].setTop(5); }) << 0 << 60
            << QList<int>{0, 5};
        QTest::newRow("unloaded from between ones out of order")
            << Steps([](Labels &l) { l[1].setTop(900), l.Unload(2); }) << 850 << 960
            << QList<int>{1, 9};
        QTest::newRow("loaded between ones out of order") << Steps([](Labels &l) {
            l.Unload(5), l[4].setTop(800), l.Load(5), l[5].setTop(500), l[5].setVisible(true);
        }) << 450 << 550 << QList<int>{5};
    }
    void elementsInABand()
    {
        QFETCH(Steps, steps);
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(QList<int>, found);
        Labels labels(m_host, QStringLiteral("lblTest"));
        tenInOrder(labels);
        steps(labels);
        ShownControls shown;
        labels.collect(top, bottom, shown);
        QList<int> indexes;
        for (const Label *label : shown.labels)
            indexes << label->Index();
        std::sort(indexes.begin(), indexes.end());
        QCOMPARE(indexes, found);
    }
};

QTEST_GUILESS_MAIN(tst_ControlArray)
#include "tst_control_array.moc"
