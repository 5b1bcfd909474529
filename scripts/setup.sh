#!/bin/bash
# Installs what building and running Daylens needs on Debian 12, when missing.
set -e

packages="cmake g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
python3 wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic fonts-ipafont-mincho locales imagemagick googletest
lhasa ghostscript fonts-wine"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

# Wine needs the Japanese locale to run with code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen
fi
