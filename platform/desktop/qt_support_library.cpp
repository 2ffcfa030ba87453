#include "desktop/qt_support_library.h"

#include "controls/form.h"
#include "desktop/icons.h"
#include "desktop/readme_window.h"
#include "runtime/twips.h"
#include "version.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>

namespace plenvor {

namespace {

const QString kReadMeName = QStringLiteral("readme.txt");

bool isTracedByDebugger()
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("TracerPid:"))
            return line.mid(10).trimmed() != "0";
    }
#endif
    return false;
}

// Beside the program (a build tree), then the installed data folder.
QStringList programsReadMeFolders()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.path(), programDir.filePath(QStringLiteral(PLENVOR_DATA_FROM_BIN))};
}

QString readMePath(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo candidate(QDir(folder).filePath(kReadMeName));
        if (candidate.isFile())
            return candidate.canonicalFilePath();
    }
    return {};
}

} // namespace

QtSupportLibrary::QtSupportLibrary(AppObject app, QStringList readMeFolders)
    : m_app(std::move(app)),
      m_readMeFolders(readMeFolders.isEmpty() ? programsReadMeFolders() : std::move(readMeFolders))
{}

Status QtSupportLibrary::asRegisterAppPath(qint32 &result)
{
    // Keeps where the program was last started from in its own settings, written only
    // when it changed, so that tools and the user can find the installed program.
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_app.productName,
                       m_app.exeName);
    const QString path = QCoreApplication::applicationFilePath();
    const QString key = QStringLiteral("Application/Path");
    if (settings.value(key).toString() == path) {
        result = 0;
        return status::kOk;
    }
    if (!settings.isWritable()) {
        result = 0;
        return status::kFalse;
    }
    settings.setValue(key, path);
    result = 1;
    return status::kOk;
}

Status QtSupportLibrary::asIsInIDE(VbBool &inIde)
{
    inIde = isTracedByDebugger() ? kVbTrue : kVbFalse;
    return status::kOk;
}

Status QtSupportLibrary::asGetThunderMainHandle(Hwnd &handle)
{
    handle = applicationWindow().handle();
    return status::kOk;
}

Status QtSupportLibrary::asSetWindowResIconAll(Hwnd window, const QString &resourceName)
{
    HandleTarget *target = targetOfHandle(window);
    if (!target)
        return status::kInvalidHandle;
    auto icon = m_icons.constFind(resourceName);
    if (icon == m_icons.cend()) {
        const QIcon found = iconResource(resourceName);
        if (found.isNull())
            return status::kResourceNotFound;
        icon = m_icons.insert(resourceName, found);
    }
    if (target == &applicationWindow()) {
        // The owner window stands for the application: its icon is the task switcher's.
        QApplication::setWindowIcon(*icon);
        return status::kOk;
    }
    auto *form = dynamic_cast<Form *>(target);
    if (!form)
        return status::kInvalidHandle;
    form->setWindowIcon(*icon);
    return status::kOk;
}

Status QtSupportLibrary::asCenterFormEx(Hwnd window, qint32 &result)
{
    result = 0;
    auto *form = dynamic_cast<Form *>(targetOfHandle(window));
    if (!form)
        return status::kInvalidHandle;
    // The screen the user is working on: the one under the mouse pointer.
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return status::kFail;
    const QRect area = screen->availableGeometry();
    form->setLeft(float(pixelsToTwips(area.left()) +
                        (pixelsToTwips(area.width()) - double(form->Width())) / 2));
    form->setTop(float(pixelsToTwips(area.top()) +
                       (pixelsToTwips(area.height()) - double(form->Height())) / 2));
    return status::kOk;
}

Status QtSupportLibrary::asTrimEx2(const QString &text, VbBool spaces, VbBool tabs,
                                   VbBool carriageReturns, VbBool lineFeeds, VbBool nulls,
                                   VbBool otherControls, VbBool noBreakSpaces, VbBool unicodeSpaces,
                                   VbBool zeroWidth, VbBool lineSeparators, QString &result)
{
    const auto trimmed = [&](QChar c) {
        const char16_t u = c.unicode();
        switch (u) {
        case u' ':
            return spaces != 0;
        case u'\t':
            return tabs != 0;
        case u'\r':
            return carriageReturns != 0;
        case u'\n':
            return lineFeeds != 0;
        case u'\0':
            return nulls != 0;
        case 0x00A0:
        case 0x2007:
        case 0x202F:
            return noBreakSpaces != 0;
        case 0x200B:
        case 0x200C:
        case 0x200D:
        case 0x2060:
        case 0xFEFF:
            return zeroWidth != 0;
        case 0x0085:
        case 0x2028:
        case 0x2029:
            return lineSeparators != 0;
        default:
            break;
        }
        if (c.category() == QChar::Other_Control)
            return otherControls != 0;
        if (c.category() == QChar::Separator_Space)
            return unicodeSpaces != 0;
        return false;
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && trimmed(text[begin]))
        ++begin;
    while (end > begin && trimmed(text[end - 1]))
        --end;
    result = text.mid(begin, end - begin);
    return status::kOk;
}

Status QtSupportLibrary::asHighlightText(Hwnd field)
{
    auto *edit = dynamic_cast<TextBox *>(targetOfHandle(field));
    if (!edit)
        return status::kInvalidHandle;
    edit->SelectAll();
    return status::kOk;
}

Status QtSupportLibrary::asOpenReadMeFile(qint32 reserved, qint32 &result)
{
    result = 0;
    if (reserved != 0)
        return status::kInvalidArg;
    const QString path = readMePath(m_readMeFolders);
    if (path.isEmpty())
        return status::kFileNotFound;
    if (QFile readable(path); !readable.open(QIODevice::ReadOnly))
        return status::kAccessDenied;
    // Only a read-me that cannot be read fails: without a viewer, the program shows it itself.
    openReadMe(path);
    result = 1;
    return status::kOk;
}

} // namespace plenvor
