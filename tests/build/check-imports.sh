#!/bin/bash
# Fails when a built program or DLL imports a DLL that Windows does not ship
# (a mingw runtime such as libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll).
objdump=$1
build=$2
allowed='^(kernel32|user32|gdi32|gdiplus|advapi32|shell32|shlwapi|ole32|oleaut32|comdlg32|comctl32|winspool\.drv|winmm|imm32|uxtheme|version|msvcrt|ntdll|hhctrl\.ocx|msimg32|api-ms-win-.*)\.dll$|^(winspool\.drv|hhctrl\.ocx)$'
status=0
count=0
while IFS= read -r -d '' bin; do
    count=$((count + 1))
    while read -r dll; do
        lower=$(echo "$dll" | tr 'A-Z' 'a-z')
        if ! echo "$lower" | grep -Eq "$allowed"; then
            echo "$bin imports $dll"
            status=1
        fi
    done < <("$objdump" -p "$bin" | sed -n 's/^[[:space:]]*DLL Name: //p')
done < <(find "$build" \( -name '*.exe' -o -name '*.dll' \) -not -path '*/wineprefix/*' -not -path '*/run-prefix/*' \
         -not -path '*/bench-prefix/*' -not -path '*/CMakeFiles/*' -print0)
echo "checked $count binaries"
[ "$count" -gt 0 ] || status=1
exit $status
