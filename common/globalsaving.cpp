#include "globalsaving.h"

#include "global_p.h"
#include "globalpaths.h"
#include "keptsetting.h"
#include "logger.h"
#include "regularfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Global::tr;

void logFailure(QString const &text)
{
    debug(QStringLiteral("Global"), text);
}

QString hex(QFileDevice::Permissions permissions)
{
    return QStringLiteral("%1").arg(uint(permissions), 4, 16, QLatin1Char('0'));
}

// `failureText` takes the wanted value, the path, the actual value and the error. The
// permissions are compared and set through the descriptor, so that nothing put at the
// name meanwhile gets them; the current-user flags follow from the others.
bool grantPermissions(int fd, QString const &path, QFileDevice::Permissions wanted, QString const &failureText)
{
    const QFileDevice::Permissions actual = RegularFile::permissionsOf(fd);
    if (!((actual ^ wanted) & 0xF0FF) || ::fchmod(fd, RegularFile::modeOf(wanted)) == 0)
        return true;
    logFailure(failureText.arg(hex(wanted), path, hex(actual), qt_error_string(errno)));
    return false;
}

bool grantFilePermissions(QFile &file, QString const &path)
{
    return grantPermissions(file.handle(), path, keptSetting<&CSettings::filePermissions>(),
                            QStringLiteral("Не удалось изменить права доступа 0x%1 для файла %2 (0x%3). %4"));
}

// A name that is no longer a directory (a link put there meanwhile) is left alone and reported.
void grantDirPermissions(QString const &path, QString const &failureText)
{
    const QFileDevice::Permissions wanted = keptSetting<&CSettings::dirPermissions>();
    const int fd = RegularFile::openDirectory(path);
    if (fd < 0) {
        logFailure(failureText.arg(hex(wanted), path, hex({}), qt_error_string(errno)));
        return;
    }
    grantPermissions(fd, path, wanted, failureText);
    ::close(fd);
}

bool isInside(QString const &path, QString const &dirPath)
{
    const QString prefix = dirPath.endsWith(QLatin1Char('/')) ? dirPath : dirPath + QLatin1Char('/');
    return path.startsWith(prefix);
}

// mkpath, with the reason when it fails (the toolkit gives up without a call of
// its own when a file stands in the way).
bool makeDirectories(QString const &path, QString *error)
{
    errno = ENOTDIR;
    if (QDir().mkpath(path))
        return true;
    *error = qt_error_string(errno);
    return false;
}

// Inside the installation a neighbour may have put a link where a directory of the
// path belongs; what is saved there would land wherever the link points.
bool isFreeOfLinks(QString const &dirPath, QString *error)
{
    const QString installPath = Global::installDir().absolutePath();
    for (QString current = dirPath; isInside(current, installPath); current = QFileInfo(current).absolutePath()) {
        struct stat status {};
        const bool listed = ::lstat(QFile::encodeName(current).constData(), &status) == 0;
        if (!listed || !S_ISDIR(status.st_mode)) {
            *error = qt_error_string(!listed ? errno : S_ISLNK(status.st_mode) ? ELOOP : ENOTDIR);
            return false;
        }
    }
    return true;
}

// Always a new file of this process: whatever stands at the name (a left-over, or
// a neighbour's link, FIFO or hard link) is removed first and the file created
// exclusively, so nothing else is truncated or written through.
bool openTemporary(QFile &file, QString const &path, QString *error)
{
    int fd = -1;
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        fd = RegularFile::open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    if (file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return true;
    ::close(fd);
    *error = file.errorString();
    return false;
}

// The data must be on the disk before the renamings make them the file's content.
bool writeDurably(QFile &file, QByteArray const &data, QString *error)
{
    if (!Global::writeData(file, data, 0)) {
        *error = file.errorString();
        return false;
    }
    if (::fdatasync(file.handle()) != 0) {
        *error = qt_error_string(errno);
        return false;
    }
    return true;
}

// rename(2) itself: QFile::rename falls back to a copy, which is not atomic.
bool renameFile(QString const &from, QString const &to, QString *error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = qt_error_string(errno);
    return false;
}

// Makes the last renaming survive a power cut; the save itself stands if this fails.
void syncDirectoryOf(QString const &filePath)
{
    const QString dirPath = QFileInfo(filePath).absolutePath();
    const int fd = RegularFile::openDirectory(dirPath);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced) {
        logFailure(QStringLiteral("safeSaving directory sync failed. Не удалось сохранить на диск каталог %1. %2")
                       .arg(dirPath, qt_error_string(error)));
    }
}

QString renameFailure(int step, QString const &path, QString const &error)
{
    const QString message = QCoreApplication::translate("Global", "Не удалось переименовать файл %1").arg(path);
    logFailure(QStringLiteral("safeSaving failed %1. %2. %3").arg(QString::number(step), message, error));
    return message;
}

QString backupRemovalFailure(QString const &backupPath)
{
    return QStringLiteral("safeSaving file removing failed. "
                          "Не удалось удалить старый файл при безопасном сохранении %1.")
        .arg(backupPath);
}

// Global::makePath, with the reason when the directory cannot be made.
bool makePathTelling(QDir const &dir, QString *error)
{
    if (dir.exists())
        return true;

    const QString path = QDir::cleanPath(dir.absolutePath());
    if (!makeDirectories(path, error)) {
        logFailure(QStringLiteral("Не удалось создать путь %1").arg(path));
        return false;
    }

    // Whole path components are compared: a sibling whose name merely extends the
    // installation directory's name is outside, and the walk never leaves the installation.
    const QString installPath = Global::installDir().absolutePath();
    if (!isInside(path, installPath)) {
        grantDirPermissions(path, QStringLiteral("Не удалось изменить права доступа 0x%1 для каталога %2 (0x%3). %4"));
        return true;
    }
    for (QString current = path; current != installPath; current = QFileInfo(current).absolutePath()) {
        grantDirPermissions(current, QStringLiteral(
            "Не удалось изменить права доступа 0x%1 для внутреннего каталога %2 (0x%3). %4"));
    }
    return true;
}

} // namespace

namespace Global {

QString safeSaving(QString const &filePath, QByteArray const &data)
{
    const QString newFilePath = QStringLiteral("%1.new").arg(filePath);
    QFile file;
    QString error;
    // A directory that cannot be made fails the opening with the reason of its own failure.
    const QString dirPath = QDir::cleanPath(QFileInfo(filePath).absolutePath());
    if (!makePathTelling(QDir(dirPath), &error) || !isFreeOfLinks(dirPath, &error)
        || (!openTemporary(file, newFilePath, &error) && !openTemporary(file, newFilePath, &error))) {
        const QString message = tr("Не удалось открыть файл для записи. %1.").arg(error);
        logFailure(QStringLiteral("safeSaving failed 7. ") + message);
        return message;
    }

    bool written = writeDurably(file, data, &error);
    if (written)
        grantFilePermissions(file, newFilePath);
    const int fd = file.handle();
    file.close();
    if (::close(fd) != 0 && written) {
        written = false;
        error = qt_error_string(errno);
    }
    if (!written) {
        QFile newFile(newFilePath);
        if (!newFile.remove()) {
            logFailure(QStringLiteral("safeSaving failed 5. Не удалось удалить временный файл при ошибке записи. %1.")
                           .arg(newFile.errorString()));
        }
        const QString message = tr("Не удалось записать все данные в файл за отведенное время. %1").arg(error);
        logFailure(QStringLiteral("safeSaving failed 6. ") + message);
        return message;
    }
    return safeSaving(newFilePath, filePath);
}

QString safeSaving(QString const &newFilePath, QString const &filePath)
{
    QString error;
    if (!QFile::exists(filePath)) {
        if (!renameFile(newFilePath, filePath, &error))
            return renameFailure(4, newFilePath, error);
        syncDirectoryOf(filePath);
        return QString();
    }

    const QString backupPath = QStringLiteral("%1.old").arg(filePath);
    QFile backup(backupPath);
    if (backup.exists() && !backup.remove()) {
        logFailure(backupRemovalFailure(backupPath));
        return tr("Не удалось удалить файл %1").arg(backupPath);
    }

    if (!renameFile(filePath, backupPath, &error))
        return renameFailure(1, filePath, error);

    if (renameFile(newFilePath, filePath, &error)) {
        syncDirectoryOf(filePath);
        if (!backup.remove())
            logFailure(backupRemovalFailure(backupPath) + QLatin1Char(' ') + backup.errorString());
        return QString();
    }

    QString restoreError;
    if (renameFile(backupPath, filePath, &restoreError))
        return renameFailure(2, newFilePath, error);
    return renameFailure(3, backupPath, restoreError);
}

bool writeData(QIODevice &device, QByteArray const &data, int timeLimitMs)
{
    if (data.isEmpty())
        return true;
    const int limit = timeLimitMs == 0 ? keptSetting<&CSettings::detailsMaxWritingTime>() : timeLimitMs;

    qint64 written = device.write(data);
    if (written < 0)
        return false;

    QElapsedTimer timer;
    timer.start();
    while (written < data.size()) {
        device.waitForBytesWritten(1);
        QThread::msleep(1);
        const qint64 chunk = device.write(data.constData() + written, data.size() - written);
        if (chunk < 0)
            return false;
        written += chunk;
        if (limit > 0 && timer.elapsed() > limit)
            return false;
        if (!device.isOpen())
            return false;
    }
    return true;
}

bool setFilePermissions(QString const &filePath)
{
    const int fd = RegularFile::open(filePath, O_RDONLY);
    QFile file;
    const bool granted = fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)
                         && grantFilePermissions(file, filePath);
    file.close();
    if (fd >= 0)
        ::close(fd);
    return granted;
}

bool makePath(QDir const &dir)
{
    QString error;
    return makePathTelling(dir, &error);
}

} // namespace Global
