#!/bin/bash
# Processor time of Daylens.exe left alone, first the calendar alone, then with the mini memo shown, read from
# Linux's account of the Wine process (Wine does not report another process's times while it runs):
#   bench/idle_cpu.sh [seconds]      (60 unless told; run after a build)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
seconds=${1:-60}
work="$build/idle-bench"
export WINEPREFIX="$build/run-prefix"
. "$root/scripts/wine-prefix.sh"
mkdir -p "$work"
start_xvfb "$work"
trap 'wineserver -k 2>/dev/null || true; stop_xvfb "$work"' EXIT
prepare_prefix "$work"
user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r')
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

for mini in 0 1; do
    rm -rf "$work/Daylens"
    cp -r "$build/dist/." "$work/Daylens/"
    printf '[Daylens00]\r\nVersion=1.20.01\r\nWindowX=40\r\nWindowY=30\r\n[Daylens01]\r\nDelayedStart=0\r\nPlugInOrder00=DaylensMiniMemo.dll\r\nPlugInUse00=%d\r\n[DaylensMiniMemo]\r\nMiniMemoShow=1\r\n' \
        "$mini" >"$work/Daylens/Daylens-$user.ini"
    (cd "$work/Daylens" && exec wine Daylens.exe) >"$work/daylens.log" 2>&1 &
    want='"Daylens"'
    [ "$mini" = 1 ] && want='"DaylensMiniMemo"'
    for _ in $(seq 1 300); do
        xwininfo -root -tree 2>/dev/null | grep -q "$want" && break
        sleep 0.1
    done
    sleep 3  # the mini memo lists its days a second after its window appears
    pid=$(pgrep -f 'Daylens\.exe' | head -1)
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    label="calendar alone"
    [ "$mini" = 1 ] && label="calendar and mini memo"
    awk -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" -v l="$label" \
        'BEGIN { printf "%-24s idle %d s: processor time %.0f ms (%.3f %% of one core)\n", l, s, t * 1000 / hz, t * 100 / hz / s }'
    wine taskkill /im Daylens.exe >/dev/null 2>&1 || true
    wineserver -w
done
