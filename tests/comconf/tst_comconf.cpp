#include "cmodemcheck.h"
#include "comchannel/comsettings.h"
#include "host/cmodemcheckdialog.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/unprivileged.h"
#include "virtualmodems.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using FakeInstallation::readFile;
using FakeInstallation::writeFile;

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

// An installation for the doctor: per data level w writable, r read-only, - missing; a null channel file is absent.
struct Installation {
    QByteArray settings, channelFile;
    QList<QByteArray> abonents;
    QString levels;
    int exitCode;
    QStringList findings;
};

// comconf probe's modems: how they behave (empty: no device), and a lock of the port already there.
struct ScriptedModems {
    QString behaviour, initString;
    QStringList options;
    int exitCode;
    QStringList lines;
    QByteArray lock;
};

const QByteArray ValidSettings = "[Debug]\nall=false\njournals=true\n\n[Details]\nmaxWritingTime=100\n\n"
                                 "[Permissions]\ndirPermissions=30583\nfilePermissions=24576\n";

} // namespace

Q_DECLARE_METATYPE(Installation)
Q_DECLARE_METATYPE(ScriptedModems)

// comconf is driven through its command line, as operators and scripts use it,
// on records and fake installations made here; the host's dialog shows the same modem check.
class TstComconf : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;
    QByteArray staleLock; // the lock of a process that has exited

    // "nobody" may not reach a build tree below /root: it runs a copy of comconf and of the
    // library it links, laid out as installed, from the scratch directory.
    QString comconfForNobody() const
    {
        const QString copy = scratch.filePath("nobody/bin/comconf");
        const QString library = "/channelSettingsPlugins/libcomchannel.so";
        if (QDir().mkpath(scratch.filePath("nobody/bin/channelSettingsPlugins")) && !QFile::exists(copy)) {
            QFile::copy(QFileInfo(COMCONF_PATH).absolutePath() + library, scratch.filePath("nobody/bin") + library);
            QFile::copy(COMCONF_PATH, copy);
        }
        return copy;
    }

    // As root, asNobody runs it as "nobody", who is in no group.
    Run comconf(const QStringList &arguments, bool asNobody = false) const
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QStringList command = asNobody && TestSupport::isRoot()
                                        ? QStringList{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                                                      comconfForNobody()}
                                        : QStringList{COMCONF_PATH};
        process.start(command.first(), command.mid(1) + arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return Run();
        return {process.exitCode(), QString::fromUtf8(process.readAll()).split('\n', Qt::SkipEmptyParts)};
    }

    // Each pattern matches a whole line of comconf's output, "…" standing for any text.
    void expectRun(const QStringList &arguments, int exitCode, const QStringList &patterns, bool asNobody = false) const
    {
        const Run run = comconf(arguments, asNobody);
        for (const QString &pattern : patterns) {
            QStringList pieces = pattern.split(QStringLiteral("…"));
            for (QString &piece : pieces)
                piece = QRegularExpression::escape(piece);
            QVERIFY2(run.lines.indexOf(QRegularExpression(pieces.join(".*"))) >= 0,
                     qPrintable(pattern + "\nnot among:\n" + run.lines.join('\n')));
        }
        QCOMPARE(run.exitCode, exitCode);
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
            QVERIFY(writeFile(scratch.filePath(QString::fromLatin1(device)), QByteArray()));
        QVERIFY(QDir().mkpath(scratch.filePath("by-id")));
        QVERIFY(QFile::link(scratch.filePath("dev/ttyUSB7"), scratch.filePath("by-id/usb-Test_Modem_42-if00-port0")));

        QProcess exited;
        exited.start(QStringLiteral(COMCONF_PATH), QStringList());
        QVERIFY(exited.waitForStarted());
        const qint32 stale = qint32(exited.processId());
        QVERIFY(exited.waitForFinished() && stale > 0);
        staleLock = QByteArray::number(stale).rightJustified(10) + '\n';
        QVERIFY(writeFile(scratch.filePath("lock1/LCK..ttyUSB7"), staleLock));
        QVERIFY(writeFile(scratch.filePath("lock2/LCK..ttyACM3"), QByteArray(reinterpret_cast<const char *>(&stale), 4)));
        QVERIFY(writeFile(scratch.filePath("lock2/LCK..ttyS31"), QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_comconf\n"));
    }

    // A command's exit code and what it prints (usage, a record, a refusal); FILE holds the
    // given record or JSON, and a refused record is not written.
    void command_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        const auto row = [](const char *name, const QStringList &arguments, int exitCode, const QStringList &lines,
                            const QByteArray &file = QByteArray()) {
            QTest::newRow(name) << arguments << file << exitCode << lines;
        };
        const QStringList show{"show", scratch.filePath("file")};
        // A record shown as JSON builds back byte for byte: null and empty strings, a name that is not ASCII.
        row("channel with ports", show, 0,
            {"Запись канала", "Размер блока: 2048 байт", "Портов: 2",
             "Порт 1: «/dev/модем», активен, скорость, бит/с: 9600, управление потоком: Аппаратное, "
             "биты данных: 8, четность: Чет, стоповые биты: 1.5, строка инициализации: «ATZ\\r»",
             "Порт 2: «», неактивен, скорость, бит/с: не задано, управление потоком: Нет, биты данных: не задано, "
             "четность: Пробел, стоповые биты: не задано, строка инициализации: не задано"},
            channel({{true, "/dev/модем", "ATZ\\r", 9600, 1, 8, 2, 3}, {false, "", QString(), -1, 0, -1, 4, -1}}, 2048));
        row("abonent with ports", show, 0, {"Запись абонента", "Номер: «T123456»", "Порты: «»; «/dev/ttyUSB1»"},
            abonent("T123456", {"", "/dev/ttyUSB1"}));
        row("abonent for any port", show, 0, {"Запись абонента", "Номер: не задано", "Порты: Любой"}, abonent(QString(), {}));
        const QByteArray two = channel({{true, "/dev/ttyUSB0", "ATZ", 300, 7, 4, 1, 0}, port(false, "/dev/ttyUSB1", "ATZ")});
        row("channel cut in its second entry, codes no dialog offers", show, 1,
            {"Размер блока: 1024 байта", "Портов прочитано целиком: 1",
             "Порт 1: «/dev/ttyUSB0», активен, скорость, бит/с: недопустимый код 300, управление потоком: недопустимый код 7, "
             "биты данных: недопустимый код 4, четность: недопустимый код 1, стоповые биты: недопустимый код 0, …",
             "Порт 2: прочитан не полностью", "ОШИБКА: Данные повреждены"},
            two.left(two.size() - 5));
        row("unknown version", show, 1,
            {"ОШИБКА: как запись канала: Версия настроек 7 не совпадает с текущей 3", "ОШИБКА: как запись абонента: Версия…"},
            QByteArray(two).replace(3, 1, "\x07"));

        row("help of a command", {"show", "--help"}, 0, {"Использование: comconf show [--json] ФАЙЛ"});
        row("no command", {}, 2, {"Не указана команда"});
        row("unknown command", {"repair"}, 2, {"Неизвестная команда: repair"});
        row("timeout not a number", {"probe", "--timeout", "2s"}, 2, {"Неверное значение --timeout: 2s…"});
        row("probe without channel file", {"probe", scratch.path()}, 2, {"ОШИБКА: файл настроек канала отсутствует…"});
        row("show without a file", {"show", "--json"}, 2, {"Не указан файл записи"});
        row("build without output", {"build", "--from-json", "a.json"}, 2, {"Не указан файл для записи (-o)"});
        row("option without value", {"build", "-o", "out", "--from-json"}, 2, {"Не указано значение параметра --from-json"});
        row("abonents without files", {"check", "--abonents"}, 2, {"После --abonents не указан ни один файл"});
        row("two installations", {"check", "/opt/a", "/opt/b"}, 2, {"Неизвестный параметр: /opt/b"});
        // --lang goes before or after the command; an unknown language is refused in Russian.
        row("help in English", {"--lang", "en", "help", "show"}, 0, {"Usage: comconf show [--json] FILE"});
        row("unknown language", {"--lang", "xx", "show", "a.conf"}, 2, {"Нет перевода на язык xx"});
        row("language missing", {"show", "a.conf", "--lang"}, 2, {"Не указано значение параметра --lang"});

        // Every field the port dialog and the page can never produce, each reported; nothing is written.
        const QByteArray faulty = R"({"kind": "channel", "blockSize": 4097, "ports": [
            {"active": "да", "portName": "/dev/ttyUSB0", "initString": null, "baudRate": 300, "flowControl": 1,
             "dataBits": 8, "parity": 0, "stopBits": 1},
            {"active": true, "portName": "/dev/ttyUSB0", "initString": "", "baudRate": 9600.5, "flowControl": 1,
             "partiy": 0, "parity": 2, "stopBits": 1}]})";
        const QStringList build{"build", "--from-json", scratch.filePath("file"), "-o", scratch.filePath("bad.conf")};
        row("build of a faulty channel", build, 1,
            {"ОШИБКА: Запись канала, поле blockSize: недопустимое значение 4097 (допустимо: 32 – 4096)",
             "ОШИБКА: Порт 1 (ports[0]), поле active: должно быть логическим значением (true или false)",
             "ОШИБКА: Порт 1 (ports[0]), поле baudRate: недопустимое значение 300 (допустимо: -1, 1200, …, 115200)",
             "ОШИБКА: Порт 2 (ports[1]), поле baudRate: должно быть целым числом",
             "ОШИБКА: Порт 2 (ports[1]), поле dataBits: отсутствует", "ОШИБКА: Порт 2 (ports[1]), поле partiy: неизвестное поле",
             "ОШИБКА: Запись канала, поле ports: порт «/dev/ttyUSB0» указан более одного раза"},
            faulty);
        row("build in English", QStringList{"--lang=en"} + build, 1,
            {"ERROR: Channel record, field blockSize: invalid value 4097 (allowed: 32 – 4096)"}, faulty);
        row("abonent port not a string", build, 1, {"ОШИБКА: Запись абонента, поле ports[0]: должно быть строкой или null"},
            R"({"kind": "abonent", "phoneNumber": "T1", "ports": [5]})");
        row("unknown kind", build, 1, {"ОШИБКА: Поле kind: должно быть \"channel\" или \"abonent\""}, R"({"kind": "modem"})");
        row("not JSON", build, 1, {"ОШИБКА: Файл JSON не разобран…"}, "{\"kind\": ");
    }

    void command()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        QFile::remove(scratch.filePath("bad.conf"));
        QVERIFY(writeFile(scratch.filePath("file"), file));
        expectRun(arguments, exitCode, lines);
        QVERIFY(!QFile::exists(scratch.filePath("bad.conf")));
        if (exitCode == 0 && arguments.first() == "show" && !file.isEmpty()) {
            QVERIFY(writeFile(scratch.filePath("record.json"), comconf({"show", "--json", arguments.last()}).lines.join('\n').toUtf8()));
            QCOMPARE(comconf({"build", "--from-json", scratch.filePath("record.json"), "-o", scratch.filePath("built")}).exitCode, 0);
            QCOMPARE(readFile(scratch.filePath("built")), file);
        }
    }

    void check_data()
    {
        QTest::addColumn<Installation>("installation");

        // One of each fault that operators run into.
        const QString modem = scratch.filePath("dev/ttyUSB7");
        const QString spare = scratch.filePath("dev/ttyACM3");
        const QString busy = scratch.filePath("dev/ttyS31");
        const QString at40 = "at" + QString(35, 'x') + "\\r\\n\\t";
        QTest::newRow("faults") << Installation{QByteArray("[Debug]\njournals=yes\n\n[Details]\nmaxWritingTime=99\n\n"
                          "[Permissions]\ndirPermissions=30583\n"),
            channel({port(true, modem, "ZATZ\\r"), port(false, spare, "AT" + QString(39, 'x')), port(false, busy, at40),
                     {true, scratch.filePath("dev/ttyUSB8"), "ATZ", 9600, 1, 8, 1, 1}, port(false, modem, "ATZ")}, 0),
            {abonent("T100", {spare}), abonent("T200", {modem, spare}), abonent("T300", {}),
                                 abonent("", {})}, "wwww", 1, {
                   "ПРЕДУПРЕЖДЕНИЕ: settings.ini: Details/maxWritingTime = 99: вне допустимого диапазона 100 – "
                   "10000; библиотека заменит его значением по умолчанию 5000",
                   "ПРЕДУПРЕЖДЕНИЕ: settings.ini: Debug/journals = «yes»: не логическое значение…",
                   "ОШИБКА: порт «…ttyUSB7»: строка инициализации «ZATZ\\r» не начинается с AT",
                   "ПРЕДУПРЕЖДЕНИЕ: порт «…ttyACM3»: строка инициализации «AT…» длиной 41 символов; модем принимает около 40",
                   "OK: порт «…ttyS31»: строка инициализации «" + at40 + "» в порядке",
                   "ОШИБКА: порт «…ttyUSB7»: устаревший файл блокировки …lock1/LCK..ttyUSB7: процесса …",
                   "ОШИБКА: порт «…ttyACM3»: устаревший файл блокировки …lock2/LCK..ttyACM3: процесса …",
                   "ПРЕДУПРЕЖДЕНИЕ: порт «…ttyS31» занят процессом " + QString::number(QCoreApplication::applicationPid())
                       + " (tst_comconf), файл блокировки …lock2/LCK..ttyS31",
                   "ПРЕДУПРЕЖДЕНИЕ: порт «…ttyUSB7»: номер устройства может смениться при переподключении; "
                   "постоянное имя: …by-id/usb-Test_Modem_42-if00-port0",
                   "ОШИБКА: порт «…ttyUSB7» активен, но система его сейчас не видит",
                   "ОШИБКА: порт «…ttyUSB8», поле parity: недопустимое значение 1…",
                   "ОШИБКА: абонент «T100» (…): ни один из его портов («…ttyACM3») не является активным портом канала",
                   "ПРЕДУПРЕЖДЕНИЕ: абонент «T200» (…): порты «…ttyACM3» не активны в канале",
                   "OK: абонент «T300» (…): разрешен любой порт",
                   "ОШИБКА: абонент без номера телефона (…): его нельзя вызвать",
                   "ОШИБКА: channelCom.conf, поле blockSize: недопустимое значение 0 (допустимо: 32 – 4096)",
                   "ОШИБКА: порт «…ttyUSB7» указан в файле настроек канала более одного раза; проверен один раз"}};

        // No port of this machine can be counted on, so the clean channel's port is inactive. The secrecy
        // level is the first level whose data directory the user may write.
        QTest::newRow("clean, only level 3 writable")
            << Installation{ValidSettings, channel({port(false, scratch.filePath("dev/ttyUSB0"), "ATZ\\r")}), {}, "rrrw", 0,
                            {"OK: значения файла настроек в допустимых пределах…",
                             "OK: уровень секретности пользователя …: 3 (уровень 0: запись запрещена; уровень 1: запись "
                             "запрещена; уровень 2: запись запрещена; уровень 3: запись разрешена)",
                             "OK: каталог журналов уровня 3: отсутствует, может быть создан…",
                             "OK: порт «…»: строка инициализации «ATZ\\r» в порядке", "ПРЕДУПРЕЖДЕНИЕ: в канале нет активных портов"}};
        QTest::newRow("damaged channel file, no level writable")
            << Installation{ValidSettings, channel({port(true, "/dev/ttyUSB0", "ATZ")}).chopped(1), {}, "rrrr", 1,
                            {"ОШИБКА: …channelCom.conf: Данные повреждены",
                             "ОШИБКА: пользователь … не может писать ни в один каталог данных (уровень…"}};
        QTest::newRow("fresh installation without channel file")
            << Installation{ValidSettings, QByteArray(), {}, "w---", 0,
                            {"OK: уровень секретности пользователя …: 0 (уровень 0: запись разрешена; уровень 1…",
                             "OK: каталог данных уровня 1 еще не создан: …/data/1 (его создаст первый пользователь этого уровня)",
                             "ПРЕДУПРЕЖДЕНИЕ: файл настроек канала отсутствует, COM порты не настроены…"}};
    }

    // The doctor runs as an operator would, without root's bypass of read-only
    // directories; it shows every finding and leaves the installation as it was.
    void check()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(Installation, installation);

        QTemporaryDir root;
        for (int level = 0; level < 4; ++level) {
            const QString dir = root.filePath(QStringLiteral("data/%1").arg(level));
            QVERIFY(installation.levels.at(level) == '-' || QDir().mkpath(dir));
            QVERIFY(installation.levels.at(level) != 'r' || QFile::setPermissions(dir, QFile::Permissions(0x5555)));
        }
        QVERIFY(writeFile(root.filePath("settings/settings.ini"), installation.settings));
        if (!installation.channelFile.isNull())
            QVERIFY(writeFile(root.filePath("settings/channelCom.conf"), installation.channelFile));
        QStringList arguments{"check", root.path(), "--abonents"};
        for (const QByteArray &record : installation.abonents) {
            arguments.append(root.filePath(QStringLiteral("abonent%1").arg(arguments.size())));
            QVERIFY(writeFile(arguments.last(), record));
        }
        if (installation.abonents.isEmpty())
            arguments.removeLast();
        const QMap<QString, QByteArray> before = snapshot(root.path());

        expectRun(arguments, installation.exitCode, installation.findings);
        QCOMPARE(snapshot(root.path()), before);
    }

    // comconf probe against scripted modems behind real pseudo-terminals: the
    // verdict an operator acts on, and no lock left behind whatever happened.
    void probe_data()
    {
        QTest::addColumn<ScriptedModems>("scripted");
        const auto row = [](const char *name, const QString &modem, const QString &initString, const QStringList &options,
                            int exitCode, const QStringList &lines, const QByteArray &lock = QByteArray()) {
            QTest::newRow(name) << ScriptedModems{modem, initString, options, exitCode, lines, lock};
        };
        // The modems answer only once all eight have been asked: ports taken one
        // after another would get no answer at all.
        row("eight at once", "barrier", "ATZ", {}, 0, {"Итог: проверено портов: 8, модем ответил OK: 8, с ошибками: 0"});
        row("OK", "ok", "ATZ\\r", {}, 0, {"  ATZ → OK (… мс)", "  OK: модем ответил OK на AT и на строку инициализации"});
        row("ERROR to the init string", "ok", "AT&F\\rATX9", {}, 1,
            {"  ATX9 → ERROR (… мс)", "  ОШИБКА: модем ответил ERROR на строку инициализации «AT&F\\rATX9»: строка инициализации неверна"});
        row("silence", "silent", "ATZ", {}, 1,
            {"  AT → нет ответа", "  ОШИБКА: модем не ответил на AT за 1000 мс: неверная скорость, модем выключен…"});
        row("garbage", "garbage", "ATZ", {}, 1, {"  ОШИБКА: на AT пришли байты, не составляющие строку результата («\\xfe\\x9c\\x80\\x1f\\xe6\\xf8»)…"});
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
        row("slow answer after a stale lock", "slow", "", {}, 0,
            {"  ПРИМЕЧАНИЕ: удален устаревший файл блокировки …LCK..ttyV0 процесса …, которого уже нет",
             "  AT → OK (… мс)", "  OK: модем ответил OK на AT; строка инициализации не задана"},
            staleLock);
        row("dial, hung up after", "ok", "", {"--dial", "T123"}, 1,
            {"  ATDT123 → BUSY (… мс)", "  ATH → OK (… мс)", "  ОШИБКА: вызов T123: модем ответил BUSY"});
    }

    void probe()
    {
        QFETCH(ScriptedModems, scripted);
        const int ports = scripted.behaviour == "barrier" ? 8 : 1;
        // Reachable for "nobody": the port's directory and the lock directory.
        QVERIFY(QFile::setPermissions(scratch.path(), QFile::Permissions(0x7755)));
        QVERIFY(QFile::setPermissions(scratch.filePath("lock1"), QFile::Permissions(0x7777)));
        QVERIFY(QDir(scratch.filePath("barrier")).removeRecursively() && QDir().mkpath(scratch.filePath("barrier")));
        VirtualModems modems;
        QList<ComPortSettings> channelPorts;
        for (int i = 0; i < ports; ++i) {
            const QString port = scratch.filePath(QStringLiteral("ttyV%1").arg(i));
            if (!scripted.behaviour.isEmpty())
                QCOMPARE(modems.add(port, scripted.behaviour + ' ' + scratch.filePath("barrier") + ' ' + QString::number(ports),
                                    ",perm=0660,group=dialout"), port);
            channelPorts.append({true, port, scripted.initString, 115200, 1, 8, 0, 1});
        }
        QVERIFY(writeFile(scratch.filePath("probed/settings/channelCom.conf"), channel(channelPorts)));
        const QMap<QString, QByteArray> locks = snapshot(scratch.filePath("lock1"));
        const QString lockPath = scratch.filePath("lock1/LCK..ttyV0");
        if (!scripted.lock.isEmpty())
            QVERIFY(writeFile(lockPath, scripted.lock));

        const bool asNobody = scripted.options.removeAll("--as-nobody") > 0;
        expectRun(QStringList{"probe", scratch.filePath("probed"), "--timeout", "1000"} + scripted.options, scripted.exitCode, scripted.lines,
                  asNobody);
        // Only a lock of a live process stays, untouched.
        QCOMPARE(readFile(lockPath), scripted.lock == staleLock ? QByteArray() : scripted.lock);
        QFile::remove(lockPath);
        QCOMPARE(snapshot(scratch.filePath("lock1")), locks);
    }

    // The host's result dialog after a real check of scripted modems, one port a row.
    void hostDialogShowsEveryVerdict()
    {
        VirtualModems modems;
        const QList<ComPortSettings> ports{{true, modems.add(scratch.filePath("ttyUSB0"), "ok"), "ATZ", 9600, 1, 8, 0, 1},
                                           {true, modems.add(scratch.filePath("ttyUSB1"), "ok"), "AT&F\\rATX9", -1, -1, -1, -1, -1},
                                           {true, modems.add(scratch.filePath("ttyUSB2"), "silent"), "", 2400, 0, 7, 2, 1}};
        CModemCheck check(ports, {300, QString(), 0});
        QSignalSpy finished(&check, &CModemCheck::finished);
        check.start();
        QVERIFY(finished.wait() && QDir(scratch.filePath("lock1")).entryList({"LCK..ttyUSB[012]"}, QDir::Files).isEmpty()); // released at once
        CModemCheckDialog dialog(check.results());
        const auto *table = dialog.findChild<QTableWidget *>("twResults");
        QCOMPARE(table->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(table->item(row, 1)->text(), check.results().at(row).verdict);
        QVERIFY(table->item(1, 2)->text().contains(QStringLiteral("\nATX9 → ERROR (")));
        dialog.show();
        QVERIFY(QDir().mkpath(SCREENSHOTS_DIR) && dialog.grab().save(SCREENSHOTS_DIR "/modem-check.png"));
    }

    // Without a directory the doctor inspects the installation comconf belongs to.
    void checkDefaultInstallation()
    {
        const QString installDir = QDir::cleanPath(QFileInfo(QStringLiteral(COMCONF_PATH)).absolutePath() + "/..");
        QCOMPARE(comconf({"check"}).lines.value(0), "OK: каталог установки: " + installDir);
    }
};

QTEST_MAIN(TstComconf)
#include "tst_comconf.moc"
