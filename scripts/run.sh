#!/bin/bash
# Sets up what is missing, builds Daylens and starts build/dist/Daylens.exe under Wine with the
# Japanese locale, in a Wine prefix of its own (build/run-prefix). With DISPLAY set it runs on that
# display until the calendar is closed; otherwise on a private Xvfb, where it is closed again once
# the screenshot is taken. Either way a screenshot of the desktop after start-up is saved.
#   run.sh [SCREENSHOT]   (default build/daylens-screenshot.png)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
shot=${1:-$build/daylens-screenshot.png}

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"

run_dir="$build/run-env"
mkdir -p "$run_dir"
export WINEPREFIX="$build/run-prefix"
. "$root/scripts/wine-prefix.sh"

own_display=0
if [ -z "$DISPLAY" ]; then
    start_xvfb "$run_dir"
    own_display=1
fi
cleanup() {
    wineserver -k 2>/dev/null || true
    [ "$own_display" = 1 ] && stop_xvfb "$run_dir"
    return 0
}
trap cleanup EXIT

echo "Preparing the Wine prefix $WINEPREFIX"
prepare_prefix "$run_dir"

echo "Starting Daylens.exe on display $DISPLAY"
(cd "$build/dist" && exec wine Daylens.exe) >"$run_dir/daylens.log" 2>&1 &
wine_pid=$!

# Start-up is over when a window titled Daylens (the calendar, or a first-run question) is up.
for _ in $(seq 1 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Daylens"' && break
    kill -0 "$wine_pid" 2>/dev/null || { echo "Daylens.exe ended during start-up"; cat "$run_dir/daylens.log"; exit 1; }
    sleep 0.1
done
sleep 1  # let the first paint finish
import -window root "$shot"

if [ "$own_display" = 1 ]; then
    wine taskkill /im Daylens.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
        kill -0 "$wine_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$wine_pid" 2>/dev/null && wine taskkill /f /im Daylens.exe >/dev/null 2>&1 || true
else
    echo "Daylens is running; close it from its window (or Ctrl+C here) to end."
    wait "$wine_pid" || true
fi
echo "Screenshot: $shot"
