#pragma once

struct ComPortSettings;
class Findings;

// One port of the channel on this machine: valid codes, reported by the
// system, named stably, not held by a lock, and a modem string a modem takes.
void checkPort(const ComPortSettings &port, Findings &findings);
