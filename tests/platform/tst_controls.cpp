#include "fakes/run_tests.h"
#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/handles.h"

#include <QPointer>
#include <QTest>

using namespace plenvor;

class tst_Controls : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    TextBox *m_field = nullptr;

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_field = new TextBox(m_window.get());
        m_field->Move(120, 780, 1575, 315);
    }
    void cleanup() { m_window.reset(); }

    void colourReadsBackAsWrittenAndPaints_data()
    {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<QColor>("painted");
        const QPalette system = QApplication::palette(m_field);
        QTest::newRow("window text") << quint32(ole::kWindowText) << system.color(QPalette::Text);
        QTest::newRow("pure red") << quint32(ole::kRed) << QColor(255, 0, 0);
        QTest::newRow("blue is the high byte") << quint32(0x00FF0000) << QColor(0, 0, 255);
        QTest::newRow("button face") << quint32(ole::kButtonFace) << system.color(QPalette::Window);
    }
    void colourReadsBackAsWrittenAndPaints()
    {
        QFETCH(quint32, colour);
        QFETCH(QColor, painted);
        m_field->setForeColor(colour);
        QCOMPARE(m_field->ForeColor(), colour);
        QCOMPARE(m_field->palette().color(QPalette::Text), painted);
    }

    void fieldsOfTheSameColoursShareOnePalette()
    {
        auto *other = new TextBox(m_window.get());
        for (TextBox *field : {m_field, other}) {
            field->setForeColor(ole::kRed);
            field->setBackColor(ole::kButtonFace);
        }
        QCOMPARE(m_field->palette().cacheKey() >> 32, other->palette().cacheKey() >> 32);
        m_field->setForeColor(ole::kWindowText);
        m_field->setBackColor(ole::kWindow);
        QVERIFY(!m_field->testAttribute(Qt::WA_SetPalette)); // back to the desktop's own
    }

    void geometryKeepsTwipsAndShowsPixels()
    {
        m_field->setHeight(316);
        QCOMPARE(m_field->Height(), 316); // not rounded through pixels
        QCOMPARE(m_field->geometry(), QRect(8, 52, 105, 21));
        m_field->setTop(1207);
        QCOMPARE(m_field->Top(), 1207);
        QCOMPARE(m_field->y(), 80);
    }

    void labelsGrowRatherThanCutTheirText()
    {
        auto *label = new Label(m_window.get());
        label->setCaption(QStringLiteral("Целевые разрешения (пропорции): и ещё длинный хвост"));
        label->Move(180, 120, 300, 30);
        QCOMPARE(label->Width(), 300);
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->height() >= label->sizeHint().height());
        label->setCaption(QStringLiteral("a"));
        QCOMPARE(label->size(), QSize(20, 2).expandedTo(label->sizeHint()));
    }

    void handlesFindTheirFieldUntilItIsGone()
    {
        auto *other = new TextBox(m_window.get());
        QVERIFY(m_field->hWnd() != 0);
        QVERIFY(m_field->hWnd() != other->hWnd());
        QCOMPARE(objectFromHandle(m_field->hWnd()), m_field);
        const Hwnd stale = other->hWnd();
        delete other;
        QCOMPARE(objectFromHandle(stale), nullptr);
        QCOMPARE(objectFromHandle(0), nullptr);
    }

    void getFocusNamesTheFocusedField()
    {
        auto *other = new TextBox(m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        other->setFocus();
        QCOMPARE(GetFocus(), other->hWnd());
        m_field->setFocus();
        QCOMPARE(GetFocus(), m_field->hWnd());
    }

    void gotFocusFiresForFocusNotForReturningFromAMenu()
    {
        auto *other = new TextBox(m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        other->setFocus();
        int got = 0;
        m_field->setGotFocusHandler([&] { ++got; });
        m_field->setFocus(Qt::TabFocusReason);
        QCOMPARE(got, 1);
        QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(m_field, &out);
        QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
        QApplication::sendEvent(m_field, &back);
        QCOMPARE(got, 1);
    }

    void ctrlWithAKeyTypesNothingButShortcutsWork_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<QString>("text");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("ctrl+keypad plus")
            << int(Qt::Key_Plus) << (ctrl | Qt::KeypadModifier) << "12";
        QTest::newRow("ctrl+keypad minus")
            << int(Qt::Key_Minus) << (ctrl | Qt::KeypadModifier) << "12";
        QTest::newRow("ctrl+digit") << int(Qt::Key_5) << ctrl << "12";
        QTest::newRow("keypad plus alone types")
            << int(Qt::Key_Plus) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "12+";
        QTest::newRow("ctrl+backspace still edits") << int(Qt::Key_Backspace) << ctrl << "";
    }
    void ctrlWithAKeyTypesNothingButShortcutsWork()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(QString, text);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_field->setFocus();
        m_field->setText(QStringLiteral("12"));
        QTest::keyClick(m_field, Qt::Key(key), mods);
        QCOMPARE(m_field->Text(), text);
        QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m_field->selectedText(), text);
    }
};

class tst_ControlArray : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<ControlArray<TextBox>> m_array;

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_array = std::make_unique<ControlArray<TextBox>>(m_window.get());
        auto *first = new TextBox(m_window.get());
        first->Move(120, 780, 1575, 315);
        first->setText(QStringLiteral("1920"));
        first->setForeColor(ole::kRed);
        first->setBackColor(ole::kButtonFace);
        first->setLocked(true);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(17);
        first->setFont(font);
        m_array->adopt(0, first);
    }
    void cleanup()
    {
        m_array.reset();
        m_window.reset();
    }

    void newElementIsAHiddenCopyOfTheLowest()
    {
        m_array->Load(1);
        const TextBox &copy = (*m_array)[1];
        QVERIFY(copy.isHidden());
        QCOMPARE(copy.Text(), QStringLiteral("1920"));
        QCOMPARE(copy.ForeColor(), ole::kRed);
        QCOMPARE(copy.BackColor(), ole::kButtonFace);
        QVERIFY(copy.Locked());
        QCOMPARE(copy.font().pixelSize(), 17);
        QCOMPARE(QRect(copy.Left(), copy.Top(), copy.Width(), copy.Height()),
                 QRect(120, 780, 1575, 315));
        QCOMPARE(copy.parentWidget(), m_window.get());
    }

    void misuseRaisesRunTimeErrors_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<Status>("expected");
        QTest::newRow("loading an existing element") << 0 << status::kAlreadyLoaded;
        QTest::newRow("unloading a design-time element") << 1 << status::kCannotUnloadDesignTime;
        QTest::newRow("unloading a missing element") << 2 << status::kNoSuchElement;
        QTest::newRow("reading a missing element") << 3 << status::kNoSuchElement;
    }
    void misuseRaisesRunTimeErrors()
    {
        QFETCH(int, action);
        QFETCH(Status, expected);
        try {
            switch (action) {
            case 0:
                m_array->Load(0);
                break;
            case 1:
                m_array->Unload(0);
                break;
            case 2:
                m_array->Unload(3);
                break;
            default:
                (*m_array)[3].Text();
                break;
            }
            QFAIL("no run-time error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.status(), expected);
        }
    }

    void unloadingTheFocusedElementMovesFocusBelowAndDefersDeletion()
    {
        m_array->Load(1);
        m_array->Load(2);
        for (qint16 i = 1; i <= 2; ++i)
            (*m_array)[i].show();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QPointer<TextBox> last = &(*m_array)[2];
        last->setFocus();
        m_array->Unload(2);
        QVERIFY(last); // still there for the rest of the event that removed it
        QVERIFY(last->isHidden());
        QVERIFY((*m_array)[1].hasFocus());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!last);
    }

    void unloadedElementNoLongerDeliversEvents()
    {
        int changes = 0;
        m_array->setEventBinder(
            [&](TextBox &box, qint16) { box.setChangeHandler([&] { ++changes; }); });
        m_array->Load(1);
        TextBox &gone = (*m_array)[1];
        m_array->Unload(1);
        gone.setText(QStringLiteral("x"));
        QCOMPARE(changes, 0);
    }
};

int main(int argc, char *argv[])
{
    return plenvor::test::runTests<tst_Controls, tst_ControlArray>(argc, argv);
}
#include "tst_controls.moc"
