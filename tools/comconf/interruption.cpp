#include "interruption.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gInterruptionSockets[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(gInterruptionSockets[0], &byte, 1);
}

} // namespace

CInterruption::CInterruption()
{
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, gInterruptionSockets) != 0)
        return;
    notifier = new QSocketNotifier(gInterruptionSockets[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(gInterruptionSockets[1], &byte, 1);
        emit interrupted();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

CInterruption::~CInterruption()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    delete notifier;
    for (int &socket : gInterruptionSockets) {
        if (socket >= 0)
            close(socket);
        socket = -1;
    }
}
