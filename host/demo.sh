#!/usr/bin/env bash
# Lays out the demo installation and starts the reference host in it: its
# window when a display is reachable, otherwise its scripted tour, which the
# host plays offscreen in a temporary installation of its own.
#
#   host/demo.sh [--tour] BUILD_DIR [INSTALL_DIR]
#
# The installation is BUILD_DIR itself unless INSTALL_DIR names another
# directory, which then gets a fresh copy of the host and the plug-in.
set -euo pipefail

usage() { echo "usage: $0 [--tour] BUILD_DIR [INSTALL_DIR]" >&2; exit 2; }

tour=0
if [ "${1:-}" = --tour ]; then tour=1; shift; fi
[ $# -ge 1 ] && [ $# -le 2 ] || usage
build=$(cd "$1" && pwd)
install=${2:-$build}

display_reachable() {
    [ -n "${DISPLAY:-}" ] || return 1
    if command -v xdpyinfo >/dev/null; then xdpyinfo >/dev/null 2>&1; return; fi
    # Without the X tools a local display is reachable when its socket is there.
    local number=${DISPLAY#*:}
    [ -S "/tmp/.X11-unix/X${number%%.*}" ]
}
[ $tour -eq 1 ] || display_reachable || tour=1
[ $tour -eq 0 ] || exec "$build/bin/comchannel-host" --tour

if [ "$install" != "$build" ]; then
    rm -rf "$install/bin"
    mkdir -p "$install/bin/channelSettingsPlugins"
    cp "$build/bin/comchannel-host" "$install/bin/"
    cp "$build/bin/channelSettingsPlugins/libcomchannel.so" "$install/bin/channelSettingsPlugins/"
fi
mkdir -p "$install/settings" "$install/data/0"

# Trace every call of the plug-in into the log; the console stays for the host's own report.
settings=$install/settings/settings.ini
[ -f "$settings" ] || printf '[Debug]\nall=true\n' >"$settings"
general=$install/settings/generalSettings.ini
[ -f "$general" ] || printf 'closeChildWindows=true\n' >"$general"
export QT_LOGGING_RULES="default.debug=false"

exec "$install/bin/comchannel-host"
