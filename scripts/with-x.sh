#!/usr/bin/env bash
# Runs a command inside a fresh virtual X server with a window manager.
set -euo pipefail
# openbox runs its start-up command only once it manages windows; wait for that, since a
# window mapped earlier can be lost.
inner='ready=$(mktemp -u)
openbox --startup "touch $ready" >/dev/null 2>&1 &
for _ in $(seq 200); do [ -e "$ready" ] && break; sleep 0.05; done
rm -f "$ready"
"$@"'
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$inner" with-x "$@"
