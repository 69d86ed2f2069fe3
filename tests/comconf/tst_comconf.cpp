#include "comchannel/comsettings.h"
#include "tests/support/unprivileged.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// comconf is driven through its command line, as operators and scripts use it,
// on records and fake installations made here.
class TstComconf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void commandLineErrors_data();
    void commandLineErrors();
    void showRecord_data();
    void showRecord();
    void showBrokenRecord_data();
    void showBrokenRecord();
    void jsonRoundTrip_data();
    void jsonRoundTrip();
    void buildRefusesBadValues_data();
    void buildRefusesBadValues();

    void checkFindings_data();
    void checkFindings();
    void checkLeavesInstallationUnchanged();
    void checkCleanInstallation();
    void checkChannelFile_data();
    void checkChannelFile();
    void checkSecrecyLevel_data();
    void checkSecrecyLevel();
    void checkDefaultInstallation();

private:
    struct Run {
        int exitCode = -1;
        QStringList lines;
    };

    Run comconf(const QStringList &arguments) const;
    QString scratchPath(const QString &name) const;
    QString problemInstallation() const;
    void makeProblemInstallation();

    QTemporaryDir scratch;
    Run problemReport;
};

namespace {

ComPortSettings port(bool active, const QString &name, const QString &initString, int baudRate = 9600,
                     int flowControl = 1, int dataBits = 8, int parity = 0, int stopBits = 1)
{
    ComPortSettings settings;
    settings.active = active;
    settings.portName = name;
    settings.initString = initString;
    settings.baudRate = baudRate;
    settings.flowControl = flowControl;
    settings.dataBits = dataBits;
    settings.parity = parity;
    settings.stopBits = stopBits;
    return settings;
}

QByteArray channelRecord(const QList<ComPortSettings> &ports, int blockSize = 1024)
{
    ChannelComSettings channel;
    channel.ports = ports;
    channel.blockSize = blockSize;
    return channel.toByteArray();
}

QByteArray abonentRecord(const QString &phoneNumber, const QStringList &ports)
{
    AbonentComSettings abonent;
    abonent.phoneNumber = phoneNumber;
    abonent.ports = ports;
    return abonent.toByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A minimal installation: the four data levels, settings.ini and, when given,
// channelCom.conf.
void makeInstallation(const QString &root, const QByteArray &settingsIni, const QByteArray &channel)
{
    for (int level = 0; level < 4; ++level)
        QVERIFY(QDir().mkpath(QStringLiteral("%1/data/%2").arg(root).arg(level)));
    writeFile(root + QStringLiteral("/settings/settings.ini"), settingsIni);
    if (!channel.isNull())
        writeFile(root + QStringLiteral("/settings/channelCom.conf"), channel);
}

// The pid of a process that has run and exited.
qint64 deadPid()
{
    QProcess process;
    process.start(QStringLiteral(COMCONF_PATH), QStringList());
    if (!process.waitForStarted())
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

QByteArray binaryPid(qint64 pid)
{
    const qint32 value = qint32(pid);
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof value);
}

bool hasLine(const QStringList &lines, const QString &marker, const QStringList &fragments)
{
    for (const QString &line : lines) {
        if (!line.startsWith(marker))
            continue;
        bool all = true;
        for (const QString &fragment : fragments)
            all = all && line.contains(fragment);
        if (all)
            return true;
    }
    return false;
}

// Relative paths and contents of every file below root.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), readFile(path));
    }
    return files;
}

const QString ValidSettings = QStringLiteral("[Debug]\nall=false\njournals=true\n\n"
                                             "[Details]\nmaxWritingTime=100\n\n"
                                             "[Permissions]\ndirPermissions=30583\nfilePermissions=24576\n");

} // namespace

void TstComconf::initTestCase()
{
    QVERIFY(scratch.isValid());
    QVERIFY(QFileInfo(QStringLiteral(COMCONF_PATH)).isExecutable());
    // Lock files and device aliases of this machine stay out of every test.
    QVERIFY(QDir().mkpath(scratchPath(QStringLiteral("lock1"))));
    QVERIFY(QDir().mkpath(scratchPath(QStringLiteral("lock2"))));
    QVERIFY(QDir().mkpath(scratchPath(QStringLiteral("by-id"))));
    makeProblemInstallation();
}

TstComconf::Run TstComconf::comconf(const QStringList &arguments) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("COMCONF_LOCK_DIRS"),
                       scratchPath(QStringLiteral("lock1")) + QLatin1Char(':') + scratchPath(QStringLiteral("lock2")));
    environment.insert(QStringLiteral("COMCONF_BYID_DIR"), scratchPath(QStringLiteral("by-id")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(COMCONF_PATH), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

QString TstComconf::scratchPath(const QString &name) const
{
    return scratch.filePath(name);
}

QString TstComconf::problemInstallation() const
{
    return scratchPath(QStringLiteral("problem"));
}

// One installation with one of each fault that operators run into.
void TstComconf::makeProblemInstallation()
{
    const QString dev = scratchPath(QStringLiteral("dev"));
    const QString modem = dev + QStringLiteral("/ttyUSB7");
    const QString spare = dev + QStringLiteral("/ttyACM3");
    const QString busy = dev + QStringLiteral("/ttyS31");
    for (const QString &device : {modem, spare, busy})
        writeFile(device, QByteArray());
    QVERIFY(QFile::link(modem, scratchPath(QStringLiteral("by-id/usb-Test_Modem_42-if00-port0"))));

    const QList<ComPortSettings> ports{
        port(true, modem, QStringLiteral("ZATZ\\r")),
        port(false, spare, QStringLiteral("AT") + QString(39, QLatin1Char('x'))),
        port(false, busy, QStringLiteral("at") + QString(35, QLatin1Char('x')) + QStringLiteral("\\r\\n\\t")),
        port(true, dev + QStringLiteral("/ttyUSB8"), QStringLiteral("ATZ"), 9600, 1, 8, 1),
    };
    makeInstallation(problemInstallation(),
                     "[Debug]\njournals=yes\n\n[Details]\nmaxWritingTime=99\n\n[Permissions]\ndirPermissions=30583\n",
                     channelRecord(ports));

    const qint64 stale = deadPid();
    QVERIFY(stale > 0);
    writeFile(scratchPath(QStringLiteral("lock1/LCK..ttyUSB7")), QByteArray::number(stale).rightJustified(10) + '\n');
    writeFile(scratchPath(QStringLiteral("lock2/LCK..ttyACM3")), binaryPid(stale));
    writeFile(scratchPath(QStringLiteral("lock2/LCK..ttyS31")),
              QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_comconf\nhost\n");

    writeFile(scratchPath(QStringLiteral("unreachable.abonent")), abonentRecord(QStringLiteral("T100"), {spare}));
    writeFile(scratchPath(QStringLiteral("partly.abonent")), abonentRecord(QStringLiteral("T200"), {modem, spare}));
    writeFile(scratchPath(QStringLiteral("any.abonent")), abonentRecord(QStringLiteral("T300"), {}));

    problemReport = comconf({QStringLiteral("check"), problemInstallation(), QStringLiteral("--abonents"),
                             scratchPath(QStringLiteral("unreachable.abonent")),
                             scratchPath(QStringLiteral("partly.abonent")),
                             scratchPath(QStringLiteral("any.abonent"))});
}

void TstComconf::commandLineErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown command") << QStringList{QStringLiteral("repair")}
                                     << QStringLiteral("Неизвестная команда: repair");
    QTest::newRow("show without a file") << QStringList{QStringLiteral("show"), QStringLiteral("--json")}
                                         << QStringLiteral("Не указан файл записи");
    QTest::newRow("build without output")
        << QStringList{QStringLiteral("build"), QStringLiteral("--from-json"), QStringLiteral("a.json")}
        << QStringLiteral("Не указан файл для записи (-o)");
    QTest::newRow("build option without value")
        << QStringList{QStringLiteral("build"), QStringLiteral("-o"), QStringLiteral("out"),
                       QStringLiteral("--from-json")}
        << QStringLiteral("Не указано значение параметра --from-json");
    QTest::newRow("abonents without files") << QStringList{QStringLiteral("check"), QStringLiteral("--abonents")}
                                            << QStringLiteral("После --abonents не указан ни один файл");
    QTest::newRow("two installations")
        << QStringList{QStringLiteral("check"), QStringLiteral("/opt/a"), QStringLiteral("/opt/b")}
        << QStringLiteral("Неизвестный параметр: /opt/b");
}

void TstComconf::commandLineErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const Run run = comconf(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.lines.value(0), message);
}

void TstComconf::showRecord_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("channel with ports")
        << channelRecord({port(true, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ATZ\\r"), 9600, 1, 8, 2, 3),
                          port(false, QStringLiteral("/dev/ttyS1"), QString(), -1, -1, -1, -1, -1)},
                         2048)
        << QStringList{QStringLiteral("Запись канала"), QStringLiteral("Размер блока: 2048 байт"),
                       QStringLiteral("Портов: 2"),
                       QStringLiteral("Порт 1: «/dev/ttyUSB0», активен, скорость, бит/с: 9600, управление потоком: "
                                      "Аппаратное, биты данных: 8, четность: Чет, стоповые биты: 1.5, строка "
                                      "инициализации: «ATZ\\r»"),
                       QStringLiteral("Порт 2: «/dev/ttyS1», неактивен, скорость, бит/с: не задано, управление "
                                      "потоком: не задано, биты данных: не задано, четность: не задано, стоповые "
                                      "биты: не задано, строка инициализации: не задано")};
    QTest::newRow("channel without ports")
        << channelRecord({}, 22)
        << QStringList{QStringLiteral("Запись канала"), QStringLiteral("Размер блока: 22 байта"),
                       QStringLiteral("Портов: 0")};
    QTest::newRow("port with codes no dialog offers")
        << channelRecord({port(true, QStringLiteral("COM1"), QStringLiteral(""), 300, 7, 4, 1, 0)})
        << QStringList{QStringLiteral("Запись канала"), QStringLiteral("Размер блока: 1024 байта"),
                       QStringLiteral("Портов: 1"),
                       QStringLiteral("Порт 1: «COM1», активен, скорость, бит/с: 300, управление потоком: "
                                      "недопустимый код 7, биты данных: недопустимый код 4, четность: недопустимый "
                                      "код 1, стоповые биты: недопустимый код 0, строка инициализации: «»")};
    QTest::newRow("abonent with ports")
        << abonentRecord(QStringLiteral("T123456"), {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1")})
        << QStringList{QStringLiteral("Запись абонента"), QStringLiteral("Номер: «T123456»"),
                       QStringLiteral("Порты: «/dev/ttyUSB0»; «/dev/ttyUSB1»")};
    QTest::newRow("abonent for any port")
        << abonentRecord(QString(), {})
        << QStringList{QStringLiteral("Запись абонента"), QStringLiteral("Номер: не задано"),
                       QStringLiteral("Порты: Любой")};
}

void TstComconf::showRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, expected);

    const QString file = scratchPath(QStringLiteral("shown.conf"));
    writeFile(file, record);
    const Run run = comconf({QStringLiteral("show"), file});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines, expected);
}

void TstComconf::showBrokenRecord_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("expected");

    const QByteArray channel = channelRecord({port(true, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ATZ")),
                                              port(false, QStringLiteral("/dev/ttyUSB1"), QStringLiteral("ATZ"))});
    QTest::newRow("channel cut in its second entry")
        << channel.left(channel.size() - 5)
        << QStringList{QStringLiteral("Запись канала"), QStringLiteral("Размер блока: 1024 байта"),
                       QStringLiteral("Портов прочитано целиком: 1"),
                       QStringLiteral("Порт 1: «/dev/ttyUSB0», активен, скорость, бит/с: 9600, управление потоком: "
                                      "Аппаратное, биты данных: 8, четность: Нет, стоповые биты: 1, строка "
                                      "инициализации: «ATZ»"),
                       QStringLiteral("Порт 2: прочитан не полностью"), QStringLiteral("ОШИБКА: Данные повреждены")};
    const QByteArray abonent = abonentRecord(QStringLiteral("T1"), {QStringLiteral("/dev/ttyUSB0")});
    QTest::newRow("abonent cut in its ports")
        << abonent.left(abonent.size() - 3)
        << QStringList{QStringLiteral("Запись абонента"), QStringLiteral("Номер: «T1»"),
                       QStringLiteral("ОШИБКА: Данные повреждены")};
    QByteArray newer = channel;
    newer[3] = 7;
    QTest::newRow("unknown version")
        << newer
        << QStringList{QStringLiteral("ОШИБКА: как запись канала: Версия настроек 7 не совпадает с текущей 3"),
                       QStringLiteral("ОШИБКА: как запись абонента: Версия настроек 7 не совпадает с текущей 4")};
    QTest::newRow("empty file")
        << QByteArray()
        << QStringList{QStringLiteral("ОШИБКА: как запись канала: Версия настроек 0 не совпадает с текущей 3"),
                       QStringLiteral("ОШИБКА: как запись абонента: Версия настроек 0 не совпадает с текущей 4")};
}

void TstComconf::showBrokenRecord()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, expected);

    const QString file = scratchPath(QStringLiteral("broken.conf"));
    writeFile(file, data);
    const Run run = comconf({QStringLiteral("show"), file});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines, expected);
}

void TstComconf::jsonRoundTrip_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("nulls");

    QTest::newRow("channel with null and empty strings")
        << channelRecord({port(true, QStringLiteral("/dev/модем"), QString(), 115200, 2, 5, 5, 2),
                          port(false, QStringLiteral(""), QStringLiteral("AT&F\\r\\n"), -1, 0, -1, 4, -1)},
                         512)
        << QStringLiteral("channel") << 1;
    QTest::newRow("default channel") << ChannelComSettings().toByteArray() << QStringLiteral("channel") << 0;
    QTest::newRow("abonent with null number and an empty port")
        << abonentRecord(QString(), {QStringLiteral(""), QStringLiteral("/dev/ttyUSB0")})
        << QStringLiteral("abonent") << 1;
}

void TstComconf::jsonRoundTrip()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, kind);
    QFETCH(int, nulls);

    const QString input = scratchPath(QStringLiteral("input.conf"));
    const QString json = scratchPath(QStringLiteral("record.json"));
    const QString output = scratchPath(QStringLiteral("output.conf"));
    QFile::remove(output);
    writeFile(input, record);

    const Run shown = comconf({QStringLiteral("show"), QStringLiteral("--json"), input});
    QCOMPARE(shown.exitCode, 0);
    const QByteArray text = shown.lines.join(QLatin1Char('\n')).toUtf8();
    const QJsonDocument document = QJsonDocument::fromJson(text);
    QCOMPARE(document.object().value(QStringLiteral("kind")).toString(), kind);
    QCOMPARE(text.count("null"), nulls);
    writeFile(json, text);

    const Run built =
        comconf({QStringLiteral("build"), QStringLiteral("--from-json"), json, QStringLiteral("-o"), output});
    QCOMPARE(built.exitCode, 0);
    QCOMPARE(readFile(output), record);
}

namespace {

// A valid channel description with one value replaced (removed when undefined).
QByteArray channelJson(const QString &field, const QJsonValue &value, int port = 1)
{
    QJsonObject ports[2];
    for (QJsonObject &object : ports)
        object = {{QStringLiteral("active"), true},       {QStringLiteral("portName"), QStringLiteral("/dev/ttyUSB0")},
                  {QStringLiteral("initString"), QJsonValue()}, {QStringLiteral("baudRate"), 9600},
                  {QStringLiteral("flowControl"), 1},     {QStringLiteral("dataBits"), 8},
                  {QStringLiteral("parity"), 0},          {QStringLiteral("stopBits"), 1}};
    QJsonObject channel{{QStringLiteral("kind"), QStringLiteral("channel")}, {QStringLiteral("blockSize"), 1024}};
    QJsonObject &target = port < 0 ? channel : ports[port];
    if (value.isUndefined())
        target.remove(field);
    else
        target.insert(field, value);
    channel.insert(QStringLiteral("ports"), QJsonArray{ports[0], ports[1]});
    return QJsonDocument(channel).toJson();
}

} // namespace

void TstComconf::buildRefusesBadValues_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    const QString second = QStringLiteral("Порт 2 (ports[1]), ");
    QTest::newRow("parity 1")
        << channelJson(QStringLiteral("parity"), 1)
        << second + QStringLiteral("поле parity: недопустимое значение 1 (допустимо: -1, 0, 2, 3, 4, 5)");
    QTest::newRow("stop bits 0") << channelJson(QStringLiteral("stopBits"), 0)
                                 << second + QStringLiteral("поле stopBits: недопустимое значение 0");
    QTest::newRow("data bits 9") << channelJson(QStringLiteral("dataBits"), 9)
                                 << second + QStringLiteral("поле dataBits: недопустимое значение 9");
    QTest::newRow("flow control 3") << channelJson(QStringLiteral("flowControl"), 3)
                                    << second + QStringLiteral("поле flowControl: недопустимое значение 3");
    QTest::newRow("speed 0") << channelJson(QStringLiteral("baudRate"), 0)
                             << second + QStringLiteral("поле baudRate: недопустимое значение 0");
    QTest::newRow("fractional speed") << channelJson(QStringLiteral("baudRate"), 9600.5)
                                      << second + QStringLiteral("поле baudRate: должно быть целым числом");
    QTest::newRow("active as text")
        << channelJson(QStringLiteral("active"), QStringLiteral("да"), 0)
        << QStringLiteral("Порт 1 (ports[0]), поле active: должно быть логическим значением");
    QTest::newRow("missing field") << channelJson(QStringLiteral("dataBits"), QJsonValue(QJsonValue::Undefined))
                                   << second + QStringLiteral("поле dataBits: отсутствует");
    QTest::newRow("misspelt field") << channelJson(QStringLiteral("partiy"), 0)
                                    << second + QStringLiteral("поле partiy: неизвестное поле");
    QTest::newRow("block size 0") << channelJson(QStringLiteral("blockSize"), 0, -1)
                                  << QStringLiteral("Запись канала, поле blockSize: недопустимое значение 0");
    QTest::newRow("unknown kind") << channelJson(QStringLiteral("kind"), QStringLiteral("modem"), -1)
                                  << QStringLiteral("Поле kind: должно быть \"channel\" или \"abonent\"");
    QTest::newRow("abonent port not a string")
        << QByteArray(R"({"kind": "abonent", "phoneNumber": "T1", "ports": [5]})")
        << QStringLiteral("Запись абонента, поле ports[0]: должно быть строкой или null");
    QTest::newRow("not JSON") << QByteArray("{\"kind\": ") << QStringLiteral("Файл JSON не разобран");
}

void TstComconf::buildRefusesBadValues()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);

    const QString input = scratchPath(QStringLiteral("bad.json"));
    const QString output = scratchPath(QStringLiteral("refused.conf"));
    writeFile(input, json);
    const Run run =
        comconf({QStringLiteral("build"), QStringLiteral("--from-json"), input, QStringLiteral("-o"), output});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(hasLine(run.lines, QStringLiteral("ОШИБКА: "), {message}), qPrintable(run.lines.join(QLatin1Char('\n'))));
    QVERIFY(!QFile::exists(output));
}

void TstComconf::checkFindings_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QStringList>("fragments");
    QTest::addColumn<bool>("reported");

    const QString error = QStringLiteral("ОШИБКА:");
    const QString warning = QStringLiteral("ПРЕДУПРЕЖДЕНИЕ:");
    const QString ok = QStringLiteral("OK:");
    const QString modem = QStringLiteral("«%1»").arg(scratchPath(QStringLiteral("dev/ttyUSB7")));
    const QString spare = QStringLiteral("«%1»").arg(scratchPath(QStringLiteral("dev/ttyACM3")));
    const QString busy = QStringLiteral("«%1»").arg(scratchPath(QStringLiteral("dev/ttyS31")));

    QTest::newRow("out-of-range setting")
        << warning << QStringList{QStringLiteral("Details/maxWritingTime = 99: вне допустимого диапазона 100 – 10000"),
                                  QStringLiteral("по умолчанию 5000")} << true;
    QTest::newRow("non-boolean switch")
        << warning << QStringList{QStringLiteral("Debug/journals = «yes»: не логическое значение")} << true;
    QTest::newRow("valid setting left alone") << warning << QStringList{QStringLiteral("dirPermissions")} << false;
    QTest::newRow("init string without AT")
        << error << QStringList{modem, QStringLiteral("строка инициализации «ZATZ\\r» не начинается с AT")} << true;
    QTest::newRow("init string too long")
        << warning << QStringList{spare, QStringLiteral("длиной 41 символов; модем принимает около 40")} << true;
    QTest::newRow("escapes count once, lower-case at")
        << ok << QStringList{busy, QStringLiteral("строка инициализации"), QStringLiteral("в порядке")} << true;
    QTest::newRow("stale ASCII lock")
        << error
        << QStringList{modem, QStringLiteral("устаревший файл блокировки"), QStringLiteral("lock1/LCK..ttyUSB7")}
        << true;
    QTest::newRow("stale binary lock")
        << error
        << QStringList{spare, QStringLiteral("устаревший файл блокировки"), QStringLiteral("lock2/LCK..ttyACM3")}
        << true;
    QTest::newRow("lock of a live process")
        << warning
        << QStringList{busy, QStringLiteral("занят процессом %1").arg(QCoreApplication::applicationPid())} << true;
    QTest::newRow("stable alias")
        << warning
        << QStringList{modem, QStringLiteral("постоянное имя: %1")
                                  .arg(scratchPath(QStringLiteral("by-id/usb-Test_Modem_42-if00-port0")))}
        << true;
    QTest::newRow("active port the system does not see")
        << error << QStringList{modem, QStringLiteral("активен, но система его сейчас не видит")} << true;
    QTest::newRow("invalid code in the channel file")
        << error << QStringList{QStringLiteral("ttyUSB8»"), QStringLiteral("поле parity: недопустимое значение 1")}
        << true;
    QTest::newRow("abonent without an active port")
        << error << QStringList{QStringLiteral("абонент «T100»"), QStringLiteral("ни один из его портов"), spare}
        << true;
    QTest::newRow("abonent with an inactive port")
        << warning << QStringList{QStringLiteral("абонент «T200»"), QStringLiteral("порты %1 не активны").arg(spare)}
        << true;
    QTest::newRow("abonent for any port")
        << ok << QStringList{QStringLiteral("абонент «T300»"), QStringLiteral("любой порт")} << true;
}

void TstComconf::checkFindings()
{
    QFETCH(QString, marker);
    QFETCH(QStringList, fragments);
    QFETCH(bool, reported);

    QCOMPARE(problemReport.exitCode, 1);
    QVERIFY2(hasLine(problemReport.lines, marker, fragments) == reported,
             qPrintable(problemReport.lines.join(QLatin1Char('\n'))));
}

void TstComconf::checkLeavesInstallationUnchanged()
{
    const QMap<QString, QByteArray> before = snapshot(problemInstallation());
    QVERIFY(before.contains(QStringLiteral("settings/settings.ini")));
    QCOMPARE(comconf({QStringLiteral("check"), problemInstallation()}).exitCode, 1);
    QCOMPARE(snapshot(problemInstallation()), before);
}

void TstComconf::checkCleanInstallation()
{
    // No port of this machine can be counted on, so the clean channel's port is inactive.
    const QString root = scratchPath(QStringLiteral("clean"));
    makeInstallation(root, ValidSettings.toUtf8(),
                     channelRecord({port(false, root + QStringLiteral("/ttyUSB0"), QStringLiteral("ATZ\\r"))}));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/data/0/log")));

    const Run run = comconf({QStringLiteral("check"), root});
    const QString report = run.lines.join(QLatin1Char('\n'));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(!hasLine(run.lines, QStringLiteral("ОШИБКА:"), {}), qPrintable(report));
    QVERIFY2(hasLine(run.lines, QStringLiteral("OK:"),
                     {QStringLiteral("значения файла настроек в допустимых пределах")}),
             qPrintable(report));
    QVERIFY2(hasLine(run.lines, QStringLiteral("OK:"), {QStringLiteral("каталог журналов уровня 0: запись разрешена")}),
             qPrintable(report));
    QVERIFY2(hasLine(run.lines, QStringLiteral("OK:"), {QStringLiteral("строка инициализации «ATZ\\r» в порядке")}),
             qPrintable(report));
}

void TstComconf::checkChannelFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("message");

    const QByteArray channel = channelRecord({port(true, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ATZ"))});
    QTest::newRow("missing") << QByteArray() << QStringLiteral("ПРЕДУПРЕЖДЕНИЕ:")
                             << QStringLiteral("файл настроек канала отсутствует, COM порты не настроены");
    QTest::newRow("empty") << QByteArray("") << QStringLiteral("ОШИБКА:")
                           << QStringLiteral("channelCom.conf: Версия настроек 0 не совпадает с текущей 3");
    QTest::newRow("abonent record") << abonentRecord(QStringLiteral("T1"), {}) << QStringLiteral("ОШИБКА:")
                                    << QStringLiteral("channelCom.conf: Версия настроек 4 не совпадает с текущей 3");
    QTest::newRow("damaged") << channel.left(channel.size() - 1) << QStringLiteral("ОШИБКА:")
                             << QStringLiteral("channelCom.conf: Данные повреждены");
    QTest::newRow("block size 0") << channelRecord({}, 0) << QStringLiteral("ОШИБКА:")
                                  << QStringLiteral("channelCom.conf, поле blockSize: недопустимое значение 0");
    QTest::newRow("no active port")
        << channelRecord({port(false, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ATZ"))})
        << QStringLiteral("ПРЕДУПРЕЖДЕНИЕ:") << QStringLiteral("в канале нет активных портов");
}

void TstComconf::checkChannelFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, marker);
    QFETCH(QString, message);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    makeInstallation(root.path(), ValidSettings.toUtf8(), content);
    const Run run = comconf({QStringLiteral("check"), root.path()});
    QVERIFY2(hasLine(run.lines, marker, {message}), qPrintable(run.lines.join(QLatin1Char('\n'))));
    QCOMPARE(run.exitCode, marker == QStringLiteral("ОШИБКА:") ? 1 : 0);
}

void TstComconf::checkSecrecyLevel_data()
{
    QTest::addColumn<QList<int>>("readOnlyLevels");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("finding");

    QTest::newRow("every level writable")
        << QList<int>{} << QStringLiteral("OK:") << QStringLiteral(": 0 (уровень 0: запись разрешена; уровень 1");
    QTest::newRow("level 0 read-only")
        << QList<int>{0} << QStringLiteral("OK:")
        << QStringLiteral(": 1 (уровень 0: запись запрещена; уровень 1: запись разрешена");
    QTest::newRow("only level 3 writable")
        << QList<int>{0, 1, 2} << QStringLiteral("OK:")
        << QStringLiteral(": 3 (уровень 0: запись запрещена; уровень 1: запись запрещена; уровень 2: запись "
                          "запрещена; уровень 3: запись разрешена)");
    QTest::newRow("no level writable") << QList<int>{0, 1, 2, 3} << QStringLiteral("ОШИБКА:")
                                       << QStringLiteral("не может писать ни в один каталог данных");
}

void TstComconf::checkSecrecyLevel()
{
    RUN_AS_UNPRIVILEGED_USER();
    QFETCH(QList<int>, readOnlyLevels);
    QFETCH(QString, marker);
    QFETCH(QString, finding);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    makeInstallation(root.path(), ValidSettings.toUtf8(), QByteArray());
    for (int level : readOnlyLevels)
        QVERIFY(QFile::setPermissions(root.filePath(QStringLiteral("data/%1").arg(level)),
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::ExeOther));
    const Run run = comconf({QStringLiteral("check"), root.path()});
    QVERIFY2(hasLine(run.lines, marker, {QStringLiteral("уровень"), finding}),
             qPrintable(run.lines.join(QLatin1Char('\n'))));
}

void TstComconf::checkDefaultInstallation()
{
    QDir installDir = QFileInfo(QStringLiteral(COMCONF_PATH)).absoluteDir();
    QVERIFY(installDir.cdUp());
    const Run run = comconf({QStringLiteral("check")});
    QCOMPARE(run.lines.value(0), QStringLiteral("OK: каталог установки: %1").arg(installDir.absolutePath()));
    QVERIFY2(hasLine(run.lines, QString(),
                     {QStringLiteral("каталог настроек"), installDir.filePath(QStringLiteral("settings"))}),
             qPrintable(run.lines.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TstComconf)
#include "tst_comconf.moc"
