#!/bin/sh
# An unprivileged check run from a build tree below a directory that others may
# not enter, as a checkout in /root is: a copy of the paths test's installation.
#   closed_tree.sh INSTALLATION
set -eu
closed=$(mktemp -d)
trap 'rm -rf "$closed"' EXIT
[ "$(stat -c %a "$closed")" = 700 ]
cp -a "$1" "$closed/tree"
"$closed/tree/bin/tst_paths" checkAccess
