#!/bin/bash
# The demo: builds the real KvtQvj2Ui.dll and the package's libraries,
# brings up the wine test bed with the test printers and opens the
# plug-in's printing preferences there through the sheet host, on wine's
# own property-sheet UI. Installs what it needs.
#
# With a display (DISPLAY set) the sheet opens on it: close it with OK or
# Cancel. Without one the tour (scripts/tour.sh) opens it on the bed's Xvfb
# in English and Japanese, at 96 and 144 DPI, brings every page and every
# section to the front in turn, then the printer's properties with the
# plug-in's Tools page, and photographs each into
# build/windows/artifacts/tour, with an index.html that names every picture.
# Either way the host then prints what happened, and kvt-record decodes the
# document's device mode as the sheet left it (the private record field by
# field with its meaning, and what the plug-in's merge would correct).
# Without a display it then presses one test print of each kind (barcode,
# 2D barcode, Control A, NV watermark) and shows the bytes the printer
# received, each command named (kvt-bytes).
# Arguments go to the sheet host (scripts/demo.sh --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target KvtQvj2Ui KvtQvj2Res KvtQvj2Res2 KvtQvj2Utl testbed_setup \
  sheet_host kvt-record kvt-bytes KvtQvj2Uni KvtQvj2Pp MXPQR_LM MXPQT_SDK
bed=build/windows/wine
caller_display=${DISPLAY:-}
trap 'tests/wine/testbed_down.sh "$bed"' EXIT
tests/wine/testbed_up.sh "$bed" build/windows/bin/testbed_setup.exe
pictures=build/windows/artifacts/demo
mkdir -p "$pictures"
devmode="Z:$PWD/$pictures/devmode.bin"
tour=build/windows/artifacts/tour
if [ "${1:-}" = --help ]; then
  tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe --help
  exit 0
fi
if [ -n "$caller_display" ]; then
  tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe --save-devmode "$devmode" "$@"
else
  start=$(date +%s)
  scripts/tour.sh --layout "$bed" "$tour" || echo "the tour found faults (above)"
  echo "tour: $(($(date +%s) - start)) s"
  tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe \
    --press ok --timeout 120 --save-devmode "$devmode" "$@"
fi
echo "=== the document's device mode, read back by kvt-record"
tests/wine/run_in_wine.sh "$bed" build/windows/bin/kvt-record.exe "$devmode" || true
if [ -z "$caller_display" ]; then
  # One test print of each kind, pressed on its page as a user would, and
  # the bytes the printer's port received (the port file is written over,
  # not cut: it is removed before each job).
  port="$bed/receipt.prn"
  test_print() {
    local title=$1
    shift
    rm -f "$port"
    tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe --press cancel --answer ok \
      --timeout 60 "$@" >/dev/null || true
    echo "=== $title: the bytes the printer received"
    if [ -s "$port" ]; then
      tests/wine/run_in_wine.sh "$bed" build/windows/bin/kvt-bytes.exe "Z:$PWD/$port" | tr -d '\r'
    else
      echo "(no job)"
    fi
  }
  test_print "barcode test print (UPC-A, the proposed data)" \
    --page 2 --send 0:1633:49:0 --send 1265:0xF5:0:0
  test_print "2D barcode test print (QR Code, information on)" \
    --page 2 --send 0:1633:50:0 --send 1004:0xF5:0:0 --send 1266:0xF5:0:0
  # Control A: the current user's command for the blank (0x20), under the
  # printer's utility key (without a UtilityGUID the path's empty part
  # folds away, in the plug-in's path as in reg's), then its test print.
  printers='HKLM\System\CurrentControlSet\Control\Print\Printers'
  guid=$(tests/wine/run_in_wine.sh "$bed" reg query "$printers\\KVT QV-J27 Receipt\\PrinterDriverData" \
    /v UtilityGUID 2>/dev/null | tr -d '\r' | awk '/UtilityGUID/ {print $3}' || true)
  tests/wine/run_in_wine.sh "$bed" reg add "HKCU\\Software\\KVT\\KVT QV-J27\\$guid\\ControlA" \
    /v F20 /t REG_BINARY /d 1D2111410A /f >/dev/null 2>&1 || true
  test_print "Control A test print (the blank: GS ! 0x11, \"A\", LF)" \
    --page 2 --send 0:1633:51:0 --send 1083:0xF5:0:0
  test_print "NV watermark test print (key code 42, information on)" \
    --page 3 --send 1306:0x14E:1:0 --notify 1306:0x111:66842 --send 1309:0xB1:0:-1 \
    --send 1309:0x102:52:0 --send 1309:0x102:50:0 --send 1353:0xF5:0:0 --send 1355:0xF5:0:0
  echo "The tour's pictures: $PWD/$tour/index.html"
fi
