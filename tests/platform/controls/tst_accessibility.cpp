#include "controls/accessibility.h"
#include "controls/title_bar.h"
#include "fakes/harness.h"
#include "settings/keys.h"

#include <private/qguiapplication_p.h>
#include <QAccessible>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QTest>

#include <functional>

using namespace plenvor;
using test::field;

namespace {

using Steps = std::function<void(frmMain &)>;
using Act = std::function<QString(QAccessibleInterface &)>;

// What reaches the platform's bridge, one line an event, as "what «whose name»".
QStringList g_events;

void record(QAccessibleEvent *event)
{
    static const QHash<int, const char *> words{
        {QAccessible::Focus, "focus"},          {QAccessible::TextInserted, "text"},
        {QAccessible::TextRemoved, "text"},     {QAccessible::TextUpdated, "text"},
        {QAccessible::TextCaretMoved, "caret"}, {QAccessible::TextSelectionChanged, "selection"},
        {QAccessible::ObjectShow, "shown"},     {QAccessible::DescriptionChanged, "description"}};
    // Qt 6.8 tells of widgets hidden and destroyed with no interface at all.
    QAccessibleInterface *from = event->accessibleInterface();
    if (!from)
        return;
    const bool described = event->type() == QAccessible::DescriptionChanged;
    const QString word = from->role() == QAccessible::Notification
                             ? QStringLiteral("announced")
                             : QString::fromLatin1(words.value(event->type(), "event"));
    g_events << QStringLiteral("%1 «%2»").arg(
        word, from->text(described ? QAccessible::Description : QAccessible::Name));
}

void press(frmMain &form, Qt::Key key, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(form.windowHandle(), key, mods);
}

const Qt::KeyboardModifiers pad = Qt::ControlModifier | Qt::KeypadModifier;

} // namespace

Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Act)

// What a screen reader meets in the window and hears of it, through Qt's accessibility
// interfaces and what reaches the platform's bridge.
class tst_Accessibility : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;

    // A window of that many rows, nothing heard of it yet.
    frmMain &open(int rows)
    {
        m_harness->store->values.insert(kCountKey, QString::number(rows));
        frmMain &form = m_harness->show();
        g_events.clear();
        return form;
    }

private slots:
    void initTestCase()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(record);
        installAccessibility();
    }
    void init() { m_harness = std::make_unique<test::WindowHarness>(); }
    void cleanup() { m_harness.reset(); }

    // The window's children in order, each once and itself, labels before their fields:
    // "label", "field" (editable) or "value" (read-only), its name, "*" while focused.
    void whatAScreenReaderMeets()
    {
        frmMain &form = open(2);
        QCoreApplication::sendPostedEvents(&form);
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&form);
        QStringList met{window->text(QAccessible::Name) + ", " +
                        window->text(QAccessible::Description)};
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface *child = window->child(i);
            const QAccessible::State state = child->state();
            met << QString(child->role() == QAccessible::StaticText ? "label"
                           : state.readOnly == state.editable       ? "neither"
                           : state.editable                         ? "field"
                                                                    : "value") +
                       " " + child->text(QAccessible::Name) + (state.focused ? "*" : "") +
                       (window->indexOfChild(child) == i && child->parent()->object() == &form
                            ? ""
                            : " twice");
        }
        QCOMPARE(
            met.mid(0, 12).join(" | "),
            "Plenvor, 2 строки | label Ширина: | field Ширина исходного изображения* | label "
            "Высота: | field Высота исходного изображения | label Целевые разрешения "
            "(пропорции): | label Ширина: | field Ширина экрана, строка 1 | label Высота: | "
            "field Высота экрана, строка 1 | value Нужная ширина изображения, строка 1 | value "
            "Нужная высота изображения, строка 1");
        QCOMPARE(met.size(), 1 + 7 + 4 * 2);
    }

    // The title bar a window draws itself, where nobody draws one, is named to a screen reader.
    void theTitleBarsName()
    {
        QWidget window;
        TitleBar bar(window);
        QCOMPARE(QAccessible::queryAccessibleInterface(&bar)->text(QAccessible::Name),
                 QStringLiteral("Заголовок окна"));
    }

    // What a screen reader hears of the steps, exactly: each event costs it time, and one out
    // of turn is read out of turn. A Tab is one focus event, which brings the field's text and
    // selection with it; a field off the screen is heard as any other. What it reads of the
    // window is the screen-reader scenario's.
    void whatAScreenReaderHears_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<Steps>("before");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("heard");
        const Steps none = [](frmMain &) {};
        const Steps tab = [](frmMain &form) { press(form, Qt::Key_Tab); };
        const Steps nearTheEnd = [](frmMain &f) { field(f, u"txtTargetHeight", 55).SetFocus(); };
        QTest::newRow("Tab into a row below the screen")
            << 60 << nearTheEnd << tab << QStringList{"focus «Ширина экрана, строка 57»"};
        const QString typed = "text «Ширина исходного изображения»";
        const QString caret = "caret «Ширина исходного изображения»";
        QTest::newRow("typing a source size: the field typed in, not the targets")
            << 2 << none << Steps([](frmMain &form) { QTest::keyClicks(form.focusWidget(), "16"); })
            << QStringList{typed, caret, typed, caret};
        QTest::newRow("a row command, announced, the focus kept")
            << 2 << none << Steps([](frmMain &form) { press(form, Qt::Key_Plus, pad); })
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
            << QStringList{"description «3 строки»"}; // which Orca 48 speaks itself
#else
            << QStringList{"description «3 строки»", "announced «3 строки»"};
#endif
    }
    void whatAScreenReaderHears()
    {
        QFETCH(int, rows);
        QFETCH(Steps, before);
        QFETCH(Steps, steps);
        QFETCH(QStringList, heard);
        frmMain &form = open(rows);
        before(form);
        QCoreApplication::sendPostedEvents(&form);
        g_events.clear();
        steps(form);
        QCOMPARE(g_events, heard);
    }

    // What a screen reader or another assistive tool asks of a field entered with Tab, or does
    // to it: its answer, then the field's text and selection. A screen reader builds what it
    // says from the attribute runs; empty ones cost it the last character.
    void whatAToolDoesWithAField_data()
    {
        QTest::addColumn<Act>("act"); // on a field holding 1920
        QTest::addColumn<QString>("outcome");
        const auto runs = [](QAccessibleInterface &f) {
            QString out;
            for (int offset : {-1, 0, 3, 4, 5}) {
                int start = -2, end = -2;
                f.textInterface()->attributes(offset, &start, &end);
                out += QStringLiteral("%1-%2 ").arg(start).arg(end);
            }
            int start = 0, end = 0;
            return out +
                   f.textInterface()->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
        };
        const auto edit = [](QAccessibleInterface &f) { return f.editableTextInterface(); };
        QTest::newRow("one attribute run over the whole text, a line of it")
            << Act(runs) << "-1--1 0-4 0-4 0-4 -1--1 1920 1920 [0, 4)";
        QTest::newRow("inserts, deletes, replaces") << Act([&](QAccessibleInterface &f) {
            edit(f)->insertText(4, "0"), edit(f)->deleteText(0, 1),
                edit(f)->replaceText(1, 3, "28");
            return QString();
        }) << " 9280 [4, 4)";
        QTest::newRow("inserts a line and what follows its break")
            << Act([&](QAccessibleInterface &f) {
                   edit(f)->insertText(2, "5\r\n6");
                   return QString();
               })
            << " 19520 [5, 5)";
    }
    void whatAToolDoesWithAField()
    {
        QFETCH(Act, act);
        QFETCH(QString, outcome);
        open(1);
        TextBox &control = m_harness->field(u"txtResolutionWidth");
        control.setText(QStringLiteral("1920"));
        control.SetFocus(Qt::TabFocusReason);
        QAccessibleInterface *field = QAccessible::queryAccessibleInterface(control.view());
        const QString answer = act(*field);
        int start = 0;
        int end = 0;
        field->textInterface()->selection(0, &start, &end);
        const int caret = field->textInterface()->cursorPosition();
        QCOMPARE(QStringLiteral("%1 %2 [%3, %4)")
                     .arg(answer, control.Text())
                     .arg(end > start ? start : caret)
                     .arg(end > start ? end : caret),
                 outcome);
    }

    // A widget that shows another field is another object to assistive technology, so nothing
    // it knew of the first field stands for the second.
    void aWidgetLentAgainIsAnotherObject()
    {
        frmMain &form = open(60);
        field(form, u"txtTargetHeight", 55).SetFocus();
        press(form, Qt::Key_Tab);
        QWidget *widget = QApplication::focusWidget();
        // What others hear of the widget's end is theirs: forgetting it cuts none of it.
        bool heardTheEnd = false;
        QObject::connect(widget, &QObject::destroyed, [&] { heardTheEnd = true; });
        const QAccessible::Id first =
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(widget));
        // The window's view goes up to the first row: the widget shows one that comes into view.
        field(form, u"txtResolutionWidth", 0).SetFocus();
        QCoreApplication::processEvents();
        QVERIFY(widget->isVisible());
        QVERIFY(!QAccessible::accessibleInterface(first));
        QAccessibleInterface *now = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(QAccessible::uniqueId(now) != first);
        const QString name = now->text(QAccessible::Name);
        QVERIFY2(name.contains(u"строка ") && !name.endsWith(u"строка 56"), qPrintable(name));
        m_harness.reset();
        QVERIFY(heardTheEnd);
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
