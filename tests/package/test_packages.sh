#!/usr/bin/env bash
# Builds the Debian packages, installs them on this machine, builds the external
# host against the installed -dev package (through its CMake package and through
# pkg-config, in one build), runs both with the installed plug-in and runs comconf;
# the packages are purged again whatever happens, so the machine is left as it was.
set -euo pipefail
build_dir=$1
externalhost=$(cd "$(dirname "$0")/../install/externalhost" && pwd)
packages=(comchannel comchannel-dev comchannel-tools comchannel-dbgsym comchannel-tools-dbgsym)
for package in "${packages[@]}"; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q ' installed'; then
        echo "$package is installed on this machine; the test would remove it"
        exit 1
    fi
done
work=$(mktemp -d /tmp/comchannel-packages.XXXXXX)
trap 'dpkg --purge "${packages[@]}" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# The packages only travel to dpkg here: the fastest compression will do.
(cd "$build_dir" && DPKG_DEB_COMPRESSOR_LEVEL=0 cpack -B "$work/packages" >/dev/null)
dpkg -i "$work"/packages/*.deb "$work"/packages/*.ddeb >/dev/null
export PKG_CONFIG_PATH=/opt/comchannel/lib/pkgconfig
plugin=$(pkg-config --variable=pluginsdir comchannel)/libcomchannel.so
file -L "$plugin" | grep -q ', stripped'
build_id=$(readelf -n "$plugin" | awk '/Build ID/ { print $3 }')
test -f "/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug"

cmake -S "$externalhost" -B "$work/host" >/dev/null
cmake --build "$work/host" -j2 >/dev/null
for host in externalhost-cmake externalhost-pkgconfig; do
    QT_QPA_PLATFORM=offscreen "$work/host/$host" "$plugin"
done
help=$(/opt/comchannel/bin/comconf --help)
grep -q 'comconf check' <<<"$help"
