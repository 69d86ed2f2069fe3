#include "settingspointer.h"

#include "globalpaths.h"
#include "regularfile.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Fixed, because the store cannot read its own permission keys before it exists.
const mode_t NewDirMode = 0777;
const mode_t NewFileMode = 0666;

void makeSettingsDir(const QDir &dir)
{
    const QString path = dir.absolutePath();
    // Whatever stands at the path when it cannot be made a directory is not ours to open up.
    errno = ENOTDIR;
    if (!QDir().mkpath(path) || !RegularFile::setDirectoryMode(path, NewDirMode))
        qWarning() << "Не удалось изменить права доступа каталога с настройками" << path << qt_error_string(errno);
}

// The toolkit writes one "name=value" line per key and ends every line; a
// write that failed leaves the file empty or cut.
bool holdsAllKeys(const QByteArray &content, int keyCount)
{
    int keyLines = 0;
    for (const QByteArray &line : content.split('\n'))
        keyLines += !line.startsWith('[') && line.contains('=');
    return keyLines == keyCount && content.endsWith('\n');
}

// The toolkit keeps the reason of a failed write to itself. A probe in the same
// directory, as large as the content and the lock file held meanwhile, finds it.
QString reasonOfCutWrite(const QString &dirPath, qint64 contentSize)
{
    const QByteArray probe(int(contentSize) + 4096, '\n');
    const int fd = ::open(QFile::encodeName(dirPath).constData(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0600);
    ssize_t written = 0;
    for (ssize_t more = 1; fd >= 0 && more > 0 && written < probe.size(); written += qMax<ssize_t>(more, 0))
        more = ::write(fd, probe.constData() + written, size_t(probe.size() - written));
    const bool failed = fd < 0 || written < probe.size() || ::fdatasync(fd) != 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    return failed && error != EOPNOTSUPP ? qt_error_string(error) : QStringLiteral("файл записан не полностью");
}

bool isRegularFile(const QByteArray &path, struct stat *status)
{
    return ::lstat(path.constData(), status) == 0 && S_ISREG(status->st_mode);
}

} // namespace

SettingsPointer::SettingsPointer(const QString &fileName)
    : settings(fileName, QSettings::IniFormat)
    , fileInfo(settings.fileName())
    , writable(Global::checkSecrecy(0))
{
    // Detached from every thread, the settings object never syncs itself from
    // an event loop, outside the lock that serialises syncs.
    settings.moveToThread(nullptr);
}

void SettingsPointer::setValue(const QString &key, const QVariant &value)
{
    settings.setValue(key, value);
    unsaved.insert(key, value);
    changed = true;
}

void SettingsPointer::sync()
{
    fileInfo.refresh();
    if (!changed && fileInfo.lastModified() == fileTime)
        return;
    // A link or a FIFO put at the name would be followed or waited on by the toolkit.
    struct stat status;
    if (fileInfo.isSymLink() || (fileInfo.exists() && !isRegularFile(QFile::encodeName(fileInfo.filePath()), &status))) {
        qWarning() << "Файл настроек не является обычным файлом" << fileInfo.filePath();
        return;
    }

    if (!fileInfo.exists()) {
        const QDir dir = fileInfo.absoluteDir();
        if (!dir.exists())
            makeSettingsDir(dir);
    }
    if (changed)
        write();
    else
        settings.sync();

    if (changed)
        fileInfo.refresh();
    fileTime = fileInfo.lastModified();
    changed = !unsaved.isEmpty();
}

// The toolkit's saving installs its new file even when writing it failed. So the
// previous file stays aside under a second name (a hard link, which needs no
// space) until the new one is known whole, durable and with the old file's
// permissions, and is put back otherwise.
void SettingsPointer::write()
{
    for (auto value = unsaved.cbegin(); value != unsaved.cend(); ++value)
        settings.setValue(value.key(), value.value());

    const QString path = fileInfo.absoluteFilePath();
    const QString keptPath = path + QStringLiteral(".kept");
    const QByteArray encodedPath = QFile::encodeName(path);
    const QByteArray encodedKept = QFile::encodeName(keptPath);
    struct stat old;
    const bool hadFile = isRegularFile(encodedPath, &old);
    if (hadFile && ((::unlink(encodedKept) != 0 && errno != ENOENT) || ::link(encodedPath, encodedKept) != 0)) {
        qWarning() << "Не удалось записать файл настроек" << path << qt_error_string(errno);
        return;
    }

    errno = 0;
    settings.sync();
    struct stat now;
    if (!isRegularFile(encodedPath, &now) || (hadFile && now.st_ino == old.st_ino)) {
        // Nothing was installed: the kept name is a second name of the file itself.
        qWarning() << "Не удалось записать файл настроек" << path << qt_error_string(errno ? errno : EIO);
        ::unlink(encodedKept.constData());
        return;
    }

    const mode_t mode = hadFile ? old.st_mode & 07777 : NewFileMode;
    const int fd = RegularFile::open(path, O_RDONLY);
    QString failure = fd < 0 ? qt_error_string(errno) : QString();
    QFile file;
    if (fd >= 0 && !(file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)
                     && holdsAllKeys(file.readAll(), settings.allKeys().size()))) {
        failure = reasonOfCutWrite(fileInfo.absolutePath(), hadFile ? old.st_size : 0);
    } else if (fd >= 0 && ::fdatasync(fd) != 0) {
        failure = qt_error_string(errno);
    }
    bool whole = failure.isEmpty();
    const bool modeKept = whole && ((::fstat(fd, &now) == 0 && (now.st_mode & 07777) == mode) || ::fchmod(fd, mode) == 0);
    const int modeError = errno;
    file.close();
    if (fd >= 0 && ::close(fd) != 0 && whole) {
        whole = false;
        failure = qt_error_string(errno);
    }

    if (!whole)
        qWarning() << "Не удалось записать файл настроек" << path << failure;
    else if (!modeKept)
        qWarning() << "Не удалось изменить права доступа файла настроек" << path << qt_error_string(modeError);
    if (whole && (modeKept || !hadFile)) {
        unsaved.clear();
        ::unlink(encodedKept.constData());
    } else if (!hadFile) {
        ::unlink(encodedPath.constData());
    } else if (::rename(encodedKept.constData(), encodedPath.constData()) != 0) {
        qWarning() << "Не удалось восстановить файл настроек" << keptPath << qt_error_string(errno);
    }
}
