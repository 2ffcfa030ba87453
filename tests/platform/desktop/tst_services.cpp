#include "desktop/fonts.h"
#include "desktop/icons.h"
#include "desktop/qt_error_report.h"
#include "desktop/session_address.h"
#include "desktop/termination_signals.h"
#include "desktop/translations.h"
#include "desktop/window_system.h"
#include "fakes/harness.h"
#include "settings/keys.h"
#include "shell/application.h"

#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace plenvor;

namespace {

// Run as a child by the tests that end the process: PLENVOR_CHILD names what it does.
void runChild(int argc, char **argv)
{
    const QByteArray what = qgetenv("PLENVOR_CHILD");
    if (what == "report") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QTimer::singleShot(0, [] {
            QWidget *box = QApplication::activeModalWidget();
            std::fprintf(stderr, "plenvor: shown «%s»\n", qPrintable(box->windowTitle()));
            box->close();
        });
        QtErrorReport(QStringLiteral("Plenvor")).reportAndExit(status::kTypeMismatch);
    }
    if (what == "start")
        std::exit(runPlenvor(argc, argv));
    // A platform plugin says its last words about the display, on the GUI thread or one of its
    // own, and ends the process itself unless the program has ended it first.
    std::exit(runPlenvor(argc, argv, [what](frmMain &form) {
        test::field(form, u"txtResolutionWidth").setText(QStringLiteral("1920"));
        const auto lastWords = [] {
            qWarning("The Wayland connection broke. Did the Wayland compositor die?");
            std::_Exit(9);
        };
        qWarning("an ordinary warning");
        if (what == "display gone on a thread")
            std::thread(lastWords).detach();
        else if (what == "display gone on a thread the GUI waits for")
            QTimer::singleShot(0, [lastWords] { std::thread(lastWords).join(); });
        else
            QTimer::singleShot(0, lastWords);
    }));
}

// The child's exit status and the lines of its own (not Qt's) on the error stream.
QPair<int, QStringList> child(const QByteArray &what, const QStringList &environment)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PLENVOR_CHILD"), QString::fromLatin1(what));
    for (const QString &assignment : environment) {
        const QString name = assignment.section(u'=', 0, 0);
        const QString value = assignment.section(u'=', 1);
        value.isEmpty() ? env.remove(name) : env.insert(name, value);
    }
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationFilePath(), {});
    if (!process.waitForFinished(60000))
        return {-1, {QStringLiteral("did not end")}};
    const QStringList lines = QString::fromUtf8(process.readAllStandardError()).split(u'\n');
    return {process.exitCode(), lines.filter(QRegularExpression(QStringLiteral("^plenvor: ")))};
}

} // namespace

// The start-up services on Qt and the desktop, and the error report, which ends the process.
class tst_Services : public test::OffscreenTest
{
    Q_OBJECT

public:
    static void initMain()
    {
        // The children need the arguments main got; the environment tells them apart.
        if (!qEnvironmentVariableIsEmpty("PLENVOR_CHILD")) {
            static char name[] = "tst_services";
            char *argv[] = {name, nullptr};
            runChild(1, argv);
        }
        OffscreenTest::initMain();
    }

    // The window closes on the signal, the list stored; a box in front of it goes first.
    void closesOn(int signal)
    {
        test::WindowHarness h;
        frmMain &form = h.show();
        test::field(form, u"txtResolutionWidth").setText(QStringLiteral("1920"));
        closeOnTerminationSignals(form);
        QDialog modal(&form);
        modal.open(); // a box in front of it goes first
        // Signals pile up while the loop is busy, until the handler's write finds no room: the
        // code it interrupted finds errno as it left it all the same.
        for (int i = 0; i < 5000; ++i) {
            errno = 0;
            std::raise(signal);
            QVERIFY2(errno == 0, qPrintable(QString::fromLocal8Bit(strerror(errno))));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 60000);
        QVERIFY(!modal.isVisible());
        QCOMPARE(h.store->values.value(widthKey(0)), QStringLiteral("1920"));
        // The handler's write never waits, and the programs the desktop opener starts get
        // neither end of its wake-up: no socket of the program's goes on to them.
        for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::System))
            if (fd.symLinkTarget().contains("socket:"))
                QVERIFY2((::fcntl(fd.fileName().toInt(), F_GETFD) & FD_CLOEXEC) &&
                             (::fcntl(fd.fileName().toInt(), F_GETFL) & O_NONBLOCK),
                         qPrintable(fd.symLinkTarget()));
    }

private slots:
    void theReportSaysItInOneLineAndEndsTheProgram()
    {
        const auto [status, said] = child("report", {});
        QCOMPARE(status, 1);
        QCOMPARE(said, QStringList({"plenvor: Ошибка выполнения -2147352571 (0x80020005).  "
                                    "Несоответствие типов.  Программа будет закрыта.",
                                    "plenvor: shown «Plenvor»"}));
    }

    // Where the program cannot reach a window system it says so in one line, and where the
    // session offers X11 beside Wayland and nobody chose, it asks for X11, where it can place
    // its window.
    void whereThereIsNoDisplay_data()
    {
        QTest::addColumn<QStringList>("environment"); // "NAME=" leaves it out
        QTest::addColumn<QString>("said");            // the start of the one line
        const QString x11 = "plenvor: cannot connect to the display \":32765\"";
        const QString wayland = "plenvor: cannot connect to the Wayland display \"w\"";
        const auto row = [](const char *name, const char *x, const char *w, const char *qpa,
                            const QString &said) {
            QTest::newRow(name) << QStringList{QString("DISPLAY=") + x,
                                               QString("WAYLAND_DISPLAY=") + w,
                                               QString("QT_QPA_PLATFORM=") + qpa}
                                << said;
        };
        row("neither display", "", "", "", "plenvor: no display to show the window on");
        row("an X display that is not there", ":32765", "", "", x11);
        row("both, nothing chosen: X11", ":32765", "w", "", x11);
        row("both, Wayland chosen", ":32765", "w", "wayland", wayland);
        row("Wayland alone", "", "w", "", wayland);
        row("no such platform plugin", ":32765", "", "nonexistent",
            "plenvor: Qt has no window system plugin");
    }
    void whereThereIsNoDisplay()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, said);
        const auto [status, lines] = child("start", environment);
        QCOMPARE(status, 1);
        QVERIFY2(lines.size() == 1 && lines[0].startsWith(said), qPrintable(lines.join('\n')));
    }

    // What the libraries below Qt write while it starts is passed on once the start went well,
    // whole, also what Qt's own threads said meanwhile.
    void aGoodStartPassesOnWhatWasHeld()
    {
        QTemporaryFile caught;
        QVERIFY(caught.open());
        std::fflush(stderr);
        const int saved = ::dup(STDERR_FILENO);
        ::dup2(caught.handle(), STDERR_FILENO);
        {
            char name[] = "p";
            char *argv[] = {name, nullptr};
            int argc = 1;
            WindowSystem system(argc, argv);
            system.guardStart();
            std::fputs("held\n", stderr);
            qWarning("said on the way");
            std::vector<std::thread> threads;
            for (int t = 0; t < 8; ++t)
                threads.emplace_back([] {
                    for (int i = 0; i < 5000; ++i)
                        qWarning("said on a thread");
                });
            for (std::thread &thread : threads)
                thread.join();
            std::fflush(stderr);
            QCOMPARE(caught.size(), 0); // held until the start went well
            system.startDone();
        }
        std::fflush(stderr);
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
        caught.seek(0);
        const QByteArray passedOn = caught.readAll();
        QVERIFY(passedOn.startsWith("held\nsaid on the way\n"));
        QCOMPARE(passedOn.count("said on a thread\n"), 40000);
    }

    // When the display goes, the form unloads before the plugin ends the process, whichever
    // thread the plugin speaks on; the program says why, once, and ends with status 1. Where
    // the GUI thread waits on the plugin's, the plugin ends the process, which never hangs.
    void theDisplayGoing()
    {
        const auto [status, said] = child("display gone on a thread the GUI waits for", {});
        QCOMPARE(QPair(status, said), QPair(9, QStringList()));
        for (const char *child : {"display gone", "display gone on a thread"}) {
            QTemporaryDir config;
            const auto [status, said] = ::child(child, {"XDG_CONFIG_HOME=" + config.path()});
            QCOMPARE(status, 1); // and no earlier: an ordinary warning is only passed on
            QCOMPARE(said, QStringList("plenvor: the display went away: The Wayland connection "
                                       "broke. Did the Wayland compositor die?"));
            const QSettings stored(config.path() + "/Korvane/Plenvor.conf", QSettings::IniFormat);
            QCOMPARE(stored.value(widthKey(0)).toString(), QStringLiteral("1920"));
        }
    }

    // The end of the session closes the window as its close command does: the list is stored.
    void terminationSignalsCloseTheWindow()
    {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT})
            if (closesOn(signal), QTest::currentTestFailed())
                return;
    }

    // Qt's own texts turn Russian once the window has been painted.
    void qtsTextsInRussianAfterTheFirstPaint()
    {
        QWidget window;
        const auto undo = [] { return QCoreApplication::translate("QLineEdit", "&Undo"); };
        loadRussianQtTextsAfterFirstPaint(window);
        QCOMPARE(undo(), QStringLiteral("&Undo"));
        window.show();
        QVERIFY2(QTest::qWaitForWindowExposed(&window), "the window was not exposed");
        QTRY_COMPARE_WITH_TIMEOUT(undo(), QStringLiteral("&Отменить действие"), 60000);
    }

    // Tahoma stands in from fonts-wine where the system has none; sizes in the form's pixels.
    // Of a session manager's address, the one local id that is listened on here, or, where it
    // has no local id, its others as they are; nothing of a manager that has gone, of another
    // host's local socket or of what is no address.
    void whatIsTriedOfASessionManagersAddress_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<bool>("listed"); // whether the system lists what is listened on
        QTest::addColumn<QByteArray>("tried");
        const QByteArray live = "local/here:@/tmp/.ICE-unix/7";
        QTest::newRow("a live manager")
            << live + ",unix/here:/tmp/.ICE-unix/7,inet/here:2" << true << live;
        QTest::newRow("its file socket alone")
            << QByteArray("local/here:@/tmp/.ICE-unix/9,unix/here:/tmp/.ICE-unix/7,inet/here:2")
            << true << QByteArray("unix/here:/tmp/.ICE-unix/7");
        QTest::newRow("a manager that has gone")
            << QByteArray("local/here:@/tmp/.ICE-unix/8,inet6/here:1,inet/here:2") << true
            << QByteArray();
        QTest::newRow("another host's local socket")
            << QByteArray("local/there:@/tmp/.ICE-unix/7") << true << QByteArray();
        QTest::newRow("a manager over the network")
            << QByteArray("bad,tcp/there:7000,inet/there:7001") << true
            << QByteArray("tcp/there:7000,inet/there:7001");
        QTest::newRow("no address")
            << QByteArray("not-an-address,/,:,,local/") << true << QByteArray();
        QTest::newRow("no list of what is listened on")
            << QByteArray("local/here:@/x,inet/here:2") << false << QByteArray("local/here:@/x");
    }
    void whatIsTriedOfASessionManagersAddress()
    {
        QFETCH(QByteArray, address);
        QFETCH(bool, listed);
        QFETCH(QByteArray, tried);
        const QSet<QByteArray> listening{"@/tmp/.ICE-unix/7", "/tmp/.ICE-unix/7",
                                         "/tmp/.X11-unix/X0"};
        QCOMPARE(idsToTry(address, "here", listed ? std::optional(listening) : std::nullopt),
                 tried);
    }

    // What the system lists as listened on holds a socket the moment it listens.
    void aSocketListenedOnIsListed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("manager"));
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                     sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const auto closing = qScopeGuard([fd] { ::close(fd); });
        QVERIFY(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 &&
                ::listen(fd, 1) == 0);
        const std::optional<QSet<QByteArray>> listening = listeningSockets();
        QVERIFY(listening && listening->contains(QFile::encodeName(path)));
        QVERIFY(!listening->contains(QFile::encodeName(dir.filePath(QStringLiteral("gone")))));
    }

    void fontsAndIcons()
    {
        const QFont tahoma = makeFont({QStringLiteral("tahoma"), 10, 700});
        QCOMPARE(QFontInfo(tahoma).family(), QStringLiteral("Tahoma"));
        QCOMPARE(QPair(tahoma.pixelSize(), tahoma.weight()), QPair(13, QFont::Bold));
        const QFont system = makeFont({QStringLiteral("DejaVu Sans"), 8, 400});
        QCOMPARE(QPair(QFontInfo(system).family(), system.pixelSize()),
                 QPair(QStringLiteral("DejaVu Sans"), 10));
        QVERIFY(!iconResource(kMainIcon).isNull() && iconResource(QStringLiteral("B")).isNull());
    }
};

QTEST_MAIN(tst_Services)
#include "tst_services.moc"
