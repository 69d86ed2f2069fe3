#pragma once

#include <QByteArray>
#include <QString>

class CChannelAbonentSettingsWidget;
class CChannelSettingsWidget;
struct DebugData;

// What the host application obtains from a channel settings plug-in. The
// order of the virtual operations is part of the binary contract with the
// host: keep it.
class CChannelSettingsPlugin
{
public:
    virtual ~CChannelSettingsPlugin() = default;

    virtual int channelType() const = 0;
    virtual QString channelName() const = 0;
    virtual CChannelAbonentSettingsWidget *abonentWidget() const = 0;
    virtual CChannelSettingsWidget *channelWidget() const = 0;
    virtual bool isSameAbonentSettings(QByteArray const &a, QByteArray const &b) const = 0;
    virtual bool canPing() const { return false; }
    virtual void ping(QByteArray const &data) { Q_UNUSED(data) }
};

// The library's entry points, resolved by name with QLibrary.
extern "C" {
typedef int (*ApiVersionFunction)();
typedef CChannelSettingsPlugin *(*InstanceFunction)();
typedef void (*DeleteInstanceFunction)(CChannelSettingsPlugin *);
typedef void (*InitDebugFunction)(DebugData *);
}

// The interface version that hosts of this header expect from apiVersion().
constexpr int ChannelSettingsPluginApiVersion = 5;
