// The reference host's own parts: how it refuses a plug-in and how it keeps
// its abonents.
#include "common/globalpaths.h"
#include "common/logger.h"
#include "host/cchannelpluginlibrary.h"
#include "host/hostabonents.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<HostAbonent>)

class tst_Host : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesPlugin_data();
    void refusesPlugin();
    void loadsPlugin();
    void abonentsFile_data();
    void abonentsFile();
    void abonentsRefuseBadData_data();
    void abonentsRefuseBadData();

private:
    QTemporaryDir scratch;
    // The host's logger state: it must outlive every use of the library.
    DebugData hostDebugData;
};

namespace {

void compareAbonents(const QList<HostAbonent> &actual, const QList<HostAbonent> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        QCOMPARE(actual.at(i).name, expected.at(i).name);
        QCOMPARE(actual.at(i).comSettings, expected.at(i).comSettings);
    }
}

QList<HostAbonent> twoAbonents()
{
    return {{QStringLiteral("Иванов Иван"), QByteArray::fromHex("0000000400000000" "00000000")},
            {QString(), QByteArray()}};
}

} // namespace

void tst_Host::initTestCase()
{
    QVERIFY(scratch.isValid());
    QVERIFY(QDir(Global::settingsDir()).removeRecursively());
    QVERIFY(QDir(Global::dataDir()).removeRecursively());
}

void tst_Host::refusesPlugin_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");

    const QString missing = scratch.filePath(QStringLiteral("libmissing.so"));
    QTest::newRow("missing") << missing
                             << QStringLiteral("Не найдена библиотека модуля настроек канала %1").arg(missing);

    const QString text = scratch.filePath(QStringLiteral("libtext.so"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    QTest::newRow("not a library") << text << QStringLiteral("Не удалось загрузить библиотеку %1: ").arg(text);

    QTest::newRow("no initDebug") << QStringLiteral(NOINITDEBUG_PLUGIN_PATH)
                                  << QStringLiteral("В библиотеке %1 нет функции initDebug")
                                         .arg(QStringLiteral(NOINITDEBUG_PLUGIN_PATH));
    QTest::newRow("interface version 4")
        << QStringLiteral(VERSION4_PLUGIN_PATH)
        << QStringLiteral("Библиотека %1 реализует интерфейс версии 4, а нужна версия 5")
               .arg(QStringLiteral(VERSION4_PLUGIN_PATH));
}

void tst_Host::refusesPlugin()
{
    QFETCH(QString, path);
    QFETCH(QString, message);

    {
        CChannelPluginLibrary library(path);
        const QString refusal = library.load(&hostDebugData);
        QVERIFY2(refusal.startsWith(message), qPrintable(refusal));
        QVERIFY(!library.plugin());
    }
    QVERIFY(!QLibrary(path).isLoaded());
}

void tst_Host::loadsPlugin()
{
    CChannelPluginLibrary library(QStringLiteral(COMCHANNEL_PLUGIN_PATH));
    QCOMPARE(library.load(&hostDebugData), QString());
    QVERIFY(library.plugin());
    QCOMPARE(library.plugin()->channelType(), 2);
    QCOMPARE(LoggerData::debugData(), &hostDebugData);
}

void tst_Host::abonentsFile_data()
{
    QTest::addColumn<QList<HostAbonent>>("abonents");
    QTest::newRow("none") << QList<HostAbonent>();
    QTest::newRow("two") << twoAbonents();
}

// Saved safely and read back; a missing file is an empty book.
void tst_Host::abonentsFile()
{
    QFETCH(QList<HostAbonent>, abonents);
    const QString path = Global::abonentsSettingsFilePath();
    HostAbonents written;
    written.list = abonents;
    QCOMPARE(written.save(path), QString());
    QVERIFY(!QFile::exists(path + QStringLiteral(".new")));

    HostAbonents read;
    read.list = twoAbonents();
    read.list.removeLast();
    QCOMPARE(read.load(path), QString());
    compareAbonents(read.list, abonents);

    QVERIFY(QFile::remove(path));
    read.list = twoAbonents();
    QCOMPARE(read.load(path), QString());
    QVERIFY(read.list.isEmpty());
}

void tst_Host::abonentsRefuseBadData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");

    HostAbonents two;
    two.list = twoAbonents();
    const QByteArray complete = two.toByteArray();
    QTest::newRow("empty") << QByteArray() << QStringLiteral("Версия списка абонентов 0 не совпадает с текущей 1");
    QTest::newRow("cut off") << complete.chopped(2) << QStringLiteral("Список абонентов поврежден");
    QByteArray claimsMore = complete;
    claimsMore[7] = 100;
    QTest::newRow("count beyond the data") << claimsMore << QStringLiteral("Список абонентов поврежден");
}

void tst_Host::abonentsRefuseBadData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    HostAbonents read;
    read.list = twoAbonents();
    QCOMPARE(read.fromByteArray(data), message);
    QVERIFY(read.list.isEmpty());
}

QTEST_MAIN(tst_Host)
#include "tst_host.moc"
