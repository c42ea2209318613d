#!/usr/bin/env bash
# The real program under valgrind's memcheck, in a virtual X server with a window manager:
# start, the guided tour from the help window's Start, every popup opened (and the held one
# closed and opened again) from the menu bar, then "&Exit". Invalid reads and writes and
# leaks that are certainly lost count as errors; scripts/memcheck.supp holds the known ones
# of the libraries beneath us.
#
#   scripts/memcheck.sh          (MEMCHECK_BUILD names a build directory that holds Settings)
#
# The full valgrind report is left in <build>/memcheck.log.
set -euo pipefail
cd "$(dirname "$0")/.."

# Inside the X server: drives the program with real keys, as a user would.
if [ "${1:-}" = --session ]; then
    program=$2 log=$3
    # A library may fork a helper (the session bus's launcher); that copy is not the program.
    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
        --child-silent-after-fork=yes --num-callers=40 --suppressions=scripts/memcheck.supp \
        --error-exitcode=99 --log-file="$log" "$program" &
    pid=$!
    shown() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
    wait_for() {
        for _ in $(seq "$2"); do
            [ -n "$(shown "$1")" ] && return 0
            kill -0 "$pid" 2>/dev/null || { echo "memcheck: the program ended early" >&2; return 1; }
            sleep 1
        done
        echo "memcheck: no window \"$1\" after $2 s" >&2
        return 1
    }
    # Alt and the mnemonic open a top-level item of the main window; Down moves to the item.
    choose() {
        local main downs=()
        main=$(shown Setup)
        for _ in $(seq "$2"); do downs+=(Down); done
        xdotool windowactivate --sync "$main" key --delay 200 "alt+$1" "${downs[@]}" Return 2>/dev/null
    }
    fail() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }

    wait_for "Instructions for Settings utility" 600 || fail
    echo "memcheck: the help window is shown; Start"
    xdotool windowactivate --sync "$(shown "Instructions for Settings utility")" key Return 2>/dev/null
    wait_for "Base Address" 300 || fail
    echo "memcheck: the tour holds \"Base Address\"; every popup from the menu"
    settings=("Base Address" "IRQ" "DAC Range" "Mode 1 Digital Inversion" "±12V Source")
    options=("Digital I/O" "Analog Output" "Analog Input And Counter/Timer" "External ±12V")
    # The first choice closes the popup the tour holds; the others open theirs.
    for i in "${!settings[@]}"; do
        choose s "$i"
        [ "$i" -eq 0 ] || wait_for "${settings[$i]}" 300 || fail
    done
    for i in "${!options[@]}"; do
        choose o "$i"
        wait_for "${options[$i]}" 300 || fail
    done
    choose s 0
    wait_for "Base Address" 300 || fail
    echo "memcheck: all nine popups are open; &Exit"
    choose f 0
    for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 1; done
    kill -0 "$pid" 2>/dev/null && { echo "memcheck: the program did not end after &Exit" >&2; fail; }
    wait "$pid"
    exit $?
fi

build=${MEMCHECK_BUILD:-build}
if [ -z "${MEMCHECK_BUILD:-}" ]; then
    scripts/install-deps.sh
    scripts/build.sh --target Settings
fi
if ! command -v valgrind >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends valgrind
fi
log="$build/memcheck.log"
status=0
scripts/with-x.sh "$0" --session "$build/Settings" "$log" || status=$?
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|Invalid (read|write)" "$log" || true
case $status in
    0) echo "memcheck: no errors" ;;
    99) echo "memcheck: errors found, see $log" ;;
    *) echo "memcheck: the session failed ($status), see $log" ;;
esac
exit "$status"
