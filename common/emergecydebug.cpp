#include "logger.h"

#include "logfiletarget.h"
#include "loglines.h"

#include <QMutex>

#include <unistd.h>

namespace {

constexpr int ContinuationIndent = 4;

} // namespace

void emergecyDebug(QString const &text)
{
    // A lock of its own: this path must work even when the logger's is stuck.
    static QBasicMutex mutex;
    static LogFileTarget target;

    QByteArray prefix(TimeStampSize, ' ');
    writeTimeStamp(prefix.data());
    prefix.append("                forceDebug    ");
    const LogLines lines = layOutLines(text, prefix, ContinuationIndent);

    QMutexLocker locker(&mutex);
    int fd = -1;
    bool created = false;
    if (target.open(&fd, &created) != LogFileTarget::Opened)
        return;
    int start = 0;
    for (const int end : lines.ends) {
        [[maybe_unused]] const ssize_t written = ::write(fd, lines.bytes.constData() + start, size_t(end - start));
        start = end;
    }
    ::close(fd);
}
