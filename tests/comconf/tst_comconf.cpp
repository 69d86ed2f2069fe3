#include "comchannel/comsettings.h"
#include "tests/support/unprivileged.h"
#include "virtualmodems.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QStringList lines;
};

// A port with the codes the dialog offers first.
ComPortSettings port(bool active, const QString &name, const QString &initString)
{
    return {active, name, initString, 9600, 1, 8, 0, 1};
}

QByteArray channel(const QList<ComPortSettings> &ports, int blockSize = 1024)
{
    return ChannelComSettings{ports, blockSize}.toByteArray();
}

QByteArray abonent(const QString &phoneNumber, const QStringList &ports)
{
    return AbonentComSettings{phoneNumber, ports}.toByteArray();
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

// A line that matches the finding, "…" standing for any text.
bool hasLine(const QStringList &lines, const QString &finding)
{
    QStringList pieces = finding.split(QStringLiteral("…"));
    for (QString &piece : pieces)
        piece = QRegularExpression::escape(piece);
    return lines.indexOf(QRegularExpression(pieces.join(".*"))) >= 0;
}

// A valid channel description with one field of its second port (port -1: of
// the record) set; an undefined value removes the field.
QByteArray channelJson(const QString &field, const QJsonValue &value, int port = 1)
{
    const QJsonObject valid{{"active", true}, {"portName", "/dev/ttyUSB0"}, {"initString", QJsonValue()},
                            {"baudRate", 9600}, {"flowControl", 1},           {"dataBits", 8},
                            {"parity", 0},      {"stopBits", 1}};
    QJsonObject ports[2]{valid, valid};
    ports[1].insert(QStringLiteral("portName"), QStringLiteral("/dev/ttyUSB1"));
    QJsonObject record{{"kind", "channel"}, {"blockSize", 1024}};
    (port < 0 ? record : ports[port]).insert(field, value);
    record.insert(QStringLiteral("ports"), QJsonArray{ports[0], ports[1]});
    return QJsonDocument(record).toJson();
}

const QByteArray ValidSettings = "[Debug]\nall=false\njournals=true\n\n[Details]\nmaxWritingTime=100\n\n"
                                 "[Permissions]\ndirPermissions=30583\nfilePermissions=24576\n";

} // namespace

// comconf is driven through its command line, as operators and scripts use it,
// on records and fake installations made here.
class TstComconf : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;
    QByteArray staleLock; // the lock of a process that has exited

    // As root, asNobody runs it as "nobody", who is in no group.
    Run comconf(const QStringList &arguments, bool asNobody = false) const
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QStringList nobody{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};
        const QStringList command = (asNobody && TestSupport::isRoot() ? nobody : QStringList()) + QStringList{COMCONF_PATH};
        process.start(command.first(), command.mid(1) + arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return Run();
        return {process.exitCode(), QString::fromUtf8(process.readAll()).split('\n', Qt::SkipEmptyParts)};
    }

private slots:
    // The devices, their lock files and aliases live in the scratch directory,
    // so that those of this machine stay out of every test.
    void initTestCase()
    {
        QVERIFY(scratch.isValid());
        qputenv("COMCONF_LOCK_DIRS", QFile::encodeName(scratch.filePath("lock1") + ':' + scratch.filePath("lock2")));
        qputenv("COMCONF_BYID_DIR", QFile::encodeName(scratch.filePath("by-id")));
        for (const char *device : {"dev/ttyUSB7", "dev/ttyACM3", "dev/ttyS31"})
            writeFile(scratch.filePath(QString::fromLatin1(device)), QByteArray());
        QVERIFY(QDir().mkpath(scratch.filePath("by-id")));
        QVERIFY(QFile::link(scratch.filePath("dev/ttyUSB7"), scratch.filePath("by-id/usb-Test_Modem_42-if00-port0")));

        QProcess exited;
        exited.start(QStringLiteral(COMCONF_PATH), QStringList());
        QVERIFY(exited.waitForStarted());
        const qint32 stale = qint32(exited.processId());
        QVERIFY(exited.waitForFinished() && stale > 0);
        staleLock = QByteArray::number(stale).rightJustified(10) + '\n';
        writeFile(scratch.filePath("lock1/LCK..ttyUSB7"), staleLock);
        writeFile(scratch.filePath("lock2/LCK..ttyACM3"), QByteArray(reinterpret_cast<const char *>(&stale), 4));
        writeFile(scratch.filePath("lock2/LCK..ttyS31"),
                  QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_comconf\nhost\n");
    }

    void show_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("channel with ports")
            << channel({{true, "/dev/ttyUSB0", "ATZ\\r", 9600, 1, 8, 2, 3},
                        {false, "/dev/ttyS1", QString(), -1, -1, -1, -1, -1}}, 2048) << 0
            << QStringList{"Запись канала", "Размер блока: 2048 байт", "Портов: 2",
                           "Порт 1: «/dev/ttyUSB0», активен, скорость, бит/с: 9600, управление потоком: Аппаратное, "
                           "биты данных: 8, четность: Чет, стоповые биты: 1.5, строка инициализации: «ATZ\\r»",
                           "Порт 2: «/dev/ttyS1», неактивен, скорость, бит/с: не задано, управление потоком: не "
                           "задано, биты данных: не задано, четность: не задано, стоповые биты: не задано, строка "
                           "инициализации: не задано"};
        QTest::newRow("port with codes no dialog offers")
            << channel({{true, "COM1", "", 300, 7, 4, 1, 0}}) << 0
            << QStringList{"Запись канала", "Размер блока: 1024 байта", "Портов: 1",
                           "Порт 1: «COM1», активен, скорость, бит/с: недопустимый код 300, управление потоком: недопустимый код 7, "
                           "биты данных: недопустимый код 4, четность: недопустимый код 1, стоповые биты: "
                           "недопустимый код 0, строка инициализации: «»"};
        QTest::newRow("abonent with ports")
            << abonent("T123456", {"/dev/ttyUSB0", "/dev/ttyUSB1"}) << 0
            << QStringList{"Запись абонента", "Номер: «T123456»", "Порты: «/dev/ttyUSB0»; «/dev/ttyUSB1»"};
        QTest::newRow("abonent for any port")
            << abonent(QString(), {}) << 0 << QStringList{"Запись абонента", "Номер: не задано", "Порты: Любой"};

        const QByteArray two = channel({port(true, "/dev/ttyUSB0", "ATZ"), port(false, "/dev/ttyUSB1", "ATZ")});
        QTest::newRow("channel cut in its second entry")
            << two.left(two.size() - 5) << 1
            << QStringList{"Запись канала", "Размер блока: 1024 байта", "Портов прочитано целиком: 1",
                           "Порт 1: «/dev/ttyUSB0», активен, скорость, бит/с: 9600, управление потоком: Аппаратное, "
                           "биты данных: 8, четность: Нет, стоповые биты: 1, строка инициализации: «ATZ»",
                           "Порт 2: прочитан не полностью", "ОШИБКА: Данные повреждены"};
        const QByteArray one = abonent("T1", {"/dev/ttyUSB0"});
        QTest::newRow("abonent cut in its ports")
            << one.left(one.size() - 3) << 1
            << QStringList{"Запись абонента", "Номер: «T1»", "ОШИБКА: Данные повреждены"};
        QTest::newRow("unknown version")
            << QByteArray(two).replace(3, 1, "\x07") << 1
            << QStringList{"ОШИБКА: как запись канала: Версия настроек 7 не совпадает с текущей 3",
                           "ОШИБКА: как запись абонента: Версия настроек 7 не совпадает с текущей 4"};
    }

    void show()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        writeFile(scratch.filePath("shown.conf"), record);
        const Run run = comconf({"show", scratch.filePath("shown.conf")});
        QCOMPARE(run.lines, lines);
        QCOMPARE(run.exitCode, exitCode);
    }

    void jsonRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("nulls");
        QTest::newRow("channel with null and empty strings")
            << channel({{true, "/dev/модем", QString(), 115200, 2, 5, 5, 2},
                        {false, "", "AT&F\\r\\n", -1, 0, -1, 4, -1}}, 512) << 1;
        QTest::newRow("abonent with null number and an empty port") << abonent(QString(), {"", "/dev/ttyUSB0"}) << 1;
    }

    void jsonRoundTrip()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, nulls);
        const QString json = scratch.filePath("record.json");
        const QString output = scratch.filePath("output.conf");
        QFile::remove(output);
        writeFile(scratch.filePath("input.conf"), record);

        const Run shown = comconf({"show", "--json", scratch.filePath("input.conf")});
        QCOMPARE(shown.exitCode, 0);
        const QByteArray text = shown.lines.join('\n').toUtf8();
        QCOMPARE(text.count("null"), nulls);
        writeFile(json, text);
        QCOMPARE(comconf({"build", "--from-json", json, "-o", output}).exitCode, 0);
        QCOMPARE(readFile(output), record);
    }

    // A command's exit code and first line (usage, version or refusal); a refused record is not written.
    void refusal_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("line");
        const auto commandRow = [](const char *name, const QStringList &arguments, const QString &line, int code = 2) {
            QTest::newRow(name) << arguments << QByteArray() << code << line;
        };
        commandRow("help of a command", {"show", "--help"}, "Использование: comconf show [--json] ФАЙЛ", 0);
        commandRow("version", {"--version"}, "comconf …", 0);
        commandRow("no command", {}, "Не указана команда");
        commandRow("unknown command", {"repair"}, "Неизвестная команда: repair");
        commandRow("timeout not a number", {"probe", "--timeout", "2s"}, "Неверное значение --timeout: 2s…");
        commandRow("probe without channel file", {"probe", scratch.path()}, "ОШИБКА: файл настроек канала отсутствует…");
        commandRow("show without a file", {"show", "--json"}, "Не указан файл записи");
        commandRow("build without output", {"build", "--from-json", "a.json"}, "Не указан файл для записи (-o)");
        commandRow("option without value", {"build", "-o", "out", "--from-json"}, "Не указано значение параметра --from-json");
        commandRow("abonents without files", {"check", "--abonents"}, "После --abonents не указан ни один файл");
        commandRow("two installations", {"check", "/opt/a", "/opt/b"}, "Неизвестный параметр: /opt/b");
        // --lang goes before or after the command; an unknown language is refused in Russian.
        commandRow("help in English", {"--lang", "en", "help", "show"}, "Usage: comconf show [--json] FILE", 0);
        commandRow("message in English", {"show", "--lang=en"}, "No record file given");
        commandRow("unknown language", {"--lang", "xx", "show", "a.conf"}, "Нет перевода на язык xx");
        commandRow("language missing", {"show", "a.conf", "--lang"}, "Не указано значение параметра --lang");

        const QStringList build{"build", "--from-json", scratch.filePath("bad.json"), "-o",
                                scratch.filePath("bad.conf")};
        const auto buildRow = [&build](const char *name, const QByteArray &json, const QString &message) {
            QTest::newRow(name) << build << json << 1 << "ОШИБКА: " + message;
        };
        // One field of the second port set to a value no record holds.
        const auto portRow = [&buildRow](const char *name, const char *field, const QJsonValue &value,
                                         const QString &problem) {
            const QString text = QStringLiteral("Порт 2 (ports[1]), поле %1: %2").arg(QLatin1String(field), problem);
            buildRow(name, channelJson(QString::fromLatin1(field), value), text);
        };
        portRow("parity 1", "parity", 1, "недопустимое значение 1 (допустимо: -1, 0, 2, 3, 4, 5)");
        portRow("stop bits 0", "stopBits", 0, "недопустимое значение 0 (допустимо: -1, 1, 2, 3)");
        portRow("data bits 9", "dataBits", 9, "недопустимое значение 9 (допустимо: -1, 5, 6, 7, 8)");
        portRow("flow control 3", "flowControl", 3, "недопустимое значение 3 (допустимо: -1, 0, 1, 2)");
        portRow("speed the dialog does not list", "baudRate", 300, "недопустимое значение 300 (допустимо: -1, 1200, …, 115200)");
        portRow("fractional speed", "baudRate", 9600.5, "должно быть целым числом");
        portRow("missing field", "dataBits", QJsonValue(QJsonValue::Undefined), "отсутствует");
        portRow("misspelt field", "partiy", 0, "неизвестное поле");
        buildRow("active as text", channelJson("active", "да", 0),
                 "Порт 1 (ports[0]), поле active: должно быть логическим значением (true или false)");
        buildRow("block size above the page's range", channelJson("blockSize", 4097, -1),
                 "Запись канала, поле blockSize: недопустимое значение 4097 (допустимо: 32 – 4096)");
        buildRow("two ports of one name", channelJson("portName", "/dev/ttyUSB0"),
                 "Запись канала, поле ports: порт «/dev/ttyUSB0» указан более одного раза");
        buildRow("unknown kind", channelJson("kind", "modem", -1), "Поле kind: должно быть \"channel\" или \"abonent\"");
        buildRow("abonent port not a string", R"({"kind": "abonent", "phoneNumber": "T1", "ports": [5]})",
                 "Запись абонента, поле ports[0]: должно быть строкой или null");
        buildRow("not JSON", "{\"kind\": ", "Файл JSON не разобран…");
        QTest::newRow("build in English") << QStringList{"--lang=en"} + build << channelJson("blockSize", 4097, -1) << 1
                                          << "ERROR: Channel record, field blockSize: invalid value 4097 (allowed: 32 – 4096)";
    }

    void refusal()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, json);
        QFETCH(int, exitCode);
        QFETCH(QString, line);
        QFile::remove(scratch.filePath("bad.conf"));
        writeFile(scratch.filePath("bad.json"), json);
        const Run run = comconf(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(hasLine(run.lines.mid(0, 1), line), qPrintable(run.lines.join('\n')));
        QVERIFY(!QFile::exists(scratch.filePath("bad.conf")));
    }

    void check_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("channelFile");
        QTest::addColumn<QList<QByteArray>>("abonents");
        QTest::addColumn<QString>("levels"); // per level: w writable, r read-only, - missing
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("findings");

        // One of each fault that operators run into.
        const QString modem = scratch.filePath("dev/ttyUSB7");
        const QString spare = scratch.filePath("dev/ttyACM3");
        const QString busy = scratch.filePath("dev/ttyS31");
        const QString at40 = "at" + QString(35, 'x') + "\\r\\n\\t";
        QTest::newRow("faults")
            << QByteArray("[Debug]\njournals=yes\n\n[Details]\nmaxWritingTime=99\n\n"
                          "[Permissions]\ndirPermissions=30583\n")
            << channel({port(true, modem, "ZATZ\\r"), port(false, spare, "AT" + QString(39, 'x')),
                        port(false, busy, at40), {true, scratch.filePath("dev/ttyUSB8"), "ATZ", 9600, 1, 8, 1, 1}})
            << QList<QByteArray>{abonent("T100", {spare}), abonent("T200", {modem, spare}), abonent("T300", {}),
                                 abonent("", {})}
            << "wwww" << 1
            << QStringList{
                   "ПРЕДУПРЕЖДЕНИЕ: settings.ini: Details/maxWritingTime = 99: вне допустимого диапазона 100 – "
                   "10000; библиотека заменит его значением по умолчанию 5000",
                   "ПРЕДУПРЕЖДЕНИЕ: settings.ini: Debug/journals = «yes»: не логическое значение…",
                   "ОШИБКА: порт «" + modem + "»: строка инициализации «ZATZ\\r» не начинается с AT",
                   "ПРЕДУПРЕЖДЕНИЕ: порт «" + spare + "»: строка инициализации «AT…» длиной 41 символов; модем "
                   "принимает около 40",
                   "OK: порт «" + busy + "»: строка инициализации «" + at40 + "» в порядке",
                   "ОШИБКА: порт «" + modem + "»: устаревший файл блокировки "
                       + scratch.filePath("lock1/LCK..ttyUSB7") + ": процесса …",
                   "ОШИБКА: порт «" + spare + "»: устаревший файл блокировки "
                       + scratch.filePath("lock2/LCK..ttyACM3") + ": процесса …",
                   "ПРЕДУПРЕЖДЕНИЕ: порт «" + busy + "» занят процессом "
                       + QString::number(QCoreApplication::applicationPid())
                       + " (tst_comconf), файл блокировки " + scratch.filePath("lock2/LCK..ttyS31"),
                   "ПРЕДУПРЕЖДЕНИЕ: порт «" + modem + "»: номер устройства может смениться при переподключении; "
                   "постоянное имя: " + scratch.filePath("by-id/usb-Test_Modem_42-if00-port0"),
                   "ОШИБКА: порт «" + modem + "» активен, но система его сейчас не видит",
                   "ОШИБКА: порт «…ttyUSB8», поле parity: недопустимое значение 1…",
                   "ОШИБКА: абонент «T100» (…): ни один из его портов («" + spare
                       + "») не является активным портом канала",
                   "ПРЕДУПРЕЖДЕНИЕ: абонент «T200» (…): порты «" + spare + "» не активны в канале",
                   "OK: абонент «T300» (…): разрешен любой порт",
                   "ОШИБКА: абонент без номера телефона (…): его нельзя вызвать"};

        const auto row = [](const char *name, const QByteArray &channelFile, const QString &levels,
                            int exitCode, const QStringList &findings) {
            QTest::newRow(name) << ValidSettings << channelFile << QList<QByteArray>() << levels << exitCode
                                << findings;
        };
        // No port of this machine can be counted on, so the clean channel's port is inactive.
        row("clean", channel({port(false, scratch.filePath("dev/ttyUSB0"), "ATZ\\r")}), "wwww", 0,
            {"OK: значения файла настроек в допустимых пределах…",
             "OK: каталог журналов уровня 0: отсутствует, может быть создан…",
             "OK: порт «…»: строка инициализации «ATZ\\r» в порядке"});
        const QByteArray one = channel({port(true, "/dev/ttyUSB0", "ATZ")});
        row("no channel file", QByteArray(), "wwww", 0,
            {"ПРЕДУПРЕЖДЕНИЕ: файл настроек канала отсутствует, COM порты не настроены…"});
        row("empty channel file", "", "wwww", 1, {"ОШИБКА: …channelCom.conf: Версия настроек 0 не совпадает с текущей 3"});
        row("damaged channel file", one.left(one.size() - 1), "wwww", 1, {"ОШИБКА: …channelCom.conf: Данные повреждены"});
        row("block size 0", channel({}, 0), "wwww", 1,
            {"ОШИБКА: channelCom.conf, поле blockSize: недопустимое значение 0 (допустимо: 32 – 4096)"});
        row("no active port", channel({port(false, "/dev/ttyUSB0", "ATZ")}), "wwww", 0,
            {"ПРЕДУПРЕЖДЕНИЕ: в канале нет активных портов"});
        row("one port twice", channel({port(true, "/dev/ttyUSB0", "ATZ"), port(false, "/dev/ttyUSB0", "ATZ")}), "wwww",
            1, {"ОШИБКА: порт «/dev/ttyUSB0» указан в файле настроек канала более одного раза; проверен один раз"});

        // The secrecy level is the first level whose data directory the user may write.
        row("only level 3 writable", QByteArray(), "rrrw", 0,
            {"OK: уровень секретности пользователя …: 3 (уровень 0: запись запрещена; уровень 1: запись запрещена; "
             "уровень 2: запись запрещена; уровень 3: запись разрешена)"});
        row("no level writable", QByteArray(), "rrrr", 1,
            {"ОШИБКА: пользователь … не может писать ни в один каталог данных (уровень…"});
        row("fresh installation", QByteArray(), "w---", 0,
            {"OK: уровень секретности пользователя …: 0 (уровень 0: запись разрешена; уровень 1…", "OK: каталог данных уровня 1 еще не создан: …/data/1 (его создаст первый пользователь этого уровня)"});
    }

    // The doctor runs as an operator would, without root's bypass of read-only
    // directories; it shows every finding and leaves the installation as it was.
    void check()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, channelFile);
        QFETCH(QList<QByteArray>, abonents);
        QFETCH(QString, levels);
        QFETCH(int, exitCode);
        QFETCH(QStringList, findings);

        QTemporaryDir root;
        for (int level = 0; level < 4; ++level) {
            const QString dir = root.filePath(QStringLiteral("data/%1").arg(level));
            if (levels.at(level) != '-')
                QVERIFY(QDir().mkpath(dir));
            if (levels.at(level) == 'r')
                QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                                       | QFile::ExeOther));
        }
        writeFile(root.filePath("settings/settings.ini"), settings);
        if (!channelFile.isNull())
            writeFile(root.filePath("settings/channelCom.conf"), channelFile);
        QStringList abonentFiles;
        for (const QByteArray &record : abonents) {
            abonentFiles.append(root.filePath(QStringLiteral("abonent%1").arg(abonentFiles.size())));
            writeFile(abonentFiles.last(), record);
        }
        QStringList arguments{"check", root.path()};
        if (!abonentFiles.isEmpty())
            arguments << "--abonents" << abonentFiles;
        const QMap<QString, QByteArray> before = snapshot(root.path());

        const Run run = comconf(arguments);
        for (const QString &finding : findings)
            QVERIFY2(hasLine(run.lines, finding), qPrintable(finding + "\nnot among:\n" + run.lines.join('\n')));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(snapshot(root.path()), before);
    }

    // comconf probe against scripted modems behind real pseudo-terminals: the
    // verdict an operator acts on, and no lock left behind whatever happened.
    void probe_data()
    {
        QTest::addColumn<QString>("modem"); // how the fake modems behave; empty: no device
        QTest::addColumn<QString>("initString");
        QTest::addColumn<QByteArray>("lock"); // a lock of the port already there
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        const auto row = [](const char *name, const char *modem, const char *initString, const QStringList &options,
                            int exitCode, const QStringList &lines, const QByteArray &lock = QByteArray()) {
            QTest::newRow(name) << modem << initString << lock << options << exitCode << lines;
        };
        // The modems answer only once all eight have been asked: ports taken one
        // after another would get no answer at all.
        row("eight at once", "barrier", "ATZ", {}, 0, {"Итог: проверено портов: 8, модем ответил OK: 8, с ошибками: 0"});
        row("OK", "ok", "ATZ\\r", {}, 0,
            {"  AT → OK (… мс)", "  ATZ → OK (… мс)", "  OK: модем ответил OK на AT и на строку инициализации"});
        row("ERROR to the init string", "ok", "AT&F\\rATX9", {}, 1,
            {"  AT&F → OK (… мс)", "  ATX9 → ERROR (… мс)",
             "  ОШИБКА: модем ответил ERROR на строку инициализации «AT&F\\rATX9»: строка инициализации неверна"});
        row("silence", "silent", "ATZ", {}, 1,
            {"  AT → нет ответа", "  ОШИБКА: модем не ответил на AT за 1000 мс: неверная скорость, модем выключен…"});
        row("slow answer", "slow", "", {}, 0,
            {"  AT → OK (… мс)", "  OK: модем ответил OK на AT; строка инициализации не задана"});
        row("garbage", "garbage", "ATZ", {}, 1,
            {"  ОШИБКА: на AT пришли байты, не составляющие строку результата («\\xfe\\x9c\\x80\\x1f\\xe6\\xf8»)…"});
        row("hang-up mid answer", "hangup", "ATZ", {}, 1,
            {"  AT → O (ответ не закончен)", "  ОШИБКА: связь с модемом оборвалась посреди ответа на AT…"});
        row("missing device, not in the record: the dialog's defaults", "", "ATZ", {"--port", scratch.filePath("ttyNone")}, 1,
            {"Порт «…ttyNone»: скорость, бит/с: 115200, управление потоком: Аппаратное, биты данных: 8, четность: Нет, "
             "стоповые биты: 1", "  ОШИБКА: нет такого устройства: …ttyNone…"});
        row("permission denied", "ok", "ATZ", {"--as-nobody"}, 1,
            {"  ОШИБКА: нет доступа к …ttyV0: устройство /dev/pts/… открыто для группы dialout, а пользователь nobody…"});
        const QString self = QString::number(QCoreApplication::applicationPid());
        row("lock of a live process", "ok", "ATZ", {}, 1,
            {"  ОШИБКА: порт занят: его держит процесс " + self + ", программа tst_comconf (файл блокировки …LCK..ttyV0)"},
            self.toLatin1().rightJustified(10) + '\n');
        row("stale lock", "ok", "", {}, 0,
            {"  ПРИМЕЧАНИЕ: удален устаревший файл блокировки …LCK..ttyV0 процесса …, которого уже нет",
             "  OK: модем ответил OK на AT; строка инициализации не задана"},
            staleLock);
        row("dial, hung up after", "ok", "", {"--dial", "T123"}, 1,
            {"  ATDT123 → BUSY (… мс)", "  ATH → OK (… мс)", "  ОШИБКА: вызов T123: модем ответил BUSY"});
    }

    void probe()
    {
        QFETCH(QString, modem);
        const int ports = modem == "barrier" ? 8 : 1;
        QFETCH(QString, initString);
        QFETCH(QByteArray, lock);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        // Reachable for "nobody": the port's directory and the lock directory.
        QVERIFY(QFile::setPermissions(scratch.path(), QFile::Permissions(0x7755)));
        QVERIFY(QFile::setPermissions(scratch.filePath("lock1"), QFile::Permissions(0x7777)));
        const QString installation = scratch.filePath("probed");
        QVERIFY(QDir(scratch.filePath("barrier")).removeRecursively() && QDir().mkpath(scratch.filePath("barrier")));
        VirtualModems modems;
        QList<ComPortSettings> channelPorts;
        for (int i = 0; i < ports; ++i) {
            const QString port = scratch.filePath(QStringLiteral("ttyV%1").arg(i));
            if (!modem.isEmpty())
                QCOMPARE(modems.add(port, modem + ' ' + scratch.filePath("barrier") + ' ' + QString::number(ports),
                                    ",perm=0660,group=dialout"), port);
            channelPorts.append({true, port, initString, 115200, 1, 8, 0, 1});
        }
        writeFile(installation + "/settings/channelCom.conf", channel(channelPorts));
        const QMap<QString, QByteArray> locks = snapshot(scratch.filePath("lock1"));
        const QString lockPath = scratch.filePath("lock1/LCK..ttyV0");
        if (!lock.isEmpty())
            writeFile(lockPath, lock);

        const bool asNobody = options.removeAll("--as-nobody") > 0;
        const Run run = comconf(QStringList{"probe", installation, "--timeout", "1000"} + options, asNobody);
        for (const QString &line : lines)
            QVERIFY2(hasLine(run.lines, line), qPrintable(line + "\nnot among:\n" + run.lines.join('\n')));
        QCOMPARE(run.exitCode, exitCode);
        // Only a lock of a live process stays, untouched.
        QCOMPARE(readFile(lockPath), lock == staleLock ? QByteArray() : lock);
        QFile::remove(lockPath);
        QCOMPARE(snapshot(scratch.filePath("lock1")), locks);
    }

    // Without a directory the doctor inspects the installation comconf belongs to.
    void checkDefaultInstallation()
    {
        QDir installDir = QFileInfo(QStringLiteral(COMCONF_PATH)).absoluteDir();
        QVERIFY(installDir.cdUp());
        const Run run = comconf({"check"});
        QCOMPARE(run.lines.value(0), "OK: каталог установки: " + installDir.absolutePath());
        QVERIFY2(hasLine(run.lines, "…каталог настроек…" + installDir.filePath(QStringLiteral("settings"))),
                 qPrintable(run.lines.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TstComconf)
#include "tst_comconf.moc"
