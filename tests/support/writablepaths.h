#pragma once

#include <QDirIterator>
#include <QFile>
#include <QString>

// Switches write access to a directory for everybody (owner included) on or off;
// read and search access stay.
inline bool setWritable(QString const &path, bool writable)
{
    return QFile::setPermissions(path, QFileDevice::Permissions(writable ? 0x7777 : 0x5555));
}

// Gives the owner write access throughout a tree again, so that it can be removed.
inline void makeTreeWritable(QString const &root)
{
    QFile::setPermissions(root, QFile::permissions(root) | QFileDevice::WriteOwner);
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
}
