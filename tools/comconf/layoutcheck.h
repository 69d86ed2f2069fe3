#pragma once

class Findings;
class InstallationPaths;

// The settings and data directories, the secrecy level of the user running
// the doctor (the first level whose data directory is usable, as the library
// decides it) and the log directory of that level.
void checkLayout(const InstallationPaths &paths, Findings &findings);
