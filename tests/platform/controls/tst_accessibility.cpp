#include "controls/accessibility.h"
#include "fakes/harness.h"

#include <private/qguiapplication_p.h>
#include <QAccessible>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QTest>

#include <functional>

using namespace plenvor;
using test::field;
using test::label;

namespace {

using Steps = std::function<void(frmMain &)>;
using Run = QPair<int, int>; // where an attribute run starts and ends
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
    QAccessibleInterface *from = event->accessibleInterface();
    const bool described = event->type() == QAccessible::DescriptionChanged;
    const QString word = from->role() == QAccessible::Notification
                             ? QStringLiteral("announced")
                             : QString::fromLatin1(words.value(event->type(), "event"));
    g_events << QStringLiteral("%1 «%2»").arg(
        word, from->text(described ? QAccessible::Description : QAccessible::Name));
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
    for (const auto &[label, relation] : item->relations())
        text += QStringLiteral(" related to «%1»").arg(label->text(QAccessible::Name));
    return text;
}

void press(frmMain &form, Qt::Key key, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(form.focusWidget(), key, mods);
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

    frmMain &showRows(int rows)
    {
        m_harness->store->values.insert(QStringLiteral("Resolution Count"), QString::number(rows));
        m_harness->store->values.insert(QStringLiteral("Resolution 0 Width"), "1920");
        m_harness->store->values.insert(QStringLiteral("Resolution 0 Height"), "1080");
        frmMain &form = m_harness->show();
        g_events.clear();
        return form;
    }

    // The window, then its children in order as "index: role «name» states", then what was
    // heard.
    static QStringList transcript(frmMain &form)
    {
        QCoreApplication::sendPostedEvents(&form);
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

    static QAccessibleTextInterface *focusedText()
    {
        return QAccessible::queryAccessibleInterface(QApplication::focusWidget())->textInterface();
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

    void whatAScreenReaderMeets_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("read"); // in this order, among other lines
        QTest::addColumn<QStringList>("notRead");
        const Steps none = [](frmMain &) {};
        QTest::newRow("one row, fields named by role and row, labels before them")
            << 1 << none
            << QStringList{"window «Plenvor» «1 строка» frame",
                           "0: label «Ширина:»",
                           "1: text «Ширина исходного изображения» editable focused",
                           "2: label «Высота:»",
                           "3: text «Высота исходного изображения» editable",
                           "4: label «Целевые разрешения (пропорции):»",
                           "5: label «Ширина:»",
                           "6: text «Ширина экрана, строка 1» editable",
                           "7: label «Высота:»",
                           "8: text «Высота экрана, строка 1» editable",
                           "9: text «Нужная ширина изображения, строка 1» read-only",
                           "10: text «Нужная высота изображения, строка 1» read-only"}
            << QStringList{"11:", "==>", "not in the tree", "related to"};
        QTest::newRow("row commands announced, the focus kept")
            << 2 << Steps([](frmMain &form) {
                   press(form, Qt::Key_Plus, pad);
                   press(form, Qt::Key_Plus, pad);
                   press(form, Qt::Key_Minus, pad);
               })
            << QStringList{"1: text «Ширина исходного изображения» editable focused",
                           "announced «3 строки»", "announced «4 строки»", "announced «3 строки»"}
            << QStringList{"announced «2 строки»", "announced «5", "focus «"};
        QTest::newRow("twelve rows, one removed")
            << 12 << Steps([](frmMain &form) { press(form, Qt::Key_Minus, pad); })
            << QStringList{"window «Plenvor» «11 строк» frame", "announced «11 строк»"}
            << QStringList{};
        QTest::newRow("tabbed below the screen in 60 rows")
            << 60 << Steps([](frmMain &form) {
                   field(form, u"txtTargetWidth", 59).SetFocus();
                   press(form, Qt::Key_Tab);
               })
            << QStringList{"window «Plenvor» «60 строк» frame", "text «Ширина экрана, строка 30»",
                           "text «Нужная высота изображения, строка 60» read-only focused not "
                           "showing"}
            << QStringList{"строка 1»", "строка 59»", "Ширина исходного", "==>", "not in the tree"};
    }
    void whatAScreenReaderMeets()
    {
        QFETCH(int, rows);
        QFETCH(Steps, steps);
        QFETCH(QStringList, read);
        QFETCH(QStringList, notRead);
        frmMain &form = showRows(rows);
        steps(form);
        const QStringList transcript = this->transcript(form);
        auto expected = read.cbegin();
        for (const QString &line : transcript) {
            if (expected != read.cend() &&
                (line.startsWith(*expected) || line.section(": ", 1).startsWith(*expected)))
                ++expected;
        }
        if (expected != read.cend())
            QFAIL(qPrintable(*expected + "\n  not in order in:\n" + transcript.join('\n')));
        for (const QString &unexpected : notRead)
            QVERIFY2(transcript.filter(unexpected).isEmpty(),
                     qPrintable(unexpected + "\n  in:\n" + transcript.join('\n')));
    }

    // Each event costs a screen reader time, and one out of turn is read out of turn: a Tab is
    // one focus event, which brings the field's text and selection with it.
    void whatIsHeard_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<Steps>("before");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("heard");
        const Steps none = [](frmMain &) {};
        const auto tab = [](frmMain &form) { press(form, Qt::Key_Tab); };
        QTest::newRow("Tab where the screen shows every field")
            << 2 << none << Steps(tab) << QStringList{"focus «Высота исходного изображения»"};
        QTest::newRow("Tab into a row below the screen")
            << 60 << Steps([](frmMain &form) { field(form, u"txtTargetHeight", 55).SetFocus(); })
            << Steps(tab) << QStringList{"focus «Ширина экрана, строка 57»"};
        QTest::newRow("Tab on along that row")
            << 60 << Steps([](frmMain &form) { field(form, u"txtResolutionWidth", 56).SetFocus(); })
            << Steps(tab) << QStringList{"focus «Высота экрана, строка 57»"};
        QTest::newRow("Shift+Tab from the first field to the last")
            << 60 << none << Steps([](frmMain &form) { press(form, Qt::Key_Backtab); })
            << QStringList{"focus «Нужная высота изображения, строка 60»"};
        QTest::newRow("typing a source size: the field typed in, not the targets")
            << 2 << none << Steps([](frmMain &form) { QTest::keyClicks(form.focusWidget(), "16"); })
            << QStringList{
                   "text «Ширина исходного изображения»", "caret «Ширина исходного изображения»",
                   "text «Ширина исходного изображения»", "caret «Ширина исходного изображения»"};
        QTest::newRow("selecting by the user")
            << 2 << Steps([](frmMain &form) { field(form, u"txtResolutionWidth", 0).SetFocus(); })
            << Steps([](frmMain &form) { press(form, Qt::Key_Left, Qt::ShiftModifier); })
            << QStringList{"selection «Ширина экрана, строка 1»"};
        QTest::newRow("a row command")
            << 2 << none << Steps([](frmMain &form) { press(form, Qt::Key_Plus, pad); })
            << QStringList{"description «3 строки»", "announced «3 строки»"};
    }
    void whatIsHeard()
    {
        QFETCH(int, rows);
        QFETCH(Steps, before);
        QFETCH(Steps, steps);
        QFETCH(QStringList, heard);
        frmMain &form = showRows(rows);
        before(form);
        QCoreApplication::sendPostedEvents(&form);
        g_events.clear();
        steps(form);
        QCOMPARE(g_events, heard);
    }

    // A screen reader builds what it says of a field from its text, its attribute runs and its
    // selection.
    void aFieldsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<Run>("run");
        QTest::newRow("the first character") << "1920" << 0 << Run(0, 4);
        QTest::newRow("the last character") << "1920" << 3 << Run(0, 4);
        QTest::newRow("the end") << "1920" << 4 << Run(0, 4);
        QTest::newRow("past the end") << "1920" << 5 << Run(-1, -1);
        QTest::newRow("before the start") << "1920" << -1 << Run(-1, -1);
        QTest::newRow("an empty field") << "" << 0 << Run(0, 0);
    }
    void aFieldsText()
    {
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(Run, run);
        frmMain &form = showRows(2);
        field(form, u"txtResolutionHeight", 1).setText(text);
        field(form, u"txtResolutionHeight", 1).SetFocus(Qt::TabFocusReason);
        QAccessibleTextInterface *field = focusedText();
        QCOMPARE(field->text(0, field->characterCount()), text);
        int start = -2;
        int end = -2;
        QCOMPARE(field->attributes(offset, &start, &end), QString());
        QCOMPARE(Run(start, end), run);
        // Entering a field selects its whole text.
        field->selection(0, &start, &end);
        QCOMPARE(Run(start, end), Run(0, int(text.size())));
        QCOMPARE(field->selectionCount(), text.isEmpty() ? 0 : 1);
        QCOMPARE(field->textAtOffset(0, QAccessible::LineBoundary, &start, &end), text);
    }

    // What an assistive tool may ask of a field holding "1920" or do to it: its answer, then
    // the field's text and selection.
    void whatAToolDoesWithAField_data()
    {
        QTest::addColumn<bool>("target");
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("reads a part, finds no box past the end")
            << false << Act([](QAccessibleInterface &f) {
                   return f.textInterface()->text(1, 3) +
                          (f.textInterface()->characterRect(4).isEmpty() ? " end" : " box");
               })
            << "92 end 1920 [0, 4)";
        QTest::newRow("selects a part") << false << Act([](QAccessibleInterface &f) {
            f.textInterface()->setSelection(0, 1, 3);
            return QString();
        }) << " 1920 [1, 3)";
        QTest::newRow("inserts, deletes, replaces") << false << Act([](QAccessibleInterface &f) {
            f.editableTextInterface()->insertText(4, "0");
            f.editableTextInterface()->deleteText(0, 1);
            f.editableTextInterface()->replaceText(1, 3, "28");
            return QString();
        }) << " 9280 [4, 4)";
        QTest::newRow("cannot edit a target") << true << Act([](QAccessibleInterface &f) {
            return QString(f.editableTextInterface() ? "editable" : "read only");
        }) << "read only 1920 [0, 4)";
    }
    void whatAToolDoesWithAField()
    {
        QFETCH(bool, target);
        QFETCH(Act, act);
        QFETCH(QString, outcome);
        frmMain &form = showRows(1);
        TextBox &control =
            target ? field(form, u"txtTargetWidth", 0) : field(form, u"txtResolutionWidth", 0);
        control.setText("1920");
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
        frmMain &form = showRows(60);
        field(form, u"txtTargetHeight", 55).SetFocus();
        press(form, Qt::Key_Tab);
        QWidget *widget = QApplication::focusWidget();
        const QAccessible::Id first =
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(widget));
        for (int i = 0; i < 8; ++i)
            press(form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), widget); // the same widget, lent again
        QVERIFY(!QAccessible::accessibleInterface(first));
        QAccessibleInterface *now = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(QAccessible::uniqueId(now) != first);
        QCOMPARE(now->text(QAccessible::Name), QStringLiteral("Ширина экрана, строка 59"));
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
