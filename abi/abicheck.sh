#!/usr/bin/env bash
# abicheck.sh check|update LIBRARY HEADERS_DIR BASELINE
# The binary interface of LIBRARY as far as the public headers in HEADERS_DIR show
# it (exported functions and variables, the layout and virtual tables of the types
# they reach), against a libabigail BASELINE. "check" fails on any change that a
# host built against the baseline could notice; added functions are allowed.
# "update" writes the baseline from LIBRARY.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: abicheck.sh check|update LIBRARY HEADERS_DIR BASELINE" >&2; exit 2; }
mode=$1 library=$2 headers=$3 baseline=$4

case $mode in
    update)
        # Without paths of this machine and with type ids drawn from the types themselves,
        # so that the baseline is the same wherever it is made and changes only where they do.
        abidw --headers-dir "$headers" --drop-private-types --no-corpus-path --no-comp-dir-path --short-locs \
            --type-id-style hash \
            --out-file "$baseline" "$library"
        echo "abi: baseline $baseline written" ;;
    check)
        abidiff --no-added-syms --headers-dir2 "$headers" --drop-private-types "$baseline" "$library" \
            || { echo "abi: $library breaks the interface of $baseline" >&2; exit 1; }
        echo "abi: $library keeps the interface of $baseline" ;;
    *) echo "abicheck.sh: unknown mode $mode" >&2; exit 2 ;;
esac
