#include "logger.h"
#include "loggerstate.h"

#include <QAtomicPointer>
#include <QThread>

namespace {

// Threads may log for the first time at the same moment, so the state is
// installed with a compare-and-swap.
QAtomicPointer<DebugData> gDebugData;

} // namespace

void LoggerData::initDebug(DebugData *data)
{
    gDebugData.storeRelease(data ? data : new DebugData);
}

DebugData *LoggerData::debugData()
{
    return gDebugData.loadAcquire();
}

DebugData &installedDebugData()
{
    DebugData *data = gDebugData.loadAcquire();
    if (data)
        return *data;
    DebugData *fresh = new DebugData;
    if (gDebugData.testAndSetOrdered(nullptr, fresh, data))
        return *fresh;
    delete fresh;
    return *data;
}

int lockedTabLevel(DebugData &data, QThread *thread)
{
    for (const Tabulation &tab : qAsConst(data.tabs)) {
        if (tab.thread == thread)
            return tab.level;
    }
    for (Tabulation &tab : data.tabs) {
        if (!tab.thread) {
            tab.thread = thread;
            return tab.level;
        }
    }
    data.tabs.append({thread, data.tabs.size() + 1});
    return data.tabs.size();
}

int currentTabLevel()
{
    DebugData &data = installedDebugData();
    QThread *thread = QThread::currentThread();
    QMutexLocker locker(&data.mutex);
    return lockedTabLevel(data, thread);
}

void deleteThreadTabLevel(QThread *thread)
{
    DebugData *data = LoggerData::debugData();
    if (!data)
        return;
    QMutexLocker locker(&data->mutex);
    for (Tabulation &tab : data->tabs) {
        if (tab.thread == thread) {
            tab.thread = nullptr;
            return;
        }
    }
}
