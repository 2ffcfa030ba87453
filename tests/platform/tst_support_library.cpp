#include "platform/form.h"
#include "platform/qt_support_library.h"

#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace plenvor;

namespace {

constexpr int kOptions = 10;

QString trim(QtSupportLibrary &library, const QString &text, std::array<VbBool, kOptions> o)
{
    QString out;
    const Status s =
        library.asTrimEx2(text, o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], o[9], out);
    return failed(s) ? QStringLiteral("<failed>") : out;
}

class CentredForm : public Form
{
public:
    CentredForm() { setClientSize(7350, 1215); }
};

} // namespace

class tst_SupportLibrary : public QObject
{
    Q_OBJECT

    QtSupportLibrary m_library{AppObject::plenvor()};

private slots:
    // Each option removes its own kind of character around the text and nothing else,
    // never anything inside.
    void eachTrimOptionRemovesItsOwnKind_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("blank");
        QTest::newRow("1 spaces") << 0 << " ";
        QTest::newRow("2 tabs") << 1 << "\t";
        QTest::newRow("3 carriage returns") << 2 << "\r";
        QTest::newRow("4 line feeds") << 3 << "\n";
        QTest::newRow("5 nulls") << 4 << QString(QChar(0));
        QTest::newRow("6 other controls") << 5 << QStringLiteral("\x0B\x1F");
        QTest::newRow("7 no-break spaces") << 6 << QStringLiteral("\u00A0\u202F");
        QTest::newRow("8 unicode spaces") << 7 << QStringLiteral("\u2003\u3000");
        QTest::newRow("9 zero width") << 8 << QStringLiteral("\u200B\uFEFF");
        QTest::newRow("10 line separators") << 9 << QStringLiteral("\u2028\u0085");
    }
    void eachTrimOptionRemovesItsOwnKind()
    {
        QFETCH(int, option);
        QFETCH(QString, blank);
        const QString text =
            blank + blank + QStringLiteral("12") + blank + QStringLiteral("34") + blank;
        const QString inner = QStringLiteral("12") + blank + QStringLiteral("34");
        std::array<VbBool, kOptions> only{};
        only[option] = kVbTrue;
        QCOMPARE(trim(m_library, text, only), inner);
        std::array<VbBool, kOptions> allButIt;
        allButIt.fill(kVbTrue);
        allButIt[option] = kVbFalse;
        QCOMPARE(trim(m_library, text, allButIt), text);
    }

    void theProgramsTrimTakesBlanksAndLineEndsOnly()
    {
        const std::array<VbBool, kOptions> program{-1, -1, -1, -1, -1, 0, 0, 0, 0, 0};
        QCOMPARE(trim(m_library, QStringLiteral(" \t\r\n1600\r\n"), program),
                 QStringLiteral("1600"));
        QCOMPARE(trim(m_library, QStringLiteral("\u00A01600"), program),
                 QStringLiteral("\u00A01600"));
        QCOMPARE(trim(m_library, QStringLiteral("   "), program), QString());
    }

    void highlightSelectsTheWholeText()
    {
        QWidget window;
        auto *edit = new QLineEdit(QStringLiteral("1920"), &window);
        const WindowHandle handle(edit);
        edit->setCursorPosition(2);
        QCOMPARE(m_library.asHighlightText(handle.value()), status::kOk);
        QCOMPARE(edit->selectedText(), QStringLiteral("1920"));
    }

    void windowServicesRefuseUnknownHandles()
    {
        qint32 out = 0;
        QCOMPARE(m_library.asHighlightText(0x7FFFFFF0), status::kInvalidHandle);
        QCOMPARE(m_library.asCenterFormEx(0x7FFFFFF0, out), status::kInvalidHandle);
        QCOMPARE(m_library.asSetWindowResIconAll(0x7FFFFFF0, QStringLiteral("A_MAIN")),
                 status::kInvalidHandle);
        CentredForm form;
        QCOMPARE(m_library.asHighlightText(form.hWnd()), status::kInvalidHandle);
    }

    void iconsComeFromTheProgramsOwnResource()
    {
        CentredForm form;
        QCOMPARE(m_library.asSetWindowResIconAll(form.hWnd(), QStringLiteral("A_MAIN")),
                 status::kOk);
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(m_library.asSetWindowResIconAll(form.hWnd(), QStringLiteral("B_OTHER")),
                 status::kResourceNotFound);
    }

    void theOwnerWindowStandsForTheApplication()
    {
        Hwnd owner = 0;
        QCOMPARE(m_library.asGetThunderMainHandle(owner), status::kOk);
        QCOMPARE(objectFromHandle(owner), qApp);
        QApplication::setWindowIcon(QIcon());
        QCOMPARE(m_library.asSetWindowResIconAll(owner, QStringLiteral("A_MAIN")), status::kOk);
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void centringUsesTheOuterSizeOnTheScreensWorkArea()
    {
        CentredForm form;
        qint32 out = -1;
        QCOMPARE(m_library.asCenterFormEx(form.hWnd(), out), status::kOk);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(double(form.Left()) * 2 + form.Width(),
                 double(area.left() * 2 + area.width()) * 15);
        QCOMPARE(double(form.Top()) * 2 + form.Height(),
                 double(area.top() * 2 + area.height()) * 15);
    }

    void notUnderADebugger()
    {
        VbBool inIde = 1;
        QCOMPARE(m_library.asIsInIDE(inIde), status::kOk);
        QVERIFY(inIde == kVbFalse || inIde == kVbTrue);
        if (!qEnvironmentVariableIsSet("PLENVOR_TEST_UNDER_DEBUGGER"))
            QCOMPARE(inIde, kVbFalse);
    }

    void readMeFailuresAreStatuses()
    {
        qint32 out = -1;
        QCOMPARE(m_library.asOpenReadMeFile(1, out), status::kInvalidArg);
        // No read-me lies beside the test program.
        QCOMPARE(m_library.asOpenReadMeFile(0, out), status::kFileNotFound);
    }

    void registeringThePathWritesOnlyWhenItChanged()
    {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        qint32 first = -1;
        qint32 second = -1;
        QCOMPARE(m_library.asRegisterAppPath(first), status::kOk);
        QCOMPARE(m_library.asRegisterAppPath(second), status::kOk);
        QCOMPARE(first, 1);
        QCOMPARE(second, 0);
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvane"),
                           QStringLiteral("Plenvor"));
        QCOMPARE(settings.value(QStringLiteral("Application/Path")).toString(),
                 QCoreApplication::applicationFilePath());
    }
};

QTEST_MAIN(tst_SupportLibrary)
#include "tst_support_library.moc"
