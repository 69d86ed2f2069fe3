// The English translation carried by the library, followed by pages that are
// already shown when a host installs or removes it.
#include "../support/channeldata.h"
#include "../support/fakeinstallation.h"
#include "comchannel/ccomabonentsettingswidget.h"
#include "comchannel/ccomchannelsettingswidget.h"
#include "common/globalformat.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<CComChannelSettingsWidget> channelPage;
std::unique_ptr<CComAbonentSettingsWidget> abonentPage;

QAbstractItemModel *ports()
{
    return channelPage->findChild<QTableView *>(QStringLiteral("tvPorts"))->model();
}

using TextOf = QString (*)();

} // namespace

Q_DECLARE_METATYPE(TextOf)

class tst_translation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qRegisterMetaType<Qt::Orientation>();
        FakeInstallation::reset();
        ComPortSettings port = TestSupport::namedPort(QStringLiteral("/dev/ttyS0"), true);
        port.flowControl = 1;
        ChannelComSettings channel;
        channel.ports << port;
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/channelCom.conf"), channel.toByteArray()));
        channelPage = std::make_unique<CComChannelSettingsWidget>();
        QCOMPARE(channelPage->loadData(), QString());
        channelPage->setDisplayExtendedSettings(true);
        abonentPage = std::make_unique<CComAbonentSettingsWidget>();
        QCOMPARE(abonentPage->loadData(AbonentComSettings().toByteArray()), QString());
        channelPage->show();
        abonentPage->show();
    }

    void cleanupTestCase()
    {
        channelPage.reset();
        abonentPage.reset();
    }

    void followsTranslator_data()
    {
        QTest::addColumn<TextOf>("textOf");
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::newRow("form of the channel page")
            << TextOf([] { return channelPage->findChild<QPushButton *>(QStringLiteral("pbnAdd"))->text(); })
            << QStringLiteral("Добавить") << QStringLiteral("Add");
        QTest::newRow("column header")
            << TextOf([] { return ports()->headerData(2, Qt::Horizontal).toString(); })
            << QStringLiteral("Управление потоком") << QStringLiteral("Flow control");
        QTest::newRow("cell") << TextOf([] { return ports()->index(0, 2).data().toString(); })
                              << QStringLiteral("Аппаратное") << QStringLiteral("Hardware");
        QTest::newRow("ports of an abonent for any port")
            << TextOf([] { return abonentPage->findChild<QLineEdit *>(QStringLiteral("lePorts"))->text(); })
            << QStringLiteral("Любой") << QStringLiteral("Any");
        QTest::newRow("unit kept by the common library")
            << TextOf([] { return Global::sizeString(2048); }) << QStringLiteral("2.0 КБайт")
            << QStringLiteral("2.0 KiB");
        QTest::newRow("record message")
            << TextOf([] { return ChannelComSettings().fromByteArray(AbonentComSettings().toByteArray()); })
            << QStringLiteral("Версия настроек 4 не совпадает с текущей 3")
            << QStringLiteral("Settings version 4 does not match the current 3");
    }

    void followsTranslator()
    {
        QFETCH(TextOf, textOf);
        QFETCH(QString, russian);
        QFETCH(QString, english);
        QCOMPARE(textOf(), russian);

        QSignalSpy headers(ports(), &QAbstractItemModel::headerDataChanged);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/comchannel/translations/comchannel_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::processEvents();
        QCOMPARE(textOf(), english);
        QCOMPARE(headers.count(), 1);

        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCoreApplication::processEvents();
        QCOMPARE(textOf(), russian);
    }
};

QTEST_MAIN(tst_translation)
#include "tst_translation.moc"
