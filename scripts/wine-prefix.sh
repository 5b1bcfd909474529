# Shared by test-env.sh, run.sh and the test wrapper (sourced): a private Xvfb, a Wine prefix with the
# Japanese font names mapped to the IPA fonts, and copies of a prepared prefix. WINEPREFIX must be set by
# the caller.

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# start_xvfb DIR: Xvfb on a free display; its number in DIR/display, its pid in DIR/xvfb.pid.
start_xvfb() {
    local dir=$1
    rm -f "$dir/display"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$dir/display.new" >"$dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 1 300); do
        [ -s "$dir/display.new" ] && break
        sleep 0.1
    done
    [ -s "$dir/display.new" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
    tr -d '\n' <"$dir/display.new" >"$dir/display"
    rm -f "$dir/display.new"
    export DISPLAY=":$(cat "$dir/display")"
}

# stop_xvfb DIR: stops the Xvfb that start_xvfb DIR started.
stop_xvfb() {
    local dir=$1
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/display"
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

# prepare_prefix LOG_DIR: creates WINEPREFIX once, with the fonts mapped and windows unmanaged.
prepare_prefix() {
    local dir=$1
    if [ ! -f "$WINEPREFIX/.daylens-ready" ]; then
        rm -rf "$WINEPREFIX"
        wineboot -i >"$dir/wineboot.log" 2>&1
        wineserver -w
        map_fonts
        wineserver -w
        touch "$WINEPREFIX/.daylens-ready"
    fi
    # Wine draws the glyphs of caption buttons, scroll bars and check marks with its Marlett font, which
    # it looks for in the prefix's Fonts folder: without it they show as letters ("r" for the close box).
    local marlett=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$marlett" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    if [ ! -f "$WINEPREFIX/.daylens-unmanaged" ]; then
        unmanage_windows
        wineserver -w
        touch "$WINEPREFIX/.daylens-unmanaged"
    fi
}

# clone_prefix BASE DEST: a prefix of its own, made from the prepared prefix BASE, for one test program and
# its wineserver. The registry and the user's profile (Temp, AppData, the Startup folder) are copies of
# their own: programs of other prefixes get the same process numbers, and so the same temporary names.
# The rest of drive C is BASE's, shared.
clone_prefix() {
    local base=$1 dest=$2 entry
    mkdir -p "$dest/dosdevices" "$dest/drive_c" || return 1
    cp "$base/system.reg" "$base/user.reg" "$base/userdef.reg" "$base/.update-timestamp" "$dest/" || return 1
    for entry in "$base/drive_c"/*; do
        [ "$(basename "$entry")" = users ] || ln -s "$entry" "$dest/drive_c/" || return 1
    done
    tar -C "$base/drive_c" --exclude='users/*/Temp/*' -cf - users | tar -C "$dest/drive_c" -xf - || return 1
    ln -s ../drive_c "$dest/dosdevices/c:" || return 1
    ln -s / "$dest/dosdevices/z:" || return 1
}
