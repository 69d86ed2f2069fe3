#!/usr/bin/env bash
# The reference host's --help and --tour without a display: the tour plays in
# an installation of its own, so a second run passes too and the installation
# the host was started from keeps every file as it was.
set -euo pipefail
host=$1
install=$(dirname "$(dirname "$host")")
before=$(find "$install/settings" "$install/data" -type f -exec md5sum {} + 2>/dev/null | sort || true)
env -u DISPLAY -u QT_QPA_PLATFORM "$host" --help >/dev/null
env -u DISPLAY -u QT_QPA_PLATFORM "$host" --tour
env -u DISPLAY -u QT_QPA_PLATFORM "$host" --tour >/dev/null
[ "$before" = "$(find "$install/settings" "$install/data" -type f -exec md5sum {} + 2>/dev/null | sort || true)" ]
