#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// One abonent of the host's address book: a name and how the switched
// channel reaches it (the record made by the plug-in's abonent page).
struct HostAbonent {
    QString name;
    QByteArray comSettings;
};

// The host's abonents, kept in the settings directory as version 1, the
// count, then the name and the channel record of each abonent.
struct HostAbonents {
    Q_DECLARE_TR_FUNCTIONS(HostAbonents)
public:
    QList<HostAbonent> list;

    QByteArray toByteArray() const;
    QString fromByteArray(const QByteArray &data);

    // A missing file is an empty book.
    QString load(const QString &filePath);
    QString save(const QString &filePath) const;
};
