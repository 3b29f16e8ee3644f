#!/bin/sh
# ctest's emulator for the Windows programs: run_in_wine.sh <bed dir> <exe> [args]
set -e
. "$(dirname "$0")/wine_env.sh" "$1"
shift
exec wine "$@"
