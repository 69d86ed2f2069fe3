#pragma once

#include <QString>
#include <QStringList>

// What the operator asked for on the command line.
struct CommandLine {
    enum Command { Help, Version, Show, Build, Check, Probe };

    Command command = Help;
    QString helpTopic;          // help: the command whose usage is asked for; empty for all
    bool json = false;          // show: JSON instead of text
    QString file;               // show: the record; build: the JSON description
    QString output;             // build: the record to write
    QString installDir;         // check: empty for the installation of this binary
    QStringList abonentFiles;   // check: files holding one abonent record each
    QStringList ports;          // probe: the ports to check; empty for every active one
    int timeoutMs = 2000;       // probe: how long each answer may take
    bool timeoutSet = false;
    QString dialNumber;         // probe: dial it (a real call)
    QString error;              // not empty: the arguments make no sense
};

CommandLine parseCommandLine(const QStringList &arguments);
// The usage of one command, or of all when the topic is empty.
QString usageText(const QString &topic = QString());
QString versionText();
