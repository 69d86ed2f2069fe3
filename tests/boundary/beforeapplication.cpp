// A host's command-line helper encodes a record before, or without, any
// application object: nothing may be created on disk, and the installation
// directory found once the application exists must be the right one.
#include "comchannel/comsettings.h"
#include "common/csettings.h"
#include "common/globalpaths.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QTemporaryDir scratch;
    QDir(scratch.path()).mkpath(QStringLiteral("parent/current"));
    if (!QDir::setCurrent(scratch.filePath(QStringLiteral("parent/current"))))
        return 1;
    const QByteArray record = AbonentComSettings{QStringLiteral("T123"), {}}.toByteArray();
    Global::installDir();
    const QStringList created = QDir(scratch.filePath(QStringLiteral("parent"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);

    QApplication application(argc, argv);
    const QString expected = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    QFile::remove(expected + QStringLiteral("/settings/settings.ini"));
    CSettings().debugAll(); // the settings store of the installation, written back with its defaults
    const bool passed = !record.isEmpty() && created == QStringList{QStringLiteral("current")}
        && Global::installDir().absolutePath() == expected
        && Global::channelComSettingsFilePath() == expected + QStringLiteral("/settings/channelCom.conf")
        && QFile::exists(expected + QStringLiteral("/settings/settings.ini"));
    std::printf("beside the current directory: %s\n", qPrintable(created.join(QLatin1Char(' '))));
    return passed ? 0 : 1;
}
