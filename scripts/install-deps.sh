#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
# dpkg-dev gives the Debian package its Depends line; desktop-file-utils and appstream
# validate the desktop entry and the metainfo in the package test. Packages named on the
# command line are installed as well (scripts/bench.sh names what the benchmarks need).
set -euo pipefail

packages=(g++ cmake ninja-build ccache qt6-base-dev libjpeg-dev libgtest-dev
          xvfb xauth xdotool openbox x11-utils
          dpkg-dev desktop-file-utils appstream "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
