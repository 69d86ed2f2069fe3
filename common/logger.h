#pragma once

#include "comchannel_export.h"

#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

class QThread;

// Category of a log message. Level 0 is always written; levels 1 to 20 are
// each silenced by their switch in the settings store.
enum DebugLevel {
    LevelAlways = 0,
    LevelIpcData = 1,
    LevelIpcExtra = 2,
    LevelIpcSecurityDaemon = 3,
    LevelIpcTransport = 4,
    LevelTransportAbonents = 5,
    LevelTransportTransit = 6,
    LevelTransportConnects = 7,
    LevelTransportDataLifetime = 8,
    LevelTransportBaseProtocol = 9,
    LevelTransportProtocol = 10,
    LevelTransportProtocolAttaches = 11,
    LevelTransportIpSocketError = 12,
    LevelTransportComPortError = 13,
    LevelTransportComAtCommands = 14,
    LevelTransportComPackets = 15,
    LevelTransportComData = 16,
    LevelTransportTasks = 17,
    LevelJournals = 18,
    LevelMessagesAutodelete = 19,
    LevelMessagesLock = 20
};

enum DebugFlag {
    FlagNone = 0,
    FlagFileOnly = 1
};

// One entry of the thread registry: a thread and its fixed indentation level.
struct Tabulation {
    QThread *thread;
    qint32 level;
};

// The logger state that the host application may share with its plug-ins.
// Its layout is part of the contract with the host: keep it as it is.
struct DebugData {
    QList<Tabulation> tabs;
    QMutex mutex;
};

class COMCHANNEL_EXPORT LoggerData
{
public:
    static void initDebug(DebugData *data);
    static DebugData *debugData();
};

COMCHANNEL_EXPORT int currentTabLevel();
COMCHANNEL_EXPORT void deleteThreadTabLevel(QThread *thread);

COMCHANNEL_EXPORT void debug(QString name, QString const &text,
                             DebugLevel level = LevelAlways, DebugFlag flag = FlagNone);

// Writes straight into the log file, without the logger's lock, filter or state.
COMCHANNEL_EXPORT void emergecyDebug(QString const &text);

// Trace switch ("Debug/all"): -1 not yet read, 0 off, 1 on.
COMCHANNEL_EXPORT extern int gFunctionsDebuging;
COMCHANNEL_EXPORT extern QStringList gStack;
COMCHANNEL_EXPORT extern QMutex gStackMutex;

// Scope tracer: logs entry and exit while tracing is on, otherwise records the
// scope in the list of the last 64 entered operations.
class COMCHANNEL_EXPORT _CFunctionDebug
{
public:
    explicit _CFunctionDebug(const char *function);
    _CFunctionDebug(const char *file, int line, const char *function);
    ~_CFunctionDebug();
    static QStringList &stack();

private:
    Q_DISABLE_COPY(_CFunctionDebug)
    QString name;
};

// Logs how long a scope took.
class COMCHANNEL_EXPORT _CFunctionMeasure
{
public:
    _CFunctionMeasure(const char *name, bool always);
    ~_CFunctionMeasure();

private:
    Q_DISABLE_COPY(_CFunctionMeasure)
    QString name;
    QElapsedTimer timer;
    bool always;
};

// Opens a scope tracer named with the enclosing function's full signature.
#define TRACE_SCOPE() _CFunctionDebug functionDebug_(Q_FUNC_INFO)
