#include "desktop/readme_window.h"

#include "controls/accessibility.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace plenvor {

namespace {

// Esc closes the window whenever a key reaches it, also before the window manager has made it
// the active window, which a window shortcut waits for.
class ClosedByEscape final : public QObject
{
public:
    explicit ClosedByEscape(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            static_cast<QWidget *>(watched)->close();
            return true;
        }
        return false;
    }
};

} // namespace

void openReadMe(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto *opener = new QProcess(qApp);
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, path](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) { // no opener at all
                             showReadMeWindow(path);
                             opener->deleteLater();
                         }
                     });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, path](int code, QProcess::ExitStatus how) {
                         if (how != QProcess::NormalExit || code != 0)
                             showReadMeWindow(path);
                         opener->deleteLater();
                     });
    // The opener's own chatter is no business of the user's here.
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->start(QStringLiteral("xdg-open"), {path});
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        showReadMeWindow(path);
#endif
}

void showReadMeWindow(const QString &path)
{
    static QPointer<QWidget> window;
    // The window F1 was pressed in; the opener may answer after the main window lost the focus.
    QWidget *main = QApplication::activeWindow();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!main && top->isVisible() && top != window)
            main = top;
    }
    if (!window) {
        installAccessibility();
        window = new QWidget(nullptr, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        // The program ends with its main window, whether or not the read-me is open.
        window->setAttribute(Qt::WA_QuitOnClose, false);
        window->setWindowTitle(QStringLiteral("Справка — Plenvor"));
        window->setWindowIcon(QApplication::windowIcon());
        auto *text = new QPlainTextEdit(window);
        text->setReadOnly(true);
        // The read-me lines its tables up in columns.
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            text->setPlainText(QString::fromUtf8(file.readAll()));
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(text);
        new ClosedByEscape(*window);
        if (main)
            window->setFont(main->font());
        // As wide as its longest line, beside the frame, the margins and a scroll bar, so that no
        // line is cut; a character's advance alone rounds, and 80 of them come out short.
        const QFontMetrics metrics(text->font());
        int longest = 0;
        for (const QString &line : text->toPlainText().split(u'\n'))
            longest = std::max(longest, metrics.horizontalAdvance(line));
        const int chrome = 2 * (text->frameWidth() + int(text->document()->documentMargin())) +
                           text->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QSize size(longest + chrome + metrics.averageCharWidth(), metrics.height() * 32);
        // On the main window's screen, in the middle of the part of it windows may use.
        if (QScreen *screen = main ? main->screen() : nullptr) {
            const QRect area = screen->availableGeometry();
            size = size.boundedTo(area.size() * 9 / 10);
            window->setScreen(screen);
            window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
        }
        window->resize(size);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace plenvor
