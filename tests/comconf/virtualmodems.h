#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QThread>

// Serial ports that are real pseudo-terminals made by socat, with the scripted
// modem (tests/probe/fakemodem.sh) on the other end; socat is stopped by its pid.
class VirtualModems
{
    QList<QProcess *> processes;

public:
    ~VirtualModems()
    {
        for (QProcess *socat : processes)
            socat->terminate(), socat->waitForFinished(), delete socat;
    }

    // The port made at path, socat's pty options (",perm=...") after it; empty on failure.
    QString add(const QString &path, const QString &modem, const QString &ptyOptions)
    {
        processes.append(new QProcess);
        processes.last()->start("socat", {"-t0.1", "pty,raw,echo=0,link=" + path + ptyOptions,
                                          "EXEC:" FAKEMODEM_PATH " " + modem});
        for (int i = 0; i < 250 && !QFileInfo::exists(path); ++i)
            QThread::msleep(20);
        return QFileInfo::exists(path) ? path : QString();
    }
};
