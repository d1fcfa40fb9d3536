#!/bin/sh
# Installs every Debian package Zarn needs to build, test and run.
# Quick when everything is present; needs root (apt-get) otherwise.
set -eu

PACKAGES="
g++ cmake ninja-build make
qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libfontconfig-dev libxcb1-dev pkg-config
openjdk-17-jdk
xvfb xauth xdotool x11-utils
desktop-file-utils appstream dpkg-dev lintian libglib2.0-bin
fontconfig fonts-liberation fonts-dejavu-core fonts-dejavu-extra fonts-freefont-ttf
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Zarn needs these Debian packages; install them as root:$missing" >&2
    echo "    sudo apt-get install$missing" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
