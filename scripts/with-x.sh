#!/usr/bin/env bash
# Runs a command inside a fresh virtual X server with a window manager.
set -euo pipefail
inner='openbox >/dev/null 2>&1 &
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
"$@"'
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$inner" with-x "$@"
