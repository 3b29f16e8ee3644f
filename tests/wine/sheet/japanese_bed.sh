#!/bin/bash
# Runs wine test programs with a Japanese UI:
#   japanese_bed.sh <bed dir> <testbed_setup.exe> <test.exe>[@<artefact dir>]...
# A program named with @ gets that KVT_ARTIFACT_DIR; the others keep the
# caller's.
#
# LANG and LC_ALL set to ja_JP.UTF-8 give a wine process UI language 0x411
# and ANSI code page 932, whatever locale its server was started under. But
# each wine process also writes its locale into the prefix's registry when
# it starts (the user's "Control Panel\International" and the system's code
# page), so Japanese programs in the main bed's prefix would change what the
# English tests running beside them read. The Japanese programs therefore
# get a prefix of their own under the bed's folder, made once and kept like
# the main one, with their own server, stopped at the end. The bed's Xvfb
# display is shared.
set -euo pipefail
bed=$1
setup_exe=$2
shift 2
. "$(dirname "$0")/../wine_env.sh" "$bed"
export WINEPREFIX="$KVT_WINE_DIR/prefix-ja"
export KVT_RECEIPT_PORT=$(kvt_winpath "$KVT_WINE_DIR/receipt-ja.prn")
export KVT_OTHER_PORT=$(kvt_winpath "$KVT_WINE_DIR/other-ja.prn")
export KVT_EXPECT_UI_LANGUAGE=0x411
japanese() { env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$@"; }

trap 'japanese wineserver -k >/dev/null 2>&1 || true' EXIT
# The server and wine's background services outlive the programs: they get
# log files, not ctest's output pipe.
japanese wineserver -p >>"$KVT_WINE_DIR/wineserver-ja.log" 2>&1 </dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  japanese wine wineboot -i >"$KVT_WINE_DIR/wineboot-ja.log" 2>&1 </dev/null
else
  japanese wine wineboot >"$KVT_WINE_DIR/wineboot-ja.log" 2>&1 </dev/null
fi
japanese wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
  >>"$KVT_WINE_DIR/wineboot-ja.log" 2>&1 </dev/null
japanese wine "$setup_exe"
status=0
for item in "$@"; do
  program=${item%%@*}
  artifacts=${KVT_ARTIFACT_DIR:-}
  [ "$program" != "$item" ] && artifacts=${item#*@}
  echo "=== $(basename "$program") with a Japanese UI"
  japanese env KVT_ARTIFACT_DIR="$artifacts" wine "$program" || status=1
done
exit $status
