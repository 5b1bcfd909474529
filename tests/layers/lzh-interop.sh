#!/bin/bash
# Archives of unlha32.dll and of the level fixtures are tested, listed and extracted by the lha command, and the
# extracted files equal the originals byte for byte. Exit 77 (skipped) when lha is not installed.
# Usage: lzh-interop.sh <source folder> <build folder> <lzh_interop_writer.exe>
source_dir=$1
build_dir=$2
writer=$3
if ! command -v lha >/dev/null 2>&1; then
    echo "lha is not installed: skipped"
    exit 77
fi
work=$(mktemp -d "$build_dir/lzh-interop.XXXXXX")
trap 'rm -rf "$work"' EXIT
sh "$source_dir/cmake/wine-run.sh" "$writer" "Z:$work" "Z:$build_dir/dist/PlugIn/unlha32.dll" || exit 1
status=0
for archive in dll.lzh levels.lzh; do
    echo "== $archive"
    lha l "$work/$archive" || status=1
    lha t "$work/$archive" >"$work/test.log" 2>&1 || { cat "$work/test.log"; status=1; }
done
mkdir "$work/out"
(cd "$work/out" && lha xq "$work/dll.lzh" && lha xq "$work/levels.lzh") || status=1
expected=$(ls "$work/src" | wc -l)
extracted=$(ls "$work/out" | wc -l)
if [ "$expected" != 17 ] || [ "$extracted" != "$expected" ]; then
    echo "expected 17 files, wrote $expected, lha extracted $extracted"
    status=1
fi
for file in "$work/src"/*; do
    cmp "$file" "$work/out/$(basename "$file")" || status=1
done
[ $status = 0 ] && echo "lha tested and extracted all $extracted files unchanged"
exit $status
