// How the reference host reads its abonents; the tour plays the rest.
#include "host/hostabonents.h"

#include <QtTest>

class tst_Host : public QObject
{
    Q_OBJECT

private slots:
    void abonentsRefuseBadData_data();
    void abonentsRefuseBadData();
};

void tst_Host::abonentsRefuseBadData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    HostAbonents two;
    two.list = {{QStringLiteral("Иванов"), QByteArray("1")}, {QString(), QByteArray()}};
    const QByteArray complete = two.toByteArray();
    QTest::newRow("empty") << QByteArray() << QStringLiteral("Версия списка абонентов 0 не совпадает с текущей 1");
    QTest::newRow("cut off") << complete.chopped(2) << QStringLiteral("Список абонентов поврежден");
    QByteArray claimsMore = complete;
    claimsMore[7] = 100;
    QTest::newRow("count beyond the data") << claimsMore << QStringLiteral("Список абонентов поврежден");
}

// A bad file leaves no abonent of what was read before.
void tst_Host::abonentsRefuseBadData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    HostAbonents read;
    read.list = {{QStringLiteral("Петров"), QByteArray("2")}};
    QCOMPARE(read.fromByteArray(data), message);
    QVERIFY(read.list.isEmpty());
}

QTEST_MAIN(tst_Host)
#include "tst_host.moc"
