#!/bin/bash
# check_dll.sh <KvtQvj2Ui.dll>: the plug-in exports exactly its two entry
# points and imports no runtime DLL that would have to ship beside it.
set -euo pipefail
dump=$(x86_64-w64-mingw32-objdump -p "$1")
exports=$(printf '%s\n' "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF;next} t&&!/^[ \t]*\[/{t=0}' | sort | tr '\n' ' ')
echo "exports: $exports"
[ "$exports" = "DllCanUnloadNow DllGetClassObject " ] || { echo "unexpected exports"; exit 1; }
imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/{print $3}' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
echo "imports: $imports"
if printf '%s' "$imports" | grep -qE 'libstdc|libgcc|libwinpthread'; then
  echo "the plug-in depends on a runtime DLL"; exit 1
fi
