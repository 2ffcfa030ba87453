#include "desktop/translations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

namespace plenvor {

namespace {

class FirstPaintWatcher : public QObject
{
public:
    explicit FirstPaintWatcher(QWidget &window) : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &loadRussianQtTexts);
            deleteLater();
        }
        return false;
    }

private:
    static void loadRussianQtTexts()
    {
        auto *translator = new QTranslator(qApp);
        if (translator->load(QStringLiteral("qtbase_ru"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
};

} // namespace

void loadRussianQtTextsAfterFirstPaint(QWidget &window)
{
    new FirstPaintWatcher(window);
}

} // namespace plenvor
