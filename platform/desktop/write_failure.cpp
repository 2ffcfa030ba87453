#include "desktop/write_failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace plenvor {

#ifdef Q_OS_UNIX

namespace {

QString systemWords(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The first error met making each missing folder down to `folder`, or 0.
int makeFolders(const QString &folder)
{
    QString sofar;
    for (const QString &part : QDir::cleanPath(folder).split(u'/')) {
        sofar += part + u'/';
        if (part.isEmpty())
            continue;
        if (::mkdir(QFile::encodeName(sofar).constData(), 0777) != 0 && errno != EEXIST)
            return errno;
    }
    struct stat info = {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

// The error met writing a block to a new file in the folder, or 0: a full disk shows here.
int writeBeside(const QString &folder)
{
    QByteArray name = QFile::encodeName(folder + QStringLiteral("/.plenvor-XXXXXX"));
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errno;
    const QByteArray block(65536, '\n');
    int error = 0;
    errno = 0;
    if (::write(fd, block.constData(), size_t(block.size())) != block.size() || ::fsync(fd) != 0)
        error = errno != 0 ? errno : ENOSPC;
    ::close(fd);
    ::unlink(name.constData());
    return error;
}

} // namespace

QString whyNotWritable(const QString &path)
{
    const QFileInfo info(path);
    int error = makeFolders(info.absolutePath());
    if (error == 0)
        error = writeBeside(info.absolutePath());
    if (error == 0 && info.exists()) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            error = errno;
        else
            ::close(fd);
    }
    return error != 0 ? systemWords(error) : QStringLiteral("the file could not be replaced");
}

#else

QString whyNotWritable(const QString &)
{
    return QStringLiteral("the store could not be written");
}

#endif

} // namespace plenvor
