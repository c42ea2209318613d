#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh --target Settings
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Settings needs a display. Without one, run it in a virtual X server:" >&2
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' scripts/run.sh" >&2
    exit 1
fi
exec build/Settings
