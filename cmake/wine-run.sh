#!/bin/sh
# Runs a Windows program under Wine in the build's own prefix with the Japanese
# locale, on the test display when one has been started.
here=$(cd "$(dirname "$0")" && pwd)
build=${DAYLENS_BUILD_DIR:-$(pwd)}
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != "/" ]; do build=$(dirname "$build"); done
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
if [ -f "$build/test-env/display" ]; then
    export DISPLAY=":$(cat "$build/test-env/display")"
fi
# Wine's helper processes (services, the desktop window) outlive the program
# and inherit its output: they must not keep ctest's pipe open, so the output
# goes through a file.
out=$(mktemp)
wine "$@" >"$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
exit $status
