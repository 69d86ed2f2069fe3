// The English translation carried by the library, followed by pages that are
// already shown when a host installs or removes it.
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

namespace {
CComChannelSettingsWidget *channelPage;
CComAbonentSettingsWidget *abonentPage;
QAbstractItemModel *ports() { return channelPage->findChild<QTableView *>()->model(); }
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
        channelPage = new CComChannelSettingsWidget;
        abonentPage = new CComAbonentSettingsWidget;
        QCOMPARE(abonentPage->loadData(AbonentComSettings().toByteArray()), QString());
        channelPage->setDisplayExtendedSettings(true);
    }

    void cleanupTestCase() { delete channelPage; delete abonentPage; }

    void followsTranslator_data()
    {
        QTest::addColumn<TextOf>("textOf");
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::newRow("form") << TextOf([] { return channelPage->findChild<QPushButton *>("pbnAdd")->text(); })
                              << "Добавить" << "Add";
        QTest::newRow("column header") << TextOf([] { return ports()->headerData(2, Qt::Horizontal).toString(); })
                                       << "Управление потоком" << "Flow control";
        QTest::newRow("any port") << TextOf([] { return abonentPage->findChild<QLineEdit *>("lePorts")->text(); })
                                  << "Любой" << "Any";
        QTest::newRow("unit") << TextOf([] { return Global::sizeString(2048); }) << "2.0 КБайт" << "2.0 KiB";
        QTest::newRow("record message")
            << TextOf([] { return ChannelComSettings().fromByteArray(AbonentComSettings().toByteArray()); })
            << "Версия настроек 4 не совпадает с текущей 3" << "Settings version 4 does not match the current 3";
    }

    void followsTranslator()
    {
        QFETCH(TextOf, textOf);
        QFETCH(QString, russian);
        QFETCH(QString, english);
        QCOMPARE(textOf(), russian);
        QSignalSpy headers(ports(), &QAbstractItemModel::headerDataChanged);
        QTranslator translator;
        QVERIFY(translator.load(":/comchannel/translations/comchannel_en.qm"));
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
