#!/bin/bash
# Takes the wine test bed down: testbed_down.sh <bed dir>
bed=$1
. "$(dirname "$0")/wine_env.sh" "$bed"
wineserver -k 2>/dev/null || true
if [ -f "$bed/xvfb.pid" ]; then
  kill "$(cat "$bed/xvfb.pid")" 2>/dev/null || true
  rm -f "$bed/xvfb.pid" "$bed/display"
fi
exit 0
