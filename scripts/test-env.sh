#!/bin/bash
# Prepares or clears what the tests run in. start: the build's Wine prefix (Japanese fonts mapped to the IPA
# fonts, windows kept Wine's own), from which each test program gets a prefix, an Xvfb and a wineserver of
# its own (cmake/wine-run.sh). stop: ends what a test program that was killed left running.
#   test-env.sh start|stop BUILD_DIR
set -e
action=$1
build=$(cd "$2" && pwd)
env_dir="$build/test-env"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
. "$(dirname "$0")/wine-prefix.sh"

# clear_runs: the desktops of test programs that were killed before they could end them.
clear_runs() {
    local run
    for run in "$env_dir"/runs/run.*; do
        [ -d "$run" ] || continue
        WINEPREFIX="$run/prefix" wineserver -k 2>/dev/null || true
        stop_xvfb "$run"
        rm -rf "$run"
    done
}

case "$action" in
start)
    mkdir -p "$env_dir"
    clear_runs
    wineserver -k 2>/dev/null || true
    start_xvfb "$env_dir"
    prepare_prefix "$env_dir"
    stop_xvfb "$env_dir"
    # The copies take the registry as the files hold it: no server may still be writing them.
    wineserver -w
    rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/*
    echo "Prefix $WINEPREFIX ready; each test program runs on a desktop of its own"
    ;;
stop)
    clear_runs
    ;;
*)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
