#!/bin/bash
# Brings the wine test bed up: testbed_up.sh <bed dir> <testbed_setup.exe>
#  - a throw-away prefix under the build tree (never ~/.wine), made without prompts;
#  - Xvfb on a free display when there is no DISPLAY;
#  - a persistent wineserver for the run, so each test program starts fast;
#  - the test printers (testbed_setup.exe).
set -euo pipefail
bed=$1
setup_exe=$2
mkdir -p "$bed"
caller_display=${DISPLAY:-}
# A display left by an earlier run that was not taken down is stale.
if [ -f "$bed/xvfb.pid" ]; then
  kill "$(cat "$bed/xvfb.pid")" 2>/dev/null || true
fi
rm -f "$bed/xvfb.pid" "$bed/display"
. "$(dirname "$0")/wine_env.sh" "$bed"

if [ -z "$caller_display" ]; then
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$bed/xvfb.log" 2>&1 &
      echo $! >"$bed/xvfb.pid"
      for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      echo ":$n" >"$bed/display"
      export DISPLAY=":$n"
      break
    fi
  done
fi

# The server and wine's background services (started by the first program)
# outlive this script: give them a log file instead of our output, or ctest
# waits on its pipe until the test times out.
wineserver -p >"$bed/wineserver.log" 2>&1 </dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot -i >"$bed/wineboot.log" 2>&1 </dev/null
else
  wine wineboot >"$bed/wineboot.log" 2>&1 </dev/null
fi
# A persistent server for the run (answers non-zero when one already runs).
wineserver -p >>"$bed/wineserver.log" 2>&1 </dev/null || true
# Unmanaged windows: without a window manager under Xvfb wine would wait two
# seconds for each window or message box that is hidden or closed.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
  >>"$bed/wineboot.log" 2>&1 </dev/null
wine "$setup_exe"
