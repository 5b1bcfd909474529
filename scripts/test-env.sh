#!/bin/bash
# Starts or stops what the tests run in: a private Xvfb on a free display, the
# build's Wine prefix (Japanese fonts mapped to the IPA fonts) and one
# persistent wineserver for the whole run.
#   test-env.sh start|stop BUILD_DIR
set -e
action=$1
build=$(cd "$2" && pwd)
env_dir="$build/test-env"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
. "$(dirname "$0")/wine-prefix.sh"

case "$action" in
start)
    mkdir -p "$env_dir"
    "$0" stop "$build" >/dev/null 2>&1 || true
    start_xvfb "$env_dir"
    prepare_prefix "$env_dir"
    setsid wineserver -p >"$env_dir/wineserver.log" 2>&1 </dev/null
    # Start Wine's services now, with their output away from ctest's pipes.
    setsid wine cmd /c exit >"$env_dir/services.log" 2>&1 </dev/null
    echo "Test display :$(cat "$env_dir/display"), prefix $WINEPREFIX"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    stop_xvfb "$env_dir"
    ;;
*)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
