#include "platform/translations.h"

#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace plenvor;

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void qtsOwnTextsTurnRussianAfterTheFirstPaint()
    {
        const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ru.qm";
        if (!QFile::exists(file))
            QSKIP("Qt's Russian translation is not installed (qt6-translations-l10n)");
        QWidget window;
        auto *field = new QLineEdit(&window);
        loadRussianQtTextsAfterFirstPaint(window);
        QCoreApplication::processEvents();
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Copy"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(QCoreApplication::translate("QLineEdit", "&Copy") != QStringLiteral("&Copy"));
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        bool cyrillic = false;
        for (const QAction *action : menu->actions())
            for (const QChar c : action->text())
                cyrillic |= c.script() == QChar::Script_Cyrillic;
        QVERIFY(cyrillic);
    }
};

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
