#pragma once

struct CommandLine;

// comconf probe: talks to the modems of the installation's active ports (or
// of the ports named), all at once. Returns the exit code: 0 when every modem
// answered OK, 1 when any did not, 2 when the settings give nothing to check.
int runProbe(const CommandLine &line);
