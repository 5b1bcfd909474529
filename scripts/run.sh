#!/bin/bash
# Sets up what is missing, builds Daylens and starts Daylens.exe under Wine with the Japanese locale,
# in a Wine prefix of its own (build/run-prefix), from a copy of build/dist in build/run-env/Daylens
# (which keeps its settings file from run to run, while build/dist stays as a user receives it).
# With DISPLAY set it runs on that display until the calendar is closed; otherwise on a private Xvfb,
# where nobody could answer the first-run questions, so a settings file of an earlier run is prepared
# and the calendar itself shows; it is closed again once the screenshot is taken. Either way a
# screenshot of the desktop after start-up is saved.
#   run.sh [SCREENSHOT]   (default build/daylens-screenshot.png)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
shot=${1:-$build/daylens-screenshot.png}

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"

run_dir="$build/run-env"
program_dir="$run_dir/Daylens"
mkdir -p "$program_dir"
cp -r "$build/dist/." "$program_dir/"
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

if [ "$own_display" = 1 ]; then
    # The settings file of an earlier run of this version: no first-run question.
    ini="$program_dir/Daylens-$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r').ini"
    if [ ! -f "$ini" ]; then
        printf '[Daylens00]\r\nVersion=1.20.01\r\nWindowX=240\r\nWindowY=120\r\n' >"$ini"
    fi
fi

echo "Starting Daylens.exe on display $DISPLAY"
(cd "$program_dir" && exec wine Daylens.exe) >"$run_dir/daylens.log" 2>&1 &
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
