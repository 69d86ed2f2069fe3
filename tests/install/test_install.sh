#!/usr/bin/env bash
# Installs the built project into a scratch prefix, builds a small external
# host against the installed package (CMake package, then pkg-config) and runs
# it against the installed plug-in.
set -euo pipefail
build_dir=$1
source_dir=$(cd "$(dirname "$0")" && pwd)/externalhost
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
plugin=$work/prefix/bin/channelSettingsPlugins/libcomchannel.so
test -f "$plugin"
test -f "$work/prefix/include/comchannel/interfaces/cchannelsettingsplugin.h"

for variant in OFF ON; do
    cmake -S "$source_dir" -B "$work/host-$variant" -DUSE_PKG_CONFIG=$variant \
        -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
    PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" cmake --build "$work/host-$variant" >/dev/null
    QT_QPA_PLATFORM=offscreen "$work/host-$variant/externalhost" "$plugin"
done
