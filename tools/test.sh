#!/bin/sh
# Builds Ampora and its tests if needed and runs the whole suite off screen.
set -e
. "$(dirname "$0")/setup.sh"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$top/build" --output-on-failure -j2
