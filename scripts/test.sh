#!/bin/bash
# Sets up what is missing, builds Daylens and runs every test under Wine.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
