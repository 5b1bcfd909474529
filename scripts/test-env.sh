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
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

start_xvfb() {
    rm -f "$env_dir/display"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$env_dir/display.new" >"$env_dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$env_dir/xvfb.pid"
    for _ in $(seq 1 100); do
        [ -s "$env_dir/display.new" ] && break
        sleep 0.1
    done
    [ -s "$env_dir/display.new" ] || { echo "Xvfb did not start"; cat "$env_dir/xvfb.log"; exit 1; }
    tr -d '\n' <"$env_dir/display.new" >"$env_dir/display"
    rm -f "$env_dir/display.new"
    export DISPLAY=":$(cat "$env_dir/display")"
}

map_fonts() {
    local key='HKCU\Software\Wine\Fonts\Replacements'
    local face
    for face in "ＭＳ ゴシック:IPAGothic" "ＭＳ Ｐゴシック:IPAPGothic" "ＭＳ 明朝:IPAMincho" \
                "ＭＳ Ｐ明朝:IPAPMincho" "MS UI Gothic:IPAPGothic" "Meiryo:IPAPGothic" \
                "メイリオ:IPAPGothic" "MS Gothic:IPAGothic" "MS PGothic:IPAPGothic" \
                "MS Mincho:IPAMincho" "MS PMincho:IPAPMincho"; do
        wine reg add "$key" /v "${face%%:*}" /t REG_SZ /d "${face##*:}" /f >/dev/null
    done
}

# Xvfb runs no window manager, and Wine waits two seconds for one whenever a
# window it handed over is hidden or destroyed: keep every window Wine's own.
unmanage_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
}

case "$action" in
start)
    mkdir -p "$env_dir"
    "$0" stop "$build" >/dev/null 2>&1 || true
    start_xvfb
    if [ ! -f "$WINEPREFIX/.daylens-ready" ]; then
        rm -rf "$WINEPREFIX"
        wineboot -i >"$env_dir/wineboot.log" 2>&1
        wineserver -w
        map_fonts
        wineserver -w
        touch "$WINEPREFIX/.daylens-ready"
    fi
    if [ ! -f "$WINEPREFIX/.daylens-unmanaged" ]; then
        unmanage_windows
        wineserver -w
        touch "$WINEPREFIX/.daylens-unmanaged"
    fi
    setsid wineserver -p >"$env_dir/wineserver.log" 2>&1 </dev/null
    # Start Wine's services now, with their output away from ctest's pipes.
    setsid wine cmd /c exit >"$env_dir/services.log" 2>&1 </dev/null
    echo "Test display :$(cat "$env_dir/display"), prefix $WINEPREFIX"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$env_dir/xvfb.pid" ]; then
        kill "$(cat "$env_dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$env_dir/xvfb.pid"
    fi
    rm -f "$env_dir/display"
    ;;
*)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
