#!/bin/bash
# Time from opening the printing preferences until the first page has
# painted, under wine: the plug-in's sheet against the bare baseline (three
# empty pages of the same size), run in turns so both see the same machine.
#
#   scripts/open_time.sh [RUNS]      (default 9 of each)
#
# Prints each run and the medians with their ratio. Needs the cross build
# (it builds what it uses) and brings up a test bed of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target KvtQvj2Ui KvtQvj2Res KvtQvj2Res2 testbed_setup \
  sheet_host >/dev/null
bed=build/windows/open_time_bed
trap 'tests/wine/testbed_down.sh "$bed"' EXIT
tests/wine/testbed_up.sh "$bed" build/windows/bin/testbed_setup.exe >/dev/null
painted() {
  tests/wine/run_in_wine.sh "$bed" build/windows/bin/sheet_host.exe --press ok --timeout 60 "$@" |
    sed -n 's/^first page painted after \([0-9.]*\) ms.*/\1/p'
}
plugin=()
bare=()
for ((i = 0; i < runs; ++i)); do
  plugin+=("$(painted)")
  bare+=("$(painted --bare)")
  echo "run $((i + 1)): plug-in ${plugin[-1]} ms, bare ${bare[-1]} ms"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
p=$(median "${plugin[@]}")
b=$(median "${bare[@]}")
awk -v p="$p" -v b="$b" 'BEGIN { printf "median: plug-in %.1f ms, bare %.1f ms, ratio %.2f\n", p, b, p / b }'
