#!/bin/sh
# Installs what the build needs (Debian 12 packages) and builds Ampora in build/.
# Sourced by tools/run.sh and tools/test.sh.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)

packages="g++ cmake ninja-build ccache qtbase5-dev libqt5serialport5-dev libqcustomplot-dev fonts-dejavu-core desktop-file-utils appstream shared-mime-info socat"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing:$missing" >&2
    $sudo apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >&2
fi

if [ ! -f "$top/build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$top/build" -j2 >&2
