#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <memory>
#include <vector>

// Serial ports that are real pseudo-terminals made by socat, each with the
// scripted modem (tests/probe/fakemodem.sh) on its other end; socat is
// stopped by its pid when the object goes.
class VirtualModems
{
public:
    ~VirtualModems()
    {
        for (const auto &socat : processes) {
            socat->terminate();
            socat->waitForFinished();
        }
    }

    // The port DIR/NAME behind which the modem acts as told; socat's pty
    // options (",perm=...") may follow. Empty when socat did not make it.
    QString add(const QString &path, const QString &modem, const QString &ptyOptions = QString())
    {
        processes.emplace_back(new QProcess);
        processes.back()->start(QStringLiteral("socat"),
                                {QStringLiteral("-t0.1"), "pty,raw,echo=0,link=" + path + ptyOptions,
                                 QStringLiteral("EXEC:" FAKEMODEM_PATH " ") + modem});
        for (int i = 0; i < 250 && !QFileInfo::exists(path); ++i)
            QThread::msleep(20);
        return QFileInfo::exists(path) ? path : QString();
    }

private:
    std::vector<std::unique_ptr<QProcess>> processes;
};
