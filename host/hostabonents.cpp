#include "hostabonents.h"

#include "common/globalsaving.h"

#include <QDataStream>
#include <QFile>

namespace {

const qint32 formatVersion = 1;

} // namespace

QByteArray HostAbonents::toByteArray() const
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream << formatVersion << qint32(list.size());
    for (const HostAbonent &abonent : list)
        stream << abonent.name << abonent.comSettings;
    return data;
}

QString HostAbonents::fromByteArray(const QByteArray &data)
{
    list.clear();
    QDataStream stream(data);
    qint32 version = 0;
    stream >> version;
    if (version != formatVersion)
        return tr("Версия списка абонентов %1 не совпадает с текущей %2").arg(version).arg(formatVersion);

    qint32 count = 0;
    stream >> count;
    // Entries are appended only while the data lasts, whatever count a damaged file claims.
    for (qint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        HostAbonent abonent;
        stream >> abonent.name >> abonent.comSettings;
        if (stream.status() == QDataStream::Ok)
            list.append(abonent);
    }
    if (stream.status() != QDataStream::Ok) {
        list.clear();
        return tr("Список абонентов поврежден");
    }
    return QString();
}

QString HostAbonents::load(const QString &filePath)
{
    QFile file(filePath);
    if (!file.exists()) {
        list.clear();
        return QString();
    }
    if (!file.open(QIODevice::ReadOnly))
        return tr("Не удалось открыть для чтения файл %1: %2").arg(filePath, file.errorString());
    return fromByteArray(file.readAll());
}

QString HostAbonents::save(const QString &filePath) const
{
    return Global::safeSaving(filePath, toByteArray());
}
