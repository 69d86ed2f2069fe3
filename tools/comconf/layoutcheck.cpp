#include "layoutcheck.h"

#include "comconftext.h"
#include "directoryaccess.h"
#include "findings.h"
#include "installationpaths.h"

#include <QFileInfo>
#include <QStringList>

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int SecrecyLevels = 4;

// Permissions bind the effective user, whatever the environment calls it.
QString effectiveUserName()
{
    const passwd *entry = getpwuid(geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(geteuid());
}

void checkDirectories(const InstallationPaths &paths, Findings &findings)
{
    const QString settingsDir = paths.settingsDir();
    if (QFileInfo(settingsDir).isDir())
        findings.ok(Comconf::tr("каталог настроек: %1").arg(settingsDir));
    else
        findings.warning(Comconf::tr("каталог настроек отсутствует: %1").arg(settingsDir));

    for (int level = 0; level < SecrecyLevels; ++level) {
        const QString dir = paths.dataSecrecyDir(level);
        if (QFileInfo(dir).isDir())
            findings.ok(Comconf::tr("каталог данных уровня %1: %2").arg(level).arg(dir));
        // Only users of a higher level create theirs, often long after installation.
        else if (level > 0)
            findings.ok(Comconf::tr("каталог данных уровня %1 еще не создан: %2 (его создаст первый пользователь "
                                    "этого уровня)")
                            .arg(level)
                            .arg(dir));
        else
            findings.warning(Comconf::tr("каталог данных уровня %1 отсутствует: %2 "
                                         "(его создаст первый обратившийся пользователь, со своими правами)")
                                 .arg(level)
                                 .arg(dir));
    }
}

// Returns the level; -1 when no level is usable.
int checkSecrecy(const InstallationPaths &paths, Findings &findings)
{
    int current = -1;
    QStringList reasons;
    for (int level = 0; level < SecrecyLevels; ++level) {
        const DirectoryAccess access = directoryAccess(paths.dataSecrecyDir(level));
        reasons.append(Comconf::tr("уровень %1: %2").arg(level).arg(accessText(access)));
        if (current < 0 && isUsable(access))
            current = level;
    }
    const QString why = reasons.join(QStringLiteral("; "));
    if (current < 0)
        findings.error(Comconf::tr("пользователь %1 не может писать ни в один каталог данных (%2); "
                                   "библиотека будет работать на уровне 0")
                           .arg(effectiveUserName(), why));
    else
        findings.ok(Comconf::tr("уровень секретности пользователя %1: %2 (%3)")
                        .arg(effectiveUserName())
                        .arg(current)
                        .arg(why));
    return current;
}

void checkLogDir(const InstallationPaths &paths, int level, Findings &findings)
{
    const QString dir = paths.logDir(level);
    const DirectoryAccess access = directoryAccess(dir);
    const QString text = Comconf::tr("каталог журналов уровня %1: %2: %3").arg(level).arg(accessText(access), dir);
    isUsable(access) ? findings.ok(text) : findings.error(text);
}

} // namespace

void checkLayout(const InstallationPaths &paths, Findings &findings)
{
    checkDirectories(paths, findings);
    const int level = checkSecrecy(paths, findings);
    if (level >= 0)
        checkLogDir(paths, level, findings);
}
