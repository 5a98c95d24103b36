#!/bin/sh
# Builds Ampora if needed and starts it; arguments are passed on (see README).
set -e
. "$(dirname "$0")/setup.sh"
exec "$top/build/app/ampora" "$@"
