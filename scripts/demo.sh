#!/bin/bash
# The demo: builds the real KvtQvj2Ui.dll and the package's libraries,
# brings up the wine test bed with the test printers and opens the
# plug-in's printing preferences there through the sheet host, on wine's
# own property-sheet UI. Installs what it needs.
#
# With a display (DISPLAY set) the sheet opens on it: close it with OK or
# Cancel. Without one the sheet opens on the bed's Xvfb, a picture of each
# page (the plug-in's three and the host's Advanced page with the option
# items) is taken into build/windows/artifacts/demo and OK is pressed.
# Either way the host then prints what happened, and kvt-record decodes the
# document's device mode as the sheet left it (the private record field by
# field with its meaning, and what the plug-in's merge would correct).
# Arguments go to the sheet host (scripts/demo.sh --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target KvtQvj2Ui KvtQvj2Res KvtQvj2Res2 KvtQvj2Utl testbed_setup \
  sheet_host kvt-record
bed=build/windows/wine
caller_display=${DISPLAY:-}
trap 'tests/wine/testbed_down.sh "$bed"' EXIT
tests/wine/testbed_up.sh "$bed" build/windows/bin/testbed_setup.exe
pictures=build/windows/artifacts/demo
mkdir -p "$pictures"
devmode="Z:$PWD/$pictures/devmode.bin"
if [ -n "$caller_display" ]; then
  tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe --save-devmode "$devmode" "$@"
else
  tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe \
    --screenshots "Z:$PWD/$pictures" --timeout 120 --save-devmode "$devmode" "$@"
  echo "Pictures of the plug-in's three pages and the Advanced page:" \
    "$pictures/page1.png, page2.png, page3.png, page4.png"
fi
echo "=== the document's device mode, read back by kvt-record"
tests/wine/run_in_wine.sh "$bed" build/windows/bin/kvt-record.exe "$devmode" || true
