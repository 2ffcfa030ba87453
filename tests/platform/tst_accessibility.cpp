#include "fakes/harness.h"

#include <private/qguiapplication_p.h>
#include <QAccessible>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QTest>

#include <functional>

using namespace plenvor;

namespace {

using Steps = std::function<void(frmMain &)>;

QStringList g_events;

void record(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::ObjectReorder)
        g_events << QStringLiteral("children changed");
    if (event->type() == QAccessible::DescriptionChanged)
        g_events << QStringLiteral("announced «%1»")
                        .arg(event->accessibleInterface()->text(QAccessible::Description));
}

QString line(QAccessibleInterface *item)
{
    const QAccessible::State state = item->state();
    QString text = QStringLiteral("%1 «%2»").arg(
        item->role() == QAccessible::StaticText ? "label" : "text", item->text(QAccessible::Name));
    const std::pair<bool, const char *> states[] = {
        {state.editable, "editable"},
        {state.readOnly, "read-only"},
        {state.focused, "focused"},
        {state.offscreen || state.invisible, "not showing"}};
    for (const auto &[on, word] : states)
        if (on)
            text += QStringLiteral(" ") + word;
    for (const auto &[label, relation] : item->relations(QAccessible::Label))
        text += QStringLiteral(" named by «%1»").arg(label->text(QAccessible::Name));
    return text;
}

void press(frmMain &form, Qt::Key key, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(form.focusWidget(), key, mods);
}

} // namespace

Q_DECLARE_METATYPE(Steps)

// What a screen reader meets in the window, through Qt's accessibility interfaces: the window,
// then its children in order as "index: role «name» states", then what was announced.
class tst_Accessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;

    QStringList transcript(frmMain &form)
    {
        form.syncViews();
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&form);
        QStringList read{QStringLiteral("window «%1» «%2»%3")
                             .arg(window->text(QAccessible::Name),
                                  window->text(QAccessible::Description),
                                  window->role() == QAccessible::Window ? " frame" : "")};
        for (int i = 0; i < window->childCount(); ++i) {
            // A child found again at an earlier place is in the tree twice.
            QAccessibleInterface *child = window->child(i);
            read << QStringLiteral("%1: %2").arg(i).arg(line(child));
            if (window->indexOfChild(child) != i || child->parent()->object() != &form ||
                child->text(QAccessible::Name).isEmpty())
                read << QStringLiteral("%1 is not in the tree once, as itself").arg(i);
        }
        return read + g_events;
    }

private slots:
    void initTestCase()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(record);
    }
    void init() { m_harness = std::make_unique<test::WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    void whatAScreenReaderMeets_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<QStringList>("notRead");
        const Steps none = [](frmMain &) {};
        const Qt::KeyboardModifiers pad = Qt::ControlModifier | Qt::KeypadModifier;
        QTest::newRow("one row")
            << 1 << none
            << QStringList{"window «Plenvor» «1 строка» frame",
                           "0: label «Ширина:»",
                           "1: text «Ширина исходного изображения» editable focused named by "
                           "«Ширина:»",
                           "2: label «Высота:»",
                           "3: text «Высота исходного изображения» editable named by «Высота:»",
                           "4: label «Целевые разрешения (пропорции):»",
                           "5: label «Ширина:»",
                           "6: text «Ширина экрана, строка 1» editable named by «Целевые "
                           "разрешения (пропорции):» named by «Ширина:»",
                           "7: label «Высота:»",
                           "8: text «Высота экрана, строка 1» editable named by «Высота:»",
                           "9: text «Нужная ширина изображения, строка 1» read-only",
                           "10: text «Нужная высота изображения, строка 1» read-only"}
            << QStringList{"11:", "==>", "not in the tree"};
        QTest::newRow("rows added and removed are announced, the focus kept")
            << 2 << Steps([pad](frmMain &form) {
                   press(form, Qt::Key_Plus, pad), press(form, Qt::Key_Plus, pad);
               })
            << QStringList{"1: text «Ширина исходного изображения» editable focused named by "
                           "«Ширина:»",
                           "announced «3 строки»", "announced «4 строки»"}
            << QStringList{"announced «2 строки»", "announced «5"};
        QTest::newRow("eleven rows, one removed")
            << 12 << Steps([pad](frmMain &form) { press(form, Qt::Key_Minus, pad); })
            << QStringList{"window «Plenvor» «11 строк» frame", "announced «11 строк»"}
            << QStringList{};
        QTest::newRow("tabbed below the screen in 60 rows")
            << 60 << Steps([](frmMain &form) {
                   form.txtTargetWidth[59].SetFocus();
                   press(form, Qt::Key_Tab);
               })
            << QStringList{"window «Plenvor» «60 строк» frame",
                           "text «Нужная высота изображения, строка 60» read-only focused not "
                           "showing",
                           "text «Ширина экрана, строка 30» editable", "children changed"}
            << QStringList{"строка 1»", "строка 59»", "Ширина исходного", "==>", "not in the tree"};
    }
    void whatAScreenReaderMeets()
    {
        QFETCH(int, rows);
        QFETCH(Steps, steps);
        QFETCH(QStringList, read);
        QFETCH(QStringList, notRead);
        m_harness->store->values.insert(QStringLiteral("Resolution Count"), QString::number(rows));
        frmMain &form = m_harness->show();
        g_events.clear();
        steps(form);
        const QStringList transcript = this->transcript(form);
        // A line read as given, or begun so, with or without its place among the children.
        const auto heard = [&](const QString &expected) {
            return std::any_of(transcript.begin(), transcript.end(), [&](const QString &line) {
                return line.startsWith(expected) || line.section(": ", 1).startsWith(expected);
            });
        };
        for (const QString &expected : read)
            QVERIFY2(heard(expected),
                     qPrintable(expected + "\n  not in:\n" + transcript.join('\n')));
        for (const QString &unexpected : notRead)
            QVERIFY2(transcript.filter(unexpected).isEmpty(),
                     qPrintable(unexpected + "\n  in:\n" + transcript.join('\n')));
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
