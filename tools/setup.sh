#!/bin/sh
# Installs what the build needs (Debian 12 packages) and builds Ampora in build/.
# Sourced by tools/run.sh and tools/test.sh.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/packages.sh"

# ngspice: the test suite runs every exported SPICE netlist through it.
packages="g++ cmake ninja-build ccache qtbase5-dev libqt5serialport5-dev libqcustomplot-dev fonts-dejavu-core desktop-file-utils appstream shared-mime-info socat ngspice"
install_packages $packages

if [ ! -f "$top/build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$top/build" -j2 >&2
