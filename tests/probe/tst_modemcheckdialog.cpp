#include "cmodemcheck.h"
#include "host/cmodemcheckdialog.h"
#include "tests/comconf/virtualmodems.h"

#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

// The host's result dialog after a real check of scripted modems, one port a row.
class TstModemCheckDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsEveryPortsVerdict()
    {
        QTemporaryDir dir(QDir::tempPath() + "/modems-XXXXXX");
        qputenv("COMCONF_LOCK_DIRS", QFile::encodeName(dir.path()));
        VirtualModems modems;
        const QList<ComPortSettings> ports{{true, modems.add(dir.filePath("ttyUSB0"), "ok"), "ATZ", 9600, 1, 8, 0, 1},
                                           {true, modems.add(dir.filePath("ttyUSB1"), "ok"), "AT&F\\rATX9", -1, -1, -1, -1, -1},
                                           {true, modems.add(dir.filePath("ttyUSB2"), "silent"), "", 2400, 0, 7, 2, 1}};
        CModemCheck check(ports, {300, QString(), 0});
        QSignalSpy finished(&check, &CModemCheck::finished);
        check.start();
        QVERIFY(finished.wait() && QDir(dir.path()).entryList({"LCK..*"}, QDir::Files).isEmpty()); // released at once
        CModemCheckDialog dialog(check.results());
        const auto *table = dialog.findChild<QTableWidget *>("twResults");
        QCOMPARE(table->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(table->item(row, 1)->text(), check.results().at(row).verdict);
        QVERIFY(table->item(1, 2)->text().contains(QStringLiteral("\nATX9 → ERROR (")));
        dialog.show();
        QVERIFY(QDir().mkpath(SCREENSHOTS_DIR) && dialog.grab().save(SCREENSHOTS_DIR "/modem-check.png"));
    }
};

QTEST_MAIN(TstModemCheckDialog)
#include "tst_modemcheckdialog.moc"
