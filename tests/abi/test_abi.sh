#!/usr/bin/env bash
# The binary interface check refuses a break: a stand-in library built from the
# public page bases keeps its own baseline; the same library built from copies of
# the headers with one break each is refused, while the unchanged one passes.
set -euo pipefail
source_dir=$1
check=$source_dir/abi/abicheck.sh
page=interfaces/cchannelsettingswidget.h
work=$(mktemp -d /tmp/comchannel-abi.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Each break: the sed script that makes it in the channel page base, and what the report must say.
declare -A edit=(
    [swapped]='/virtual QString saveData(/{h;d};/virtual QString loadData(/G'
    [shifted]='/CChannelUsedDevices \*usedDevices/i int shifted = 0;')
declare -A report=([swapped]='vtable offset' [shifted]='usedDevices.* offset changed')
copies=(original "${!edit[@]}")
for copy in "${copies[@]}"; do
    mkdir -p "$work/$copy/common"
    cp -r "$source_dir/interfaces" "$work/$copy/"
    cp "$source_dir/common/comchannel_export.h" "$work/$copy/common/"
done
for copy in "${!edit[@]}"; do
    sed -i -e "${edit[$copy]}" "$work/$copy/$page"
    ! cmp -s "$work/original/$page" "$work/$copy/$page"
done

cmake -S "$(dirname "$0")/standin" -B "$work/build" -DHEADER_COPIES="$work" -DCOPIES="$(IFS=';'; echo "${copies[*]}")" >/dev/null
cmake --build "$work/build" >/dev/null
"$check" update "$work/build/libstandin_original.so" "$work/original" "$work/baseline.abi"
"$check" check "$work/build/libstandin_original.so" "$work/original" "$work/baseline.abi"
for copy in "${!edit[@]}"; do
    if "$check" check "$work/build/libstandin_$copy.so" "$work/$copy" "$work/baseline.abi" >"$work/$copy.report" 2>&1; then
        cat "$work/$copy.report"
        echo "the check let the $copy page base pass"
        exit 1
    fi
    grep -E "${report[$copy]}" "$work/$copy.report"
done
