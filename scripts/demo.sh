#!/bin/bash
# The demo: builds the real KvtQvj2Ui.dll, brings up the wine test bed with
# the test printers and runs the plug-in there through its class factory.
# Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target KvtQvj2Ui testbed_setup demo_plugin
bed=build/windows/wine
trap 'tests/wine/testbed_down.sh "$bed"' EXIT
tests/wine/testbed_up.sh "$bed" build/windows/bin/testbed_setup.exe
tests/wine/run_in_wine.sh "$bed" build/windows/bin/demo_plugin.exe "$@"
