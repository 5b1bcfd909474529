#!/bin/bash
# The benchmarks of the running program under Wine: start and close against a minimal window, and the year's step
# with the colour key against opaque; first on a bare Xvfb, then on the same Xvfb with the openbox window manager when
# it is installed (apt-get install openbox). They run in a Wine prefix of their own with Wine's default settings: the
# tests' prefix keeps every window away from a window manager, which hides what a user's Wine does. Run after a build:
#   bench/run_benchmarks.sh [rounds [dist folder]]   (8 rounds and build/dist unless told; the results also stay in
#                                                    build/bench-env)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
rounds=${1:-8}
work="$build/bench-env"
export WINEPREFIX="$build/bench-prefix"
. "$root/scripts/wine-prefix.sh"

mkdir -p "$work"
openbox_pid=""
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    stop_xvfb "$work"
    return 0
}
trap cleanup EXIT
start_xvfb "$work"

# Created once, with the fonts mapped and everything else as Wine sets it up.
if [ ! -f "$WINEPREFIX/.daylens-bench-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >"$work/wineboot.log" 2>&1
    wineserver -w
    map_fonts
    wineserver -w
    touch "$WINEPREFIX/.daylens-bench-ready"
fi
setsid wineserver -p >"$work/wineserver.log" 2>&1 </dev/null
# Wine's services start now, with their output away from the results.
setsid wine cmd /c exit >"$work/services.log" 2>&1 </dev/null
dist=$(winepath -w "${2:-$build/dist}" 2>/dev/null)

# run NAME SETTING: one benchmark program; its output in $work/NAME-SETTING.txt and here.
run() {
    local out="$work/$1-$2.txt"
    wine "$build/bench/$1.exe" "$dist" "$rounds" >"$out" 2>&1 </dev/null || true
    grep -av 'fixme:' "$out" || true
}

echo "== bare Xvfb (no window manager), $rounds rounds"
run startup_benchmark bare
run year_step_benchmark bare

if ! command -v openbox >/dev/null; then
    echo "== openbox is not installed: no run with a window manager"
    exit 0
fi
echo "== the same Xvfb with openbox"
setsid openbox >"$work/openbox.log" 2>&1 </dev/null &
openbox_pid=$!
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
run startup_benchmark openbox
run year_step_benchmark openbox
