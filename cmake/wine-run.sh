#!/bin/sh
# Runs a Windows program under Wine with the Japanese locale, on a desktop of its own: a private Xvfb, a
# Wine prefix made from the build's prepared one (scripts/test-env.sh start) and a wineserver of its own.
# Test programs that run side by side thus never see each other's windows, z-order, activation,
# foreground window or pointer. Everything the program left running ends with it.
#   wine-run.sh PROGRAM [ARGUMENTS...]
here=$(cd "$(dirname "$0")" && pwd)
build=${DAYLENS_BUILD_DIR:-$(pwd)}
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != "/" ]; do build=$(dirname "$build"); done
base="$build/wineprefix"
. "$here/../scripts/wine-prefix.sh"

say() { echo "wine-run: $*" >&2; }

if [ ! -f "$base/.daylens-ready" ]; then
    say "the prepared prefix $base is missing: run 'bash scripts/test-env.sh start $build' (ctest's test_env_start)"
    exit 2
fi
if [ ! -f "$1" ]; then
    say "no program $1"
    exit 2
fi

mkdir -p "$build/test-env/runs"
run=$(mktemp -d "$build/test-env/runs/run.XXXXXX") || { say "cannot make a folder in $build/test-env/runs"; exit 2; }
export WINEPREFIX="$run/prefix"
cleanup() {
    wineserver -k 2>/dev/null
    stop_xvfb "$run"
    rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

clone_prefix "$base" "$WINEPREFIX" || { say "cannot copy the prefix $base"; exit 2; }
start_xvfb "$run" >&2
setsid wineserver -p >"$run/wineserver.log" 2>&1 </dev/null
server=$?
[ "$server" -eq 0 ] || { say "wineserver did not start (status $server)"; cat "$run/wineserver.log" >&2; exit 2; }

# Wine's helper processes (services, the desktop window) outlive the program and inherit its output: they
# must not keep ctest's pipe open, so the output goes through files. Wine's own error lines are kept apart
# and shown only when the program did not get to run.
wine_line='^[0-9a-f]\{4,8\}:\(err\|fixme\|warn\|trace\):'
WINEDEBUG="$WINEDEBUG,err+all" wine "$@" >"$run/output" 2>"$run/errors"
status=$?
cat "$run/output"
grep -v "$wine_line" "$run/errors" >&2

# A program that printed nothing did not get to run (a test program prints at least its header): say why.
if [ "$status" -ne 0 ] && [ ! -s "$run/output" ] && ! grep -qv "$wine_line" "$run/errors"; then
    case $status in
    126|127) why="wine itself could not be started" ;;
    53) why="a DLL the program needs was not found (0xC0000135)" ;;
    5) why="an access violation (0xC0000005) before the first line" ;;
    *) if [ "$status" -gt 128 ]; then why="Wine's loader was ended by signal $((status - 128))"
       else why="its exit code ends in 0x$(printf '%02X' "$status")"; fi ;;
    esac
    if ! kill -0 "$(cat "$run/xvfb.pid" 2>/dev/null)" 2>/dev/null; then why="$why; its Xvfb had ended"; fi
    if [ -s "$run/wineserver.log" ]; then why="$why; the wineserver said: $(tail -n 3 "$run/wineserver.log")"; fi
    say "$1 printed nothing and ended with status $status: $why"
    if grep -q "$wine_line" "$run/errors"; then
        say "Wine's last error lines:"
        grep "$wine_line" "$run/errors" | tail -n 20 >&2
    fi
fi
exit $status
