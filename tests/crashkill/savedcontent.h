#pragma once

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QVector>
#include <QtEndian>

// A content that tells by itself whether it is whole: the length of its
// payload (4 bytes, big-endian), the payload's MD5, then the payload.
namespace SavedContent {

constexpr int headerSize = 4 + 16;

inline QByteArray make(QRandomGenerator &random)
{
    QVector<quint32> words(int(random.bounded(16384)));
    random.fillRange(words.data(), words.size());
    const QByteArray payload(reinterpret_cast<const char *>(words.constData()), words.size() * 4);
    QByteArray content(4, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(payload.size()), content.data());
    return content + QCryptographicHash::hash(payload, QCryptographicHash::Md5) + payload;
}

inline bool isComplete(QByteArray const &content)
{
    if (content.size() < headerSize)
        return false;
    const QByteArray payload = content.mid(headerSize);
    return qFromBigEndian<quint32>(content.constData()) == quint32(payload.size())
           && content.mid(4, 16) == QCryptographicHash::hash(payload, QCryptographicHash::Md5);
}

} // namespace SavedContent
