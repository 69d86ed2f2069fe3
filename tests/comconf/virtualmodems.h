#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <list>

// Serial ports that are real pseudo-terminals made by socat, with the scripted
// modem (tests/probe/fakemodem.sh) on the other end; socat is stopped by its pid.
struct VirtualModems {
    std::list<QProcess> socats;

    ~VirtualModems()
    {
        for (QProcess &socat : socats)
            socat.terminate(), socat.waitForFinished();
    }

    // The port made at path, socat's pty options (",perm=...") after it; empty on failure.
    QString add(const QString &path, const QString &modem, const QString &ptyOptions = QString())
    {
        socats.emplace_back();
        socats.back().start("socat", {"-t0.1", "pty,raw,echo=0,link=" + path + ptyOptions, "EXEC:" FAKEMODEM_PATH " " + modem});
        for (int i = 0; i < 250 && !QFileInfo::exists(path); ++i)
            QThread::msleep(20);
        return QFileInfo::exists(path) ? path : QString();
    }
};
