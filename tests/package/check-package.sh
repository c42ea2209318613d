#!/usr/bin/env bash
# Builds the Debian package from a finished build, checks the files it holds and the
# libraries it declares, unpacks it into a scratch root and starts the unpacked program
# headless to show that it runs from there.
#
# Usage: check-package.sh <built program> <CPackConfig.cmake> <application id>
set -euo pipefail

program=$1
cpack_config=$2
app_id=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$program" ] || fail "the program $program is not built; build the Settings target first"

work=$(mktemp -d)
child=
cleanup() {
    if [ -n "$child" ]; then kill "$child" 2>/dev/null || true; wait "$child" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# --- Build the package -------------------------------------------------------------------
if ! cpack --config "$cpack_config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

# --- What it holds -------------------------------------------------------------------------
contents=$(dpkg-deb -c "$deb")
expected=(
    ./usr/bin/Settings
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in 16 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
for path in "${expected[@]}"; do
    # Columns of dpkg-deb -c: mode, owner, size, date, time, path.
    awk -v p="$path" '$6 == p { found = 1 } END { exit !found }' <<<"$contents" \
        || fail "the package lacks $path"
done
awk '$6 == "./usr/bin/Settings" && $1 ~ /^-rwxr-xr-x$/ && $2 == "root/root" { ok = 1 }
     END { exit !ok }' <<<"$contents" \
    || fail "/usr/bin/Settings is not an executable owned by root"

# --- What it declares ----------------------------------------------------------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Library package names may carry an ABI suffix (t64, ...) on other releases.
for library in 'libqt6core6[a-z0-9]*' 'libqt6gui6[a-z0-9]*' 'libqt6widgets6[a-z0-9]*' \
               'libjpeg[a-z0-9.-]*'; do
    grep -Eq "(^|, )$library( \(|,|$)" <<<"$depends" \
        || fail "Depends does not name a package matching $library"
done
for field in Package Version Architecture Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the control field $field is empty"
done
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] \
    || fail "the package is not built for $(dpkg --print-architecture)"

# --- Unpacked: the metadata validates and the program runs ---------------------------------
root=$work/root
dpkg-deb -x "$deb" "$root"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" \
        || fail "desktop entry does not validate"
else
    echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" \
        || fail "metainfo does not validate"
else
    echo "appstreamcli not installed: metainfo not validated"
fi

# Alive for two seconds without an error exit counts as running; then it is ended.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/Settings" >"$work/run.log" 2>&1 &
child=$!
for tick in $(seq 0 20); do
    [ "$tick" -eq 0 ] || sleep 0.1
    kill -0 "$child" 2>/dev/null && continue
    status=0
    wait "$child" || status=$?
    child=
    cat "$work/run.log" >&2
    fail "the installed program exited with status $status within two seconds"
done
echo "the installed program ran for two seconds"
