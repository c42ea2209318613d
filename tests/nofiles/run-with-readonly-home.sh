#!/usr/bin/env bash
# Runs the real program for a few seconds with an empty, read-only home directory (the XDG
# directories pointed into it) and an empty working directory, then checks that it wrote
# no file in either: the program keeps nothing between runs and creates no file.
#
#   run-with-readonly-home.sh <Settings binary>
#
# Run as root, the program runs as the unprivileged user nobody, for whom the home is truly
# read-only and the working directory writable.
set -euo pipefail
program=$(realpath "$1")
root=$(mktemp -d)
trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT
home=$root/home work=$root/work
mkdir "$home" "$work"
chmod 755 "$root"
chmod 555 "$home"
chmod 777 "$work"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

status=0
(cd "$work" && env -i PATH="$PATH" HOME="$home" USER=nobody \
    XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" \
    XDG_STATE_HOME="$home/.local/state" XDG_RUNTIME_DIR="$home/.runtime" QT_QPA_PLATFORM=offscreen \
    timeout 4 "${as_user[@]}" "$program") || status=$?
# timeout's 124 means the program was still running after four seconds, as it should be.
if [ "$status" -ne 124 ]; then
    echo "the program ended by itself with status $status" >&2
    exit 1
fi
written=$(find "$home" "$work" -mindepth 1)
if [ -n "$written" ]; then
    echo "the program created files:" >&2
    echo "$written" >&2
    exit 1
fi
echo "no file written in the home or the working directory"
