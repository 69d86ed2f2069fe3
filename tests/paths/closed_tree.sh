#!/bin/sh
# An unprivileged check run from a build tree below a directory that others may
# not enter, as a checkout in /root is: the paths test in an installation of its own.
#   closed_tree.sh INSTALLATION
set -eu
closed=$(mktemp -d)
trap 'rm -rf "$closed"' EXIT
[ "$(stat -c %a "$closed")" = 700 ]
mkdir "$closed/tree"
cp -a "$1/bin" "$closed/tree/"
"$closed/tree/bin/tst_paths" checkAccess
