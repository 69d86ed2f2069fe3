#pragma once

#include <QString>
#include <QStringList>

// What the operator asked for on the command line.
struct CommandLine {
    enum Command { Help, Show, Build, Check };

    Command command = Help;
    bool json = false;          // show: JSON instead of text
    QString file;               // show: the record; build: the JSON description
    QString output;             // build: the record to write
    QString installDir;         // check: empty for the installation of this binary
    QStringList abonentFiles;   // check: files holding one abonent record each
    QString error;              // not empty: the arguments make no sense
};

CommandLine parseCommandLine(const QStringList &arguments);
QString usageText();
