#include "categoryswitches.h"

#include "csettings.h"
#include "globalpaths.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The switches of levels 1 to 20, in the order of the levels.
bool (CSettings::*const categorySwitches[])() = {
    &CSettings::debugIpcData,
    &CSettings::debugIpcExtra,
    &CSettings::debugIpcSecurityDaemon,
    &CSettings::debugIpcTransport,
    &CSettings::debugTransportAbonents,
    &CSettings::debugTransportTransit,
    &CSettings::debugTransportConnects,
    &CSettings::debugTransportDataLifetime,
    &CSettings::debugTransportBaseProtocol,
    &CSettings::debugTransportProtocol,
    &CSettings::debugTransportProtocolAttaches,
    &CSettings::debugTransportIpSocketError,
    &CSettings::debugTransportComPortError,
    &CSettings::debugTransportComAtCommands,
    &CSettings::debugTransportComPackets,
    &CSettings::debugTransportComData,
    &CSettings::debugTransportTasks,
    &CSettings::debugJournals,
    &CSettings::debugMessagesAutodelete,
    &CSettings::debugMessagesLock,
};
static_assert(sizeof(categorySwitches) / sizeof(categorySwitches[0]) == SwitchedLevels);

bool readThroughHandle(int level)
{
    CSettings settings;
    return (settings.*categorySwitches[level - 1])();
}

// One content of the settings file as the kernel tells it: the store writes a
// new file under the name (every value set through a handle reaches the file
// when the handle goes), and an edit in place changes size or times. The
// store itself looks no closer: it compares modification times only.
struct FileState {
    quint64 inode = 0;
    quint64 size = 0;
    statx_timestamp modified{};
    statx_timestamp changed{};

    bool operator==(const FileState &other) const
    {
        return inode == other.inode && size == other.size && modified.tv_sec == other.modified.tv_sec
               && modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec
               && changed.tv_nsec == other.changed.tv_nsec;
    }
};

// A missing file is a state too: all zero. A link is followed, as the store follows it.
FileState stateOf(const QByteArray &path)
{
    FileState state;
    struct statx status;
    if (::statx(AT_FDCWD, path.constData(), 0, STATX_INO | STATX_SIZE | STATX_MTIME | STATX_CTIME, &status) == 0) {
        state.inode = status.stx_ino;
        state.size = status.stx_size;
        state.modified = status.stx_mtime;
        state.changed = status.stx_ctime;
    }
    return state;
}

// The switches a thread has read through handles, valid while the file stays
// as it was before the reads: a filtered message then costs one statx instead
// of the two syncs of a handle.
struct ReadSwitches {
    QByteArray settingsPath;
    FileState state;
    quint32 known = 0;
    quint32 on = 0;
};

} // namespace

bool isCategoryOn(int level)
{
    // Before the application the installation, and so the file, is unknown.
    if (!QCoreApplication::instance())
        return readThroughHandle(level);

    thread_local ReadSwitches read;
    if (read.settingsPath.isEmpty())
        read.settingsPath = QFile::encodeName(Global::internalSettingsFilePath());
    const FileState now = stateOf(read.settingsPath);
    if (!(now == read.state)) {
        read.state = now;
        read.known = 0;
    }
    const quint32 bit = 1u << level;
    if (!(read.known & bit)) {
        read.on = readThroughHandle(level) ? read.on | bit : read.on & ~bit;
        read.known |= bit;
    }
    return read.on & bit;
}
