#include "fakes/harness.h"
#include "platform/number_conversion.h"
#include "validation/validation.h"
#include "window/size_math.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QTest>

#include <random>

using namespace plenvor;

// Ten thousand random keys into the window, as a restless user would type them: digits,
// letters, separators, Tab, BackSpace, the row commands, pastes of long texts, F1 and Shift+F1.
// After every key the window must hold together: rows contiguous from 0 in all five arrays,
// each at its place, the window one pitch taller per row about the same centre, and every
// target showing what the last change of its source computed for the rows of that moment
// (rows added since stay empty).
class tst_Monkey : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;
    frmMain *f = nullptr;
    // What each target column must show, row by row.
    QVector<QString> m_expectedHeights;
    QVector<QString> m_expectedWidths;

    qint32 rows() const { return f->txtResolutionWidth.Count(); }

    // The calculation as a user would do it by hand, for the rows as they stand now.
    QVector<QString> computed(bool heights) const
    {
        const NumberReader numbers;
        qint32 s = 0;
        const bool sourceConverts =
            !failed(numbers.toInt32((heights ? f->txtSourceWidth : f->txtSourceHeight)->Text(), s));
        QVector<QString> out;
        for (qint16 i = 0; i < rows(); ++i) {
            qint32 w = 0;
            qint32 h = 0;
            std::optional<qint32> value;
            if (sourceConverts && !failed(numbers.toInt32(f->txtResolutionWidth[i].Text(), w)) &&
                !failed(numbers.toInt32(f->txtResolutionHeight[i].Text(), h)))
                value = heights ? targetHeight(s, w, h) : targetWidth(s, w, h);
            out << (value ? QString::number(*value) : QString());
        }
        return out;
    }

    void followSource(TextBox *source, bool heights)
    {
        // Runs after the window's own handler: a valid source recomputes its whole column.
        QObject::connect(source, &QLineEdit::textChanged, this, [this, source, heights] {
            if (IsPositiveNumber(m_h->library, source->Text()))
                (heights ? m_expectedHeights : m_expectedWidths) = computed(heights);
        });
    }

    void verifyWindow(int step, float centre)
    {
        const QByteArray where = "after key " + QByteArray::number(step);
        const qint32 n = rows();
        QVERIFY2(n >= 1 && n <= 32768, where);
        QVERIFY2(f->txtResolutionWidth.LBound() == 0 && f->txtResolutionWidth.UBound() == n - 1, where);
        for (qint32 count : {f->txtResolutionHeight.Count(), f->lblArrow.Count(),
                             f->txtTargetWidth.Count(), f->txtTargetHeight.Count()})
            QVERIFY2(count == n, where);
        QVERIFY2(f->txtTargetHeight.UBound() == n - 1 && f->lblArrow.LBound() == 0, where);
        for (qint16 i = 1; i < n; ++i)
            QVERIFY2(f->txtTargetHeight[i].Top() == 780 + 420 * i && f->lblArrow[i].Visible(), where);
        QVERIFY2(f->ScaleHeight() == 1215.0f + 420.0f * float(n - 1), where);
        QVERIFY2(f->Top() + f->Height() / 2 == centre, where);
        // Rows come and go one at a time; new rows show no targets yet.
        m_expectedHeights.resize(n);
        m_expectedWidths.resize(n);
        for (qint16 i = 0; i < n; ++i) {
            QVERIFY2(f->txtTargetHeight[i].Text() == m_expectedHeights[i],
                     where + " row " + QByteArray::number(i) + " target height");
            QVERIFY2(f->txtTargetWidth[i].Text() == m_expectedWidths[i],
                     where + " row " + QByteArray::number(i) + " target width");
        }
        QVERIFY2(m_h->errors.statuses.isEmpty(), where);
    }

    QString randomText(std::mt19937 &random)
    {
        static const QString pieces[] = {
            QStringLiteral("1920"), QStringLiteral("1080"), QStringLiteral(" 7 "), QStringLiteral("0"),
            QStringLiteral("-3"), QStringLiteral("2.5"), QStringLiteral("abc"), QStringLiteral("Ширина"),
            QStringLiteral("\r\n"), QStringLiteral("99999999999"), QStringLiteral("\t")};
        QString text;
        const int n = std::uniform_int_distribution<int>(0, 6)(random);
        for (int i = 0; i < n; ++i)
            text += pieces[std::uniform_int_distribution<int>(0, std::size(pieces) - 1)(random)];
        if (std::uniform_int_distribution<int>(0, 9)(random) == 0)
            text += QString(std::uniform_int_distribution<int>(1000, 200000)(random), u'8');
        return text;
    }

private slots:
    void tenThousandRandomKeys()
    {
        m_h = std::make_unique<test::WindowHarness>();
        f = &m_h->show();
        followSource(f->txtSourceWidth, true);
        followSource(f->txtSourceHeight, false);
        const float centre = f->Top() + f->Height() / 2;

        unsigned seed = std::random_device{}();
        if (qEnvironmentVariableIsSet("PLENVOR_MONKEY_SEED"))
            seed = qEnvironmentVariableIntValue("PLENVOR_MONKEY_SEED");
        qInfo("keys from seed %u (PLENVOR_MONKEY_SEED repeats them)", seed);
        std::mt19937 random(seed);
        const Qt::KeyboardModifiers pad = Qt::ControlModifier | Qt::KeypadModifier;
        const QString typed = QStringLiteral("0123456789012345,.-+ xyzЖ");

        for (int step = 1; step <= 10000; ++step) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY2(focus, "the window lost the keyboard focus");
            const int kind = std::uniform_int_distribution<int>(0, 99)(random);
            if (kind < 45) {
                const QChar c = typed[std::uniform_int_distribution<int>(0, typed.size() - 1)(random)];
                if (c.unicode() < 128) {
                    QTest::keyClicks(focus, QString(c));
                } else {
                    // QTest types ASCII only; other letters come as the key event a layout gives.
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(focus, &press);
                }
            } else if (kind < 55) {
                QTest::keyClick(focus, Qt::Key_Backspace);
            } else if (kind < 67) {
                QTest::keyClick(focus, Qt::Key_Tab);
            } else if (kind < 72) {
                QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
            } else if (kind < 79) {
                QTest::keyClick(focus, Qt::Key_Plus, pad);
            } else if (kind < 86) {
                QTest::keyClick(focus, Qt::Key_Minus, pad);
            } else if (kind < 93) {
                QApplication::clipboard()->setText(randomText(random));
                QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            } else if (kind < 95) {
                QTest::keyClick(focus, Qt::Key_F1);
            } else if (kind < 97) {
                QTest::keyClick(focus, Qt::Key_F1, Qt::ShiftModifier);
            } else {
                QTest::keyClick(focus, Qt::Key_Plus);   // the main keyboard's plus: typed
            }
            if (step % 50 == 0)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            verifyWindow(step, centre);
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("ended with %d rows", rows());
    }
};

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
