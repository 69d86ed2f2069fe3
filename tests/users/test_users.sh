#!/usr/bin/env bash
# Secrecy levels with real users: throw-away accounts run the probe in a copied
# installation owned by root, where only the directories a case opens are theirs.
#   test_users.sh PROBE
set -euo pipefail
probe=$1
[ "$(id -u)" -eq 0 ] || { echo "test_users.sh: must run as root, it creates users" >&2; exit 1; }
work=$(mktemp -d)
chmod 755 "$work"
inst=$work/inst level2=ccsec$$l2 nolevel=ccsec$$none failures=0
trap 'userdel "$level2" 2>/dev/null; userdel "$nolevel" 2>/dev/null; rm -rf "$work"' EXIT
for user in "$level2" "$nolevel"; do useradd -M -N -g nogroup -s /usr/sbin/nologin "$user"; done
defaults="0 0 0 1 0 0 1 1 0 0 1 0 1 1 1 0 0 1 1 1 0 26214 30583 5000"
check() { if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
printed() { grep -qxF "$1" "$work/out"; }

# Everything root's and closed for writing but the settings directory: without
# level 0 the store writes nothing, even where the system would let it.
fresh_installation() {
    rm -rf "$inst"
    mkdir -p "$inst/bin" "$inst/settings" "$inst/data/"{0,1,2,3}
    cp "$probe" "$inst/bin/secrecyprobe"
    chmod -R 755 "$inst"
    chmod 777 "$inst/settings"
}

run_as() {
    env USER="$1" setpriv --reuid="$1" --regid=nogroup --clear-groups -- "$inst/bin/secrecyprobe" \
        >"$work/out" 2>"$work/err" || { cat "$work/out" "$work/err"; return 1; }
}

# A user who may write data/2 and data/3.
fresh_installation
chown "$level2" "$inst/data/2" "$inst/data/3"
run_as "$level2"
check "level 2, the lowest the user may write" printed "level 2"
check "the log in data/2/log, named after the user" \
    grep -q "probe line" "$inst/data/2/log/secrecyprobe_${level2}_$(date +%Y.%m.%d).log"
check "nothing written in data/0, data/1, data/3" test -z "$(find "$inst/data/0" "$inst/data/1" "$inst/data/3" -mindepth 1)"
check "every default without settings.ini" printed "answers $defaults"
check "settings.ini not created without level 0" test ! -e "$inst/settings/settings.ini"
printf '[Permissions]\nfilePermissions=420\n[Debug]\nall=true\n' >"$inst/settings/settings.ini"
chmod 666 "$inst/settings/settings.ini"
cp -p "$inst/settings/settings.ini" "$work/before.ini"
run_as "$level2"
check "the stored switch and the defaults for the rest" printed "answers ${defaults/#0/1}"
check "settings.ini not changed without level 0" cmp -s "$inst/settings/settings.ini" "$work/before.ini"
check "settings.ini keeps its time" test ! "$inst/settings/settings.ini" -nt "$work/before.ini"

# A user who may write no level at all.
fresh_installation
run_as "$nolevel"
check "level 0 without any level" printed "level 0"
check "the critical message" grep -qF "Global: Error! Can not get current secrecy level." "$work/err"
check "every default without any level" printed "answers $defaults"
check "nothing written in data/ nor settings/" test -z "$(find "$inst/data" -mindepth 2; find "$inst/settings" -mindepth 1)"

[ "$failures" -eq 0 ]
