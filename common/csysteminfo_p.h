#pragma once

#include <QString>

#include <functional>

// The parts of the system summary that read the machine, taking what they
// read as arguments; CSystemInfo passes the real sources.
namespace SystemInfo {

// The value of an environment variable, null when it is not set.
using EnvironmentReader = std::function<QString(const char *name)>;

QString envInfo(const EnvironmentReader &variable);
QString uptimeInfo(long secondsSinceBoot);
QString userGroupsInfo(const QString &userName, const QString &groupFilePath);
QString CPUInfo(const QString &cpuInfoFilePath);

} // namespace SystemInfo
