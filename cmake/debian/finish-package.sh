#!/usr/bin/env bash
# finish-package.sh PACKAGE_FILE
# Gives a package that CPack made what Debian expects of every package: its
# copyright and changelog in /usr/share/doc/<package>/ (a debug package links
# to its package's), the lintian override explained below, and a list of
# checksums with paths inside the package (the -dbgsym packages of CMake 3.25
# list the paths of the build machine).
set -euo pipefail
file=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

dpkg-deb -R "$file" "$work/root"
package=$(dpkg-deb -f "$file" Package)
version=$(dpkg-deb -f "$file" Version)
docs=$work/root/usr/share/doc
mkdir -p "$docs"
if [[ $package == *-dbgsym ]]; then
    # A debug package holds debug files only; its documentation is its package's.
    ln -s "${package%-dbgsym}" "$docs/$package"
else
    mkdir "$docs/$package"
    cp "$here/copyright" "$docs/$package/"
    # The date of the last commit, so that the same sources give the same packages.
    date=$(date -R -u -d "@${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)}")
    sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$date/" "$here/changelog" | gzip -9n >"$docs/$package/changelog.gz"
fi
if [ -d "$work/root/opt" ]; then
    # The library's layout is an application's (plug-in directories under the
    # application directory, settings and data beside it), and the packages are
    # add-on software for a messaging application: that is what /opt is for.
    mkdir -p "$work/root/usr/share/lintian/overrides"
    echo "$package: dir-or-file-in-opt" >"$work/root/usr/share/lintian/overrides/$package"
fi
chmod -R u=rwX,go=rX "$work/root/usr/share"
(cd "$work/root" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
dpkg-deb --root-owner-group -Zxz --build "$work/root" "$file" >/dev/null
