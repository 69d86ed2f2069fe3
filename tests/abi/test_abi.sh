#!/usr/bin/env bash
# The binary interface check refuses a break: a stand-in library built from the
# public page bases keeps its own baseline, and the same library built from a
# copy of the headers with two virtual operations of the channel page swapped
# is refused, while the unchanged one passes.
set -euo pipefail
source_dir=$1
check=$source_dir/abi/abicheck.sh
work=$(mktemp -d /tmp/comchannel-abi.XXXXXX)
trap 'rm -rf "$work"' EXIT

for copy in original swapped; do
    mkdir -p "$work/$copy/common"
    cp -r "$source_dir/interfaces" "$work/$copy/"
    cp "$source_dir/common/comchannel_export.h" "$work/$copy/common/"
done
page=interfaces/cchannelsettingswidget.h
sed -i -e '/virtual QString saveData(/{h;d}' -e '/virtual QString loadData(/G' "$work/swapped/$page"
! cmp -s "$work/original/$page" "$work/swapped/$page"

cmake -S "$(dirname "$0")/standin" -B "$work/build" -DHEADER_COPIES="$work" >/dev/null
cmake --build "$work/build" >/dev/null
"$check" update "$work/build/libstandin_original.so" "$work/original" "$work/baseline.abi"
"$check" check "$work/build/libstandin_original.so" "$work/original" "$work/baseline.abi"
if "$check" check "$work/build/libstandin_swapped.so" "$work/swapped" "$work/baseline.abi" >"$work/report" 2>&1; then
    cat "$work/report"
    echo "the check let the swapped virtual operations pass"
    exit 1
fi
grep -E "vtable offset|virtual member function" "$work/report"
