#include "csettings.h"

#include "globalpaths.h"
#include "settingspointer.h"

#include <QCoreApplication>
#include <QMutex>

SettingsPointer *gCSettingsSettings = nullptr;

namespace {

// Handles are made on whatever thread logs, traces or saves, while the store
// and its settings object are single-threaded: one lock serialises the
// store's creation, its syncs and every read and write through it.
QBasicMutex storeMutex;

// A host that unloads the library gets the store's memory back. At the end of the
// process the toolkit's caches beneath the store may be gone already, so it stays.
struct StoreRelease {
    ~StoreRelease()
    {
        if (!QCoreApplication::instance())
            return;
        QMutexLocker locker(&storeMutex);
        delete gCSettingsSettings;
        gCSettingsSettings = nullptr;
    }
} storeRelease;

void storeValue(SettingsPointer &store, const QString &key, const QVariant &value)
{
    if (!store.writable)
        return;
    // Qt keeps the file's keys in a process-wide cache that outlives this
    // library: a key that still points to the library's literal text would be
    // read there after the library is unloaded, so the cache gets its own copy.
    store.setValue(QString(key.constData(), key.size()), value);
}

// A missing switch is written back with its default, so the file lists it.
bool readSwitch(SettingsPointer &store, const QString &key, bool defaultValue)
{
    QMutexLocker locker(&storeMutex);
    if (store.settings.contains(key))
        return store.settings.value(key, defaultValue).toBool();
    storeValue(store, key, defaultValue);
    return defaultValue;
}

int readNumber(SettingsPointer &store, const QString &key, int defaultValue, int minimum, int maximum)
{
    QMutexLocker locker(&storeMutex);
    if (store.settings.contains(key)) {
        const int value = store.settings.value(key, defaultValue).toInt();
        if (value >= minimum && value <= maximum)
            return value;
    }
    storeValue(store, key, defaultValue);
    return defaultValue;
}

} // namespace

CSettings::CSettings()
{
    QMutexLocker locker(&storeMutex);
    if (!QCoreApplication::instance()) {
        // Before the application exists the installation is unknown: a store made now
        // would keep a wrong file for good. Such handles read defaults from no file.
        static SettingsPointer beforeApplication{QString()};
        store = &beforeApplication;
        return;
    }
    if (!gCSettingsSettings)
        gCSettingsSettings = new SettingsPointer(Global::internalSettingsFilePath());
    store = gCSettingsSettings;
    store->sync();
}

CSettings::~CSettings()
{
    QMutexLocker locker(&storeMutex);
    store->sync();
}

void CSettings::write(const QString &key, const QVariant &value)
{
    QMutexLocker locker(&storeMutex);
    storeValue(*store, key, value);
}

bool CSettings::debugAll()
{
    return readSwitch(*store, QStringLiteral("Debug/all"), false);
}

bool CSettings::debugIpcData()
{
    return readSwitch(*store, QStringLiteral("Debug/ipcData"), false);
}

bool CSettings::debugIpcExtra()
{
    return readSwitch(*store, QStringLiteral("Debug/ipcExtra"), false);
}

bool CSettings::debugIpcSecurityDaemon()
{
    return readSwitch(*store, QStringLiteral("Debug/ipcSecurityDaemon"), true);
}

bool CSettings::debugIpcTransport()
{
    return readSwitch(*store, QStringLiteral("Debug/ipcTransport"), false);
}

bool CSettings::debugTransportAbonents()
{
    return readSwitch(*store, QStringLiteral("Debug/transportAbonents"), false);
}

bool CSettings::debugTransportTransit()
{
    return readSwitch(*store, QStringLiteral("Debug/transportTransit"), true);
}

bool CSettings::debugTransportConnects()
{
    return readSwitch(*store, QStringLiteral("Debug/transportConnects"), true);
}

bool CSettings::debugTransportDataLifetime()
{
    return readSwitch(*store, QStringLiteral("Debug/transportDataLifetime"), false);
}

bool CSettings::debugTransportBaseProtocol()
{
    return readSwitch(*store, QStringLiteral("Debug/transportBaseProtocol"), false);
}

bool CSettings::debugTransportProtocol()
{
    return readSwitch(*store, QStringLiteral("Debug/transportProtocol"), true);
}

bool CSettings::debugTransportProtocolAttaches()
{
    return readSwitch(*store, QStringLiteral("Debug/transportProtocolAttaches"), false);
}

bool CSettings::debugTransportIpSocketError()
{
    return readSwitch(*store, QStringLiteral("Debug/transportIpSocketError"), true);
}

bool CSettings::debugTransportComPortError()
{
    return readSwitch(*store, QStringLiteral("Debug/transportComPortError"), true);
}

bool CSettings::debugTransportComAtCommands()
{
    return readSwitch(*store, QStringLiteral("Debug/transportComAtCommands"), true);
}

bool CSettings::debugTransportComPackets()
{
    return readSwitch(*store, QStringLiteral("Debug/transportComPackets"), false);
}

bool CSettings::debugTransportComData()
{
    return readSwitch(*store, QStringLiteral("Debug/transportComData"), false);
}

bool CSettings::debugTransportTasks()
{
    return readSwitch(*store, QStringLiteral("Debug/transportTasks"), true);
}

bool CSettings::debugJournals()
{
    return readSwitch(*store, QStringLiteral("Debug/journals"), true);
}

bool CSettings::debugMessagesAutodelete()
{
    return readSwitch(*store, QStringLiteral("Debug/messagesAutodelete"), true);
}

bool CSettings::debugMessagesLock()
{
    return readSwitch(*store, QStringLiteral("Debug/messagesLock"), false);
}

QFlags<QFileDevice::Permission> CSettings::filePermissions()
{
    return QFileDevice::Permissions(readNumber(*store, QStringLiteral("Permissions/filePermissions"), 0x6666, 0x6000, 0x6666));
}

QFlags<QFileDevice::Permission> CSettings::dirPermissions()
{
    return QFileDevice::Permissions(readNumber(*store, QStringLiteral("Permissions/dirPermissions"), 0x7777, 0x7111, 0x7777));
}

int CSettings::detailsMaxWritingTime()
{
    return readNumber(*store, QStringLiteral("Details/maxWritingTime"), 5000, 100, 10000);
}
