#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots/: builds Settings if needed, runs it in a virtual
# X server with a window manager (scripts/with-x.sh), drives it with xdotool and captures the
# screen with ImageMagick, cropped around the window of interest to 1024 pixels wide.
# SETTINGS_BUILD_DIR names another configured build directory than build/.
set -euo pipefail
cd "$(dirname "$0")/.."

out=docs/screenshots
build=${SETTINGS_BUILD_DIR:-build}

if [ "${1:-}" != --inside-x ]; then
    for tool in xdotool import convert; do
        command -v "$tool" >/dev/null || { echo "screenshots.sh needs $tool (Debian: xdotool, imagemagick)" >&2; exit 1; }
    done
    if [ "$build" = build ]; then scripts/build.sh --target Settings; else cmake --build "$build" --target Settings; fi
    mkdir -p "$out"
    exec scripts/with-x.sh "$0" --inside-x
fi

"$build/Settings" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

# The id of the visible window whose title is exactly $1, once there is one.
window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.05
    done
    echo "no window '$1'" >&2
    return 1
}

gone() {
    for _ in $(seq 200); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    echo "window '$1' stays open" >&2
    return 1
}

# Waits until two captures in a row are the same: every window has been drawn.
settle() {
    local before after=""
    for _ in $(seq 50); do
        before=$after
        after=$(import -window root rgb:- | md5sum)
        [ "$before" = "$after" ] && return
        sleep 0.1
    done
}

# shot NAME [WINDOW]: the whole screen scaled to 1024 wide, or a 1024 x 768 piece of it
# centred on the window (kept inside the screen).
shot() {
    settle
    import -window root /tmp/screenshot-full.png
    if [ $# -eq 1 ]; then
        convert /tmp/screenshot-full.png -resize 1024x -strip "$out/$1.png"
    else
        local X Y WIDTH HEIGHT SCREEN WINDOW
        eval "$(xdotool getwindowgeometry --shell "$(window "$2")")"
        read -r sw sh < <(xdotool getdisplaygeometry)
        local x=$((X + WIDTH / 2 - 512)) y=$((Y + HEIGHT / 2 - 384))
        x=$((x < 0 ? 0 : x > sw - 1024 ? sw - 1024 : x))
        y=$((y < 0 ? 0 : y > sh - 768 ? sh - 768 : y))
        convert /tmp/screenshot-full.png -crop "1024x768+$x+$y" +repage -strip "$out/$1.png"
    fi
    echo "$out/$1.png"
}

# Chooses a menu item with the keyboard once the main window is active: Alt and the entry's
# letter open the entry, and the menu takes the keys that follow.
menu() {
    xdotool windowactivate --sync "$(window Setup)" 2>/dev/null
    local entry=$1
    shift
    xdotool key "alt+$entry" "$@"
}

window "Setup" >/dev/null
window "Instructions for Settings utility" >/dev/null
shot 01-start-help

xdotool key Return
window "Base Address" >/dev/null
shot 02-base-address-after-start "Base Address"

menu s Return
gone "Base Address"
menu s Down Return
window "IRQ" >/dev/null
shot 03-irq "IRQ"

menu s Down Return
gone "IRQ"
menu s Down Down Return
window "DAC Range" >/dev/null
shot 04-dac-range "DAC Range"

menu s Down Down Return
gone "DAC Range"
menu s Down Down Down Return
window "Mode 1 Digital Inversion" >/dev/null
shot 05-mode1-inversion "Mode 1 Digital Inversion"

menu s Down Down Down Return
gone "Mode 1 Digital Inversion"
menu h t
window "Technical Support" >/dev/null
shot 06-technical-support "Technical Support"
