// Every file the library reads, made hostile: empty, cut at every byte of a
// valid file, 64 MiB of random bytes, a huge claimed count; and the log and
// settings directories replaced by files. Each read must end with the
// library's own answer and leave the disk as it was.
#include "comchannel/ccomabonentsettingswidget.h"
#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "comchannel/ccomportsmodel.h"
#include "common/logger.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"
#include "tests/support/settingsanswers.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QLineEdit>
#include <QtTest>

#include <functional>

using FakeInstallation::filePath;

namespace {

// Who reads the hostile file, and what stands for its answer.
enum Reader {
    ChannelPage,       // channelCom.conf: the message of loadData
    AbonentCache,      // channelCom.conf: canApply of a new abonent page, with a number typed
    SettingsStore,     // settings.ini: "answered" when every number is in range and stays so
    EscapeKey,         // generalSettings.ini: whether Escape closed the port dialog
    LogDirectory,      // data/0/log is a file: the warnings of one log line
    SettingsDirectory, // settings/ is a file: whether the store answered its defaults
};

const QString channelFile = QStringLiteral("settings/channelCom.conf");

QByteArray streamed(std::function<void(QDataStream &)> const &write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    write(out);
    return bytes;
}

QByteArray validChannel()
{
    ChannelComSettings channel;
    channel.ports = {TestSupport::port(true, QStringLiteral("/dev/ttyS0"), QStringLiteral("ATZ"), 9600, 1, 8, 0, 1),
                     TestSupport::namedPort(QStringLiteral("COM2"), false)};
    return channel.toByteArray();
}

QByteArray validAbonent()
{
    AbonentComSettings abonent;
    abonent.phoneNumber = QStringLiteral("T123456");
    abonent.ports = QStringList{QStringLiteral("/dev/ttyS0"), QStringLiteral("COM2")};
    return abonent.toByteArray();
}

const QByteArray &randomBytes()
{
    static const QByteArray bytes = [] {
        QByteArray random(64 << 20, Qt::Uninitialized);
        QRandomGenerator(20240601).fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
        return random;
    }();
    return bytes;
}

// What the record readers answer on bytes that are no whole record of that version.
QString recordMessage(QByteArray const &content, qint32 version)
{
    const qint32 found = content.size() < 4 ? 0 : qFromBigEndian<qint32>(content.constData());
    if (found == version)
        return QStringLiteral("Данные повреждены");
    return QStringLiteral("Версия настроек %1 не совпадает с текущей %2").arg(found).arg(version);
}

// Each entry of the installation (bin/ aside) with its permissions and content digest.
QStringList diskState(QString const &skipped)
{
    QStringList state;
    const QString root = filePath(QString());
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next().mid(root.size());
        if (path.startsWith(QLatin1String("/bin")) || path == QLatin1Char('/') + skipped)
            continue;
        QFile file(it.filePath());
        QCryptographicHash digest(QCryptographicHash::Md5);
        if (it.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
            digest.addData(&file);
        state << QStringLiteral("%1 %2 %3")
                     .arg(path, QString::number(int(file.permissions()), 16),
                          QString::fromLatin1(digest.result().toHex()));
    }
    state.sort();
    return state;
}

QString warningsOf(MessageCollector::Messages const &messages)
{
    QStringList warnings;
    for (auto const &message : messages) {
        if (message.first == QtWarningMsg)
            warnings << message.second;
    }
    return warnings.join(QLatin1Char('\n'));
}

// No settings and an empty level-0 data directory; the reset leaves alone the
// files that earlier rows stood where directories belong.
void startClean()
{
    QFile::remove(filePath(QStringLiteral("settings")));
    QFile::remove(filePath(QStringLiteral("data/0/log")));
    FakeInstallation::reset();
    QDir().mkpath(filePath(QStringLiteral("data/0")));
}

QString answerOf(Reader reader)
{
    switch (reader) {
    case ChannelPage: {
        CChannelUsedDevices registry;
        CComChannelSettingsWidget page;
        page.usedDevices = &registry;
        return page.loadData();
    }
    case AbonentCache: {
        CComAbonentSettingsWidget page;
        page.findChild<QLineEdit *>(QStringLiteral("leNumber"))->setText(QStringLiteral("1"));
        return page.canApply();
    }
    case SettingsStore:
        return settingsAnswersHold() ? QStringLiteral("answered") : QStringLiteral("not answered");
    case EscapeKey: {
        CComPortsModel model;
        CChannelUsedDevices registry;
        CComPortDialog dialog(&model, &registry, nullptr);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.isVisible() ? QStringLiteral("open") : QStringLiteral("closed");
    }
    case LogDirectory: {
        MessageCollector collector;
        debug(QStringLiteral("Hostile"), QStringLiteral("line"));
        return warningsOf(MessageCollector::messages);
    }
    case SettingsDirectory:
        return settingsAnswers() == defaultSettingsAnswers() ? QStringLiteral("defaults") : QStringLiteral("other");
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Reader)

class tst_HostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void hostileFile_data();
    void hostileFile();
    void hostileAbonentRecord_data();
    void hostileAbonentRecord();
};

// The tracer reads its switch once; the abonent pages' cache learns the channel's active port.
void tst_HostileFiles::initTestCase()
{
    startClean();
    QVERIFY(FakeInstallation::writeFile(channelFile, validChannel()));
    CComAbonentSettingsWidget page;
}

void tst_HostileFiles::init()
{
    startClean();
}

void tst_HostileFiles::hostileFile_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    const QString port = QStringLiteral("Укажите COM порт");
    const auto channel = [](QByteArray const &c) { return recordMessage(c, 3); };
    const auto escape = [](QByteArray const &c) {
        // Any value but an empty one, "0" or "false" reads as true.
        const QByteArray key = "closeChildWindows=";
        return c.startsWith(key) && c.size() > key.size() ? QStringLiteral("closed") : QStringLiteral("open");
    };
    const QByteArray hugeChannel = streamed([](QDataStream &out) {
        out << qint32(3) << qint32(0x7fffffff) << qint32(1024) << true << QStringLiteral("COM1") << QString() << 9600
            << 0 << 8 << 0 << 1;
    });
    const QByteArray completeIni = "[Debug]\nall=false\njournals=true\n[Permissions]\nfilePermissions=26214\n"
                                   "dirPermissions=30583\n[Details]\nmaxWritingTime=5000\n";
    const QByteArray hugeIni = "[Permissions]\nfilePermissions=999999999999999999999999\ndirPermissions=-2147483648\n"
                               "[Details]\nmaxWritingTime=4294967296000\n";
    const QByteArray hugeEscape = "closeChildWindows=" + QByteArray(16 << 20, '1') + '\n';

    struct Target {
        const char *name;
        Reader reader;
        const char *file;
        QByteArray valid; // cut at every byte; null for the directories
        QByteArray huge;
        std::function<QString(QByteArray const &)> expected;
    };
    const QList<Target> targets = {
        {"channel page", ChannelPage, "settings/channelCom.conf", validChannel(), hugeChannel, channel},
        {"abonent cache", AbonentCache, "settings/channelCom.conf", validChannel(), hugeChannel,
         [port](QByteArray const &) { return port; }},
        {"settings store", SettingsStore, "settings/settings.ini", completeIni, hugeIni,
         [](QByteArray const &) { return QStringLiteral("answered"); }},
        {"escape", EscapeKey, "settings/generalSettings.ini", "closeChildWindows=true\n", hugeEscape, escape},
        {"log directory", LogDirectory, "data/0/log", QByteArray(), QByteArray(),
         [](QByteArray const &) {
             return QStringLiteral("Не удалось создать каталог для записи лога \"%1\"")
                 .arg(FakeInstallation::logDirPath());
         }},
        {"settings directory", SettingsDirectory, "settings", QByteArray(), QByteArray(),
         [](QByteArray const &) { return QStringLiteral("defaults"); }},
    };

    for (const Target &target : targets) {
        const auto row = [&target](const QString &name, QByteArray const &content) {
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(target.name), name)))
                << target.reader << QString::fromLatin1(target.file) << content << target.expected(content);
        };
        row(QStringLiteral("empty"), QByteArray(""));
        for (int size = 1; size < target.valid.size(); ++size)
            row(QStringLiteral("cut at %1").arg(size), target.valid.left(size));
        row(QStringLiteral("64 MiB random"), randomBytes());
        if (!target.huge.isNull())
            row(QStringLiteral("huge count"), target.huge);
    }
}

void tst_HostileFiles::hostileFile()
{
    QFETCH(Reader, reader);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    QVERIFY(FakeInstallation::writeFile(file, content));
    // The store alone writes: its defaults, into its own file.
    const QString written = reader == SettingsStore ? file : QString();
    const auto before = diskState(written);
    QCOMPARE(answerOf(reader), expected);
    QCOMPARE(diskState(written), before);
}

void tst_HostileFiles::hostileAbonentRecord_data()
{
    QTest::addColumn<QByteArray>("record");

    const QByteArray valid = validAbonent();
    QTest::newRow("empty") << QByteArray("");
    for (int size = 1; size < valid.size(); ++size)
        QTest::newRow(qPrintable(QStringLiteral("cut at %1").arg(size))) << valid.left(size);
    QTest::newRow("64 MiB random") << randomBytes();
    QTest::newRow("huge count") << streamed([](QDataStream &out) {
        out << qint32(4) << QStringLiteral("1") << quint32(0xffffffff) << QStringLiteral("COM1");
    });
    QTest::newRow("huge length") << streamed([](QDataStream &out) {
        out << qint32(4) << quint32(0xfffffffe) << QStringLiteral("1");
    });
}

// The host hands the record over: no file, but the same promise.
void tst_HostileFiles::hostileAbonentRecord()
{
    QFETCH(QByteArray, record);

    CComAbonentSettingsWidget page;
    QVERIFY(page.loadData(validAbonent()).isEmpty());
    const auto before = diskState(QString());
    QCOMPARE(page.loadData(record), recordMessage(record, 4));
    QCOMPARE(page.saveData(), validAbonent());
    QCOMPARE(diskState(QString()), before);
}

QTEST_MAIN(tst_HostileFiles)
#include "tst_hostilefiles.moc"
