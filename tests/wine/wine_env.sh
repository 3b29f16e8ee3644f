# Sourced by the wine test-bed scripts: the environment of the throw-away
# prefix under the build tree. $1 of the caller is the test bed's folder.
KVT_WINE_DIR=$(cd "$1" 2>/dev/null && pwd || echo "$1")
export WINEPREFIX="$KVT_WINE_DIR/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No mono or gecko: nothing to download, no prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
if [ -z "${DISPLAY:-}" ] && [ -f "$KVT_WINE_DIR/display" ]; then
  export DISPLAY=$(cat "$KVT_WINE_DIR/display")
fi
# Windows form of a Unix path, through wine's Z: drive.
kvt_winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
export KVT_TESTBED_DIR=$(kvt_winpath "$KVT_WINE_DIR")
export KVT_RECEIPT_PORT=$(kvt_winpath "$KVT_WINE_DIR/receipt.prn")
export KVT_OTHER_PORT=$(kvt_winpath "$KVT_WINE_DIR/other.prn")
# The driver package the bed installs its printers from (build/windows/package).
export KVT_PACKAGE_DIR=$(kvt_winpath "$(dirname "$KVT_WINE_DIR")/package/KvtQvj2")
