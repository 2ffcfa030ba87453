#include "fakes/harness.h"
#include "runtime/twips.h"
#include "window/layout.h"

#include <QClipboard>
#include <QScreen>
#include <QTest>

using namespace plenvor;
using test::field;
using test::label;

// The form gives widgets only to the controls a screen shows and to the focused field; what
// the program reads and writes, and what the screen shows, are the same as with a widget for
// every control.
class tst_Views : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_harness;
    frmMain *m_form = nullptr;

    // Every control of the form, named "name index".
    QVector<QPair<QString, const Control *>> controls() const
    {
        QVector<QPair<QString, const Control *>> all;
        for (const char16_t *name : {u"txtSourceWidth", u"txtSourceHeight"})
            all.append({QString::fromUtf16(name), &field(*m_form, name)});
        for (const layout::ControlSpec &spec : layout::kControls)
            if (spec.role == layout::Role::Tag)
                all.append({"lblTag " + QString::number(spec.index),
                            &label(*m_form, u"lblTag", spec.index)});
        for (const char16_t *name : {u"txtResolutionWidth", u"txtResolutionHeight", u"lblArrow",
                                     u"txtTargetWidth", u"txtTargetHeight"})
            for (int i = 0; i < m_harness->rows(); ++i)
                all.append({QString::fromUtf16(name) + " " + QString::number(i),
                            &m_form->control<Control>(name, qint16(i))});
        return all;
    }
    // The controls whose widgets are not as the screen needs them: each control the screen
    // shows has one where the form puts it, and no other has one, bar the focused field.
    QStringList misplaced() const
    {
        QCoreApplication::sendPostedEvents(m_form);
        const QRect window = m_form->geometry();
        const QRect seen =
            (window & QGuiApplication::primaryScreen()->geometry()).translated(-window.topLeft());
        QStringList out;
        for (const auto &[name, control] : controls()) {
            const qint64 top = twipsToPixels(control->Top()) - m_form->viewOffset();
            const bool shown = control->Visible() && top <= seen.bottom() &&
                               top + twipsToPixels(control->Height()) > seen.top();
            if (shown ? !m_harness->inPlace(*control)
                      : control->view() && control != test::WindowHarness::focusedField())
                out << name;
        }
        return out;
    }

private slots:
    void init()
    {
        m_harness = std::make_unique<test::WindowHarness>();
        m_form = &m_harness->show();
        QStringList rows;
        for (int i = 0; i < 200; ++i)
            rows << QString::number(1000 + i) << QString::number(700 + i * 3);
        m_harness->setRows(rows);
        field(*m_form, u"txtSourceWidth").setText(QStringLiteral("1600"));
        QCoreApplication::sendPostedEvents(m_form);
    }
    void cleanup() { m_harness.reset(); }

    // Away from the screen, as the focus goes to the last row, and back, a field's widget shows
    // its properties, and the text, selection and caret made in the widget are the control's.
    QWidget *awayAndBack(const Control &control)
    {
        field(*m_form, u"txtResolutionWidth", 199).SetFocus();
        if (m_harness->widgetOf(control))
            return nullptr;
        field(*m_form, u"txtSourceHeight").SetFocus();
        return m_harness->widgetOf(control);
    }
    void propertiesDoNotDependOnTheWidget()
    {
        TextBox &target = field(*m_form, u"txtTargetHeight", 3);
        target.setForeColor(ole::kRed);
        target.setBackColor(0x00FF0000);
        target.setLocked(false);
        target.setText(QStringLiteral("12345"));
        m_harness->library.asHighlightText(target.hWnd());
        auto *shown = qobject_cast<FieldWidget *>(awayAndBack(target));
        QVERIFY(shown && shown->isVisible() && !shown->isReadOnly());
        QCOMPARE(QPair(shown->text(), shown->selectedText()), QPair(target.Text(), target.Text()));
        QCOMPARE(
            QPair(shown->palette().color(QPalette::Text), shown->palette().color(QPalette::Base)),
            QPair(QColor(255, 0, 0), QColor(0, 0, 255)));
        shown->setText(QString(40000, u'9')); // longer than a line edit takes by default
        QCOMPARE(target.Text().size(), 40000);
        shown->setText(QStringLiteral("typed"));
        shown->setSelection(1, 2);
        QCOMPARE(awayAndBack(target) ? target.widget()->selectedText() : "", "yp");
        target.widget()->setSelection(3, -2); // made right to left, and kept so
        QVERIFY(awayAndBack(target));
        QTest::keyClick(target.widget(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(target.widget()->selectedText(), QStringLiteral("typ"));
        target.widget()->setCursorPosition(2); // a caret kept without a selection
        QCOMPARE(awayAndBack(target) ? target.widget()->cursorPosition() : -1, 2);
        target.setVisible(false); // shows nothing at once, and then gives its widget back
        QVERIFY(!target.widget()->isVisible() && !m_harness->widgetOf(target));
    }

    // A one-line field never holds a line break: what arrives with one, set by the program or
    // pasted at the caret, keeps what stands before the first; the field's own text stays.
    void aLineBreakEndsWhatArrives_data()
    {
        QTest::addColumn<bool>("pasted");   // at the caret of "12|34", or set as the whole text
        QTest::addColumn<QString>("text");  // what arrives
        QTest::addColumn<QString>("field"); // the field afterwards, "|" where the caret stands
        QTest::newRow("LF set") << false << "2560\n" << QStringLiteral("2560|");
        QTest::newRow("CRLF set") << false << "1600\r\n1080" << QStringLiteral("1600|");
        QTest::newRow("a break first, set") << false << "\n1920" << QStringLiteral("|");
        QTest::newRow("LF pasted") << true << "5\n6" << QStringLiteral("125|34");
        QTest::newRow("CR pasted") << true << "5\r6" << QStringLiteral("125|34");
        QTest::newRow("a break first, pasted") << true << "\n5" << QStringLiteral("12|34");
    }
    void aLineBreakEndsWhatArrives()
    {
        QFETCH(bool, pasted);
        QFETCH(QString, text);
        QFETCH(QString, field);
        TextBox &control = m_harness->field(u"txtResolutionWidth", 0);
        control.SetFocus();
        if (pasted) {
            control.setText(QStringLiteral("1234"));
            control.widget()->setCursorPosition(2);
            QApplication::clipboard()->setText(text);
            QTest::keyClick(control.widget(), Qt::Key_V, Qt::ControlModifier);
        } else {
            control.setText(text);
        }
        const int caret = control.widget()->cursorPosition();
        QCOMPARE(control.Text().left(caret) + "|" + control.Text().mid(caret), field);
        QCOMPARE(control.widget()->text(), control.Text());
    }

    // A field's widget draws as a plain line edit does, at device pixel ratios 1 and 2 (its
    // frame is drawn once a size and ratio and then copied, its antialiased corners a shade
    // apart at 2); fields and labels follow a change of the desktop's palette.
    void widgetsLookLikeQtsOwnAndFollowThePalette()
    {
        m_form->setTop(0.f);
        QWidget *shown = m_harness->widgetOf(field(*m_form, u"txtResolutionWidth", 0));
        QLineEdit plain(field(*m_form, u"txtResolutionWidth", 0).Text());
        plain.setFont(shown->font());
        plain.setPalette(shown->palette());
        plain.resize(shown->size());
        for (const qreal ratio : {1.0, 2.0}) {
            const auto drawn = [ratio](QWidget &widget) {
                QPixmap pixmap(widget.size() * ratio);
                pixmap.setDevicePixelRatio(ratio);
                widget.render(&pixmap);
                return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
            };
            const QImage a = drawn(*shown), b = drawn(plain);
            for (int i = 0; i < a.width() * a.height(); ++i)
                QVERIFY(qAbs(qGray(a.pixel(i % a.width(), i / a.width())) -
                             qGray(b.pixel(i % a.width(), i / a.width()))) <= 64);
        }
        const QPalette original = QApplication::palette();
        QPalette palette = original;
        palette.setColor(QPalette::Window, Qt::green);   // a target field's background
        palette.setColor(QPalette::ButtonText, Qt::red); // a label's text
        palette.setColor(QPalette::Text, Qt::blue);      // a field's text
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();
        const auto colour = [this](const Control &control, QPalette::ColorRole role) {
            return m_harness->widgetOf(control)->palette().color(role);
        };
        const QColor target = colour(field(*m_form, u"txtTargetWidth"), QPalette::Base);
        const QColor label = colour(test::label(*m_form, u"lblArrow"), QPalette::WindowText);
        const QColor text = colour(field(*m_form, u"txtResolutionWidth"), QPalette::Text);
        QApplication::setPalette(original);
        QCOMPARE(QPair(target, label), QPair(QColor(Qt::green), QColor(Qt::red)));
        QCOMPARE(text, QColor(Qt::blue));
    }

    // Tab walks the program's order through rows that have no widget, and the widgets taken
    // for them go back at once.
    void tabWalksEveryFieldOfA200RowWindow()
    {
        QVector<TextBox *> order{&field(*m_form, u"txtSourceWidth"),
                                 &field(*m_form, u"txtSourceHeight")};
        for (int i = 0; i < 200; ++i)
            order << &field(*m_form, u"txtResolutionWidth", i)
                  << &field(*m_form, u"txtResolutionHeight", i)
                  << &field(*m_form, u"txtTargetWidth", i)
                  << &field(*m_form, u"txtTargetHeight", i);
        order.first()->SetFocus();
        const qsizetype widgets = m_form->findChildren<QLineEdit *>().size();
        for (qsizetype step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(test::WindowHarness::focusedField(), order[step % order.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(test::WindowHarness::focusedField(), order.last());
        order.last()->setVisible(false);               // hidden fields are passed over
        QVERIFY(!test::WindowHarness::focusedField()); // the focus does not move on its own
        for (qsizetype step = order.size() - 2; step >= order.size() - 8; --step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(test::WindowHarness::focusedField(), order[step]);
        }
        // Rows stand where the headings stood at the start, a row partly on the screen at each
        // end, and the hidden field keeps its widget: no more than two rows' widgets and one.
        QVERIFY(m_form->findChildren<QLineEdit *>().size() <= widgets + 9);
    }

    // Wherever the window stands, put there by the program or dragged by the user, the
    // controls a screen shows have their widgets in place; the focused field off the screen
    // keeps its widget and its caret.
    void theScreenShowsEveryControlInItsPlace_data()
    {
        QTest::addColumn<float>("top");
        QTest::addColumn<int>("lastLineRow"); // the row whose top is on the screen's last line
        QTest::addColumn<int>("dragged");     // pixels up, by the user
        QTest::newRow("the top rows") << 0.f << -1 << 0;
        QTest::newRow("a few rows down") << -4000.f << -1 << 0;
        QTest::newRow("the middle rows") << -40000.f << -1 << 0;
        QTest::newRow("the window's top on the screen") << 4500.f << -1 << 0;
        QTest::newRow("a row's top on the last line") << 0.f << 120 << 0;
        QTest::newRow("dragged up") << -40000.f << -1 << 700;
    }
    void theScreenShowsEveryControlInItsPlace()
    {
        QFETCH(float, top);
        QFETCH(int, lastLineRow);
        QFETCH(int, dragged);
        const int frame = m_form->geometry().top() - m_form->frameGeometry().top();
        if (lastLineRow >= 0) {
            const int below =
                twipsToPixels(field(*m_form, u"txtResolutionWidth", qint16(lastLineRow)).Top());
            top = float(pixelsToTwips(QGuiApplication::primaryScreen()->geometry().bottom() -
                                      frame - below));
        }
        m_form->setTop(top);
        TextBox &focused = field(*m_form, u"txtTargetWidth", 150);
        focused.SetFocus();
        QTest::keyClick(focused.widget(), Qt::Key_End);
        if (dragged) {
            m_form->move(m_form->x(), m_form->y() - dragged);
            // The form follows once the window system reports the window where the user put
            // it (within the offscreen platform's own frame of 2 pixels).
            const float to = top - float(pixelsToTwips(dragged));
            QTRY_VERIFY2(qAbs(m_form->Top() - to) <= float(pixelsToTwips(2)),
                         "the form did not follow the drag");
        }
        QCOMPARE(misplaced(), QStringList());
        QVERIFY(m_form->focusWidget() == focused.widget() && m_harness->inPlace(focused));
        QCOMPARE(QPair(focused.widget()->cursorPosition(), focused.widget()->selectedText()),
                 QPair(int(focused.Text().size()), QString()));
    }
};

QTEST_MAIN(tst_Views)
#include "tst_views.moc"
