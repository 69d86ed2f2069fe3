#include "globalsaving.h"

#include "global_p.h"
#include "globalpaths.h"
#include "keptsetting.h"
#include "logger.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
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

// `failureText` takes the wanted value, the path, the actual value and the error. The system
// derives the current-user bits from the others, so a difference in those alone is no news.
bool grantPermissions(QFileDevice &entry, QString const &path, QFileDevice::Permissions wanted,
                      QString const &failureText)
{
    const QFileDevice::Permissions actual = entry.permissions();
    if (actual == wanted || entry.setPermissions(wanted))
        return true;
    if ((actual ^ wanted) & 0xF0FF)
        logFailure(failureText.arg(hex(wanted), path, hex(actual), entry.errorString()));
    return false;
}

bool grantFilePermissions(QFileDevice &file, QString const &path)
{
    return grantPermissions(file, path, keptSetting<&CSettings::filePermissions>(),
                            QStringLiteral("Не удалось изменить права доступа 0x%1 для файла %2 (0x%3). %4"));
}

void grantDirPermissions(QString const &path, QString const &failureText)
{
    QFile dir(path);
    grantPermissions(dir, path, keptSetting<&CSettings::dirPermissions>(), failureText);
}

bool isInside(QString const &path, QString const &dirPath)
{
    const QString prefix = dirPath.endsWith(QLatin1Char('/')) ? dirPath : dirPath + QLatin1Char('/');
    return path.startsWith(prefix);
}

// A symbolic link at the temporary name could point anywhere; it is never written through.
bool openTemporary(QFile &file, QString const &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    if (file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
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

// Makes the last renaming survive a power cut.
void syncDirectoryOf(QString const &filePath)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(filePath).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString renameFailure(int step, QString const &path, QString const &error)
{
    const QString message = tr("Не удалось переименовать файл %1").arg(path);
    logFailure(QStringLiteral("safeSaving failed %1. %2. %3").arg(QString::number(step), message, error));
    return message;
}

QString backupRemovalFailure(QString const &backupPath)
{
    return QStringLiteral("safeSaving file removing failed. "
                          "Не удалось удалить старый файл при безопасном сохранении %1.")
        .arg(backupPath);
}

} // namespace

namespace Global {

QString safeSaving(QString const &filePath, QByteArray const &data)
{
    makePath(QFileInfo(filePath).absoluteDir());

    const QString newFilePath = QStringLiteral("%1.new").arg(filePath);
    QFile file;
    QString error;
    if (!openTemporary(file, newFilePath, &error) && !openTemporary(file, newFilePath, &error)) {
        const QString message = tr("Не удалось открыть файл для записи. %1.").arg(error);
        logFailure(QStringLiteral("safeSaving failed 7. ") + message);
        return message;
    }

    if (!writeDurably(file, data, &error)) {
        file.close();
        QFile newFile(newFilePath);
        if (!newFile.remove()) {
            logFailure(QStringLiteral("safeSaving failed 5. Не удалось удалить временный файл при ошибке записи. %1.")
                           .arg(newFile.errorString()));
        }
        const QString message = tr("Не удалось записать все данные в файл за отведенное время. %1").arg(error);
        logFailure(QStringLiteral("safeSaving failed 6. ") + message);
        return message;
    }

    // Through the open descriptor, so that nothing put at the name meanwhile gets them.
    grantFilePermissions(file, newFilePath);
    file.close();
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
    if (!QFileInfo(filePath).isFile())
        return false;
    QFile file(filePath);
    return grantFilePermissions(file, filePath);
}

bool makePath(QDir const &dir)
{
    if (dir.exists())
        return true;

    const QString path = QDir::cleanPath(dir.absolutePath());
    if (!QDir().mkpath(path)) {
        logFailure(QStringLiteral("Не удалось создать путь %1").arg(path));
        return false;
    }

    // Whole path components are compared: a sibling whose name merely extends the
    // installation directory's name is outside, and the walk never leaves the installation.
    const QString installPath = installDir().absolutePath();
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

} // namespace Global
