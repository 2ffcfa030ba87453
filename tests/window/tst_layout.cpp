#include "fakes/harness.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QTest>

using namespace plenvor;

namespace {
QVector<QWidget *> fieldsOf(frmMain &f)
{
    return {f.txtSourceWidth,          f.txtSourceHeight,    &f.txtResolutionWidth[0],
            &f.txtResolutionHeight[0], &f.txtTargetWidth[0], &f.txtTargetHeight[0]};
}
} // namespace

class tst_Layout : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::WindowHarness> m_h;

private slots:
    void init()
    {
        m_h = std::make_unique<test::WindowHarness>();
        m_h->show();
    }
    void cleanup() { m_h.reset(); }

    void theWindowIsOneRowHighWithAFixedFrame()
    {
        frmMain &f = *m_h->form;
        QCOMPARE(f.Caption(), QStringLiteral("Plenvor"));
        QCOMPARE(f.ScaleWidth(), 7350.0f);
        QCOMPARE(f.ScaleHeight(), 1215.0f);
        QCOMPARE(f.size(), QSize(490, 81));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
        // 120 twips stay free below the last row's fields.
        QCOMPARE(f.ScaleHeight() -
                     (f.txtResolutionWidth[0].Top() + f.txtResolutionWidth[0].Height()),
                 120.0f);
    }

    void targetColumnsStandExactlyUnderTheSourceFields()
    {
        frmMain &f = *m_h->form;
        QCOMPARE(f.txtTargetWidth[0].Left(), f.txtSourceWidth->Left());
        QCOMPARE(f.txtTargetWidth[0].Width(), f.txtSourceWidth->Width());
        QCOMPARE(f.txtTargetHeight[0].Left(), f.txtSourceHeight->Left());
        QCOMPARE(f.txtTargetHeight[0].Width(), f.txtSourceHeight->Width());
        QCOMPARE(f.txtTargetWidth[0].x(), f.txtSourceWidth->x());
        QCOMPARE(f.txtTargetHeight[0].geometry().right(), f.txtSourceHeight->geometry().right());
    }

    void rowZeroSharesOneLineAndThePitchIs420()
    {
        frmMain &f = *m_h->form;
        for (TextBox *field : {&f.txtResolutionWidth[0], &f.txtResolutionHeight[0],
                               &f.txtTargetWidth[0], &f.txtTargetHeight[0]}) {
            QCOMPARE(field->Top(), 780);
            QCOMPARE(field->Height(), 315);
        }
        QCOMPARE(f.txtResolutionWidth[0].Height() + 105, 420);
        const Label &arrow = f.lblArrow[0];
        QVERIFY(arrow.Top() > 780 && arrow.Top() + arrow.Height() < 780 + 315);
        QCOMPARE(arrow.Caption(), QStringLiteral("==>"));
    }

    void coloursAndReadOnlyStateFollowTheKindOfField()
    {
        frmMain &f = *m_h->form;
        for (TextBox *editable : {f.txtSourceWidth, f.txtSourceHeight, &f.txtResolutionWidth[0],
                                  &f.txtResolutionHeight[0]}) {
            QCOMPARE(editable->ForeColor(), ole::kWindowText);
            QCOMPARE(editable->BackColor(), ole::kWindow);
            QVERIFY(!editable->Locked());
        }
        for (TextBox *target : {&f.txtTargetWidth[0], &f.txtTargetHeight[0]}) {
            QCOMPARE(target->ForeColor(), ole::kWindowText);
            QCOMPARE(target->BackColor(), ole::kButtonFace);
            QCOMPARE(target->palette().color(QPalette::Base), f.palette().color(QPalette::Window));
            QVERIFY(target->Locked());
        }
        for (qint16 i = 0; i <= 4; ++i) {
            QCOMPARE(f.lblTag[i].ForeColor(), ole::kButtonText);
            QCOMPARE(f.lblTag[i].focusPolicy(), Qt::NoFocus);
        }
    }

    void labelsReadInRussianAndAreNeverCut()
    {
        frmMain &f = *m_h->form;
        QCOMPARE(f.lblTag[0].Caption(), QStringLiteral("Ширина:"));
        QCOMPARE(f.lblTag[1].Caption(), QStringLiteral("Высота:"));
        QCOMPARE(f.lblTag[2].Caption(), f.lblTag[0].Caption());
        QCOMPARE(f.lblTag[3].Caption(), f.lblTag[1].Caption());
        QCOMPARE(f.lblTag[4].Caption(), QStringLiteral("Целевые разрешения (пропорции):"));
        for (qint16 i = 0; i <= 4; ++i)
            QVERIFY(f.lblTag[i].width() >= f.lblTag[i].sizeHint().width());
    }

    void theWindowFontIsTahomaNinePoints()
    {
        const QFont font = m_h->form->font();
        QCOMPARE(font.pixelSize(), 12); // 9 points at 96 dpi
        QCOMPARE(font.weight(), QFont::Normal);
        if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
            QSKIP("no Tahoma and no stand-in on this machine");
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    }

    void focusStartsInTheSourceWidthAndTabWalksTheFieldsInACycle()
    {
        frmMain &f = *m_h->form;
        const QVector<QWidget *> order = fieldsOf(f);
        QCOMPARE(QApplication::focusWidget(), f.txtSourceWidth);
        for (int step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[step % order.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), order.last());
    }

    void typingIntoATargetChangesNothingButItsTextCanBeCopied()
    {
        TextBox &target = m_h->form->txtTargetHeight[0];
        target.setText(QStringLiteral("900"));
        target.setFocus();
        QTest::keyClicks(&target, QStringLiteral("12"));
        QTest::keyClick(&target, Qt::Key_Backspace);
        QCOMPARE(target.Text(), QStringLiteral("900"));
        target.selectAll();
        target.copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("900"));
    }

    void everyFieldStartsEmptyAndEveryFieldHasAnAccessibleName()
    {
        QSet<QString> names;
        for (QWidget *w : fieldsOf(*m_h->form)) {
            QCOMPARE(static_cast<TextBox *>(w)->Text(), QString());
            QVERIFY(!w->accessibleName().isEmpty());
            names << w->accessibleName();
        }
        QCOMPARE(names.size(), 6);
    }
};

QTEST_MAIN(tst_Layout)
#include "tst_layout.moc"
